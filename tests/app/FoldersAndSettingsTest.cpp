// The platform's folders and settings alone.
#include "app/TFoldersAndSettings.h"

#include <gtest/gtest.h>

#include <string>

#include "system/os/Folders.h"

namespace {

TEST(FoldersAndSettings, DataFoldersFollowTheModeAndFallBackToTheProgramFolder) {
  TFoldersAndSettings state;
  state.ReadProgramFolders();
  const TString program = state.mProgramFolder;
  ASSERT_FALSE(program.IsEmpty());

  state.SetUpDataFolders("Product", false);
  EXPECT_EQ(state.mUserFolder.CStr(), sys::UserDataRoot() + "/Velmartis/Product");
  EXPECT_EQ(state.mCommonFolder.CStr(), sys::CommonDataRoot() + "/Velmartis/Product");
  EXPECT_TRUE(sys::FolderExists(state.mCommonFolder.CStr()));

  state.SetUpDataFolders("Product", true);
  EXPECT_EQ(state.mUserFolder, program) << "inside a host window the game keeps to the program folder";
  EXPECT_EQ(state.mCommonFolder, program);

  state.SetUpDataFolders("", false);
  EXPECT_EQ(state.mUserFolder, program) << "without a product name no data folder can be named";
  EXPECT_EQ(state.mCommonFolder, state.mUserFolder);
}

}  // namespace
