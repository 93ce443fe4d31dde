#include "system/os/Folders.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/TempFolder.h"

namespace {

TEST(Folders, FollowTheXdgVariables) {
  TempFolder folder;
  setenv("XDG_DATA_HOME", folder.File("d").c_str(), 1);
  setenv("XDG_STATE_HOME", "relative/ignored", 1);
  setenv("HOME", folder.Path().c_str(), 1);
  EXPECT_EQ(sys::UserDataRoot(), folder.File("d"));
  EXPECT_EQ(sys::CommonDataRoot(), folder.File(".local/state")) << "a relative value is ignored";
}

TEST(Folders, MakeFoldersCreatesParents) {
  TempFolder folder;
  std::string deep = folder.File("a/b/c");
  EXPECT_TRUE(sys::MakeFolders(deep));
  EXPECT_TRUE(sys::FolderExists(deep));
  EXPECT_TRUE(sys::MakeFolders(deep)) << "an existing folder is fine";
  WriteWholeFile(folder.File("file"), "x");
  EXPECT_FALSE(sys::MakeFolders(folder.File("file/sub")));
}

}  // namespace
