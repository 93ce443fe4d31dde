#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/PackWriter.h"
#include "tests/support/TestFileLayer.h"

namespace {

std::string Resolved(const std::string& name) { return ResolvePath(name.c_str()).CStr(); }

class FileIndexTest : public testing::Test {
 protected:
  TestFileLayer mFiles;
};

TEST_F(FileIndexTest, EquivalentNamesReachTheSameIndexedFile) {
  mFiles.WriteAsset("fonts/Main.mvec", "font");
  BuildFileIndex();
  const char* names[] = {"fonts/main.mvec",          "Fonts/Main.MVEC",         "assets/fonts/main.mvec",
                         "assets\\fonts\\main.mvec", "ASSETS/Fonts\\MAIN.mvec", "fonts\\main.mvec"};
  for (const char* name : names) {
    EXPECT_EQ(Resolved(name), mFiles.AssetPath("fonts/Main.mvec")) << name;
    EXPECT_TRUE(FileExists(name)) << name;
  }
}

TEST_F(FileIndexTest, NamesThatFindNothingResolveToNothing) {
  mFiles.WriteAsset("fonts/main.mvec", "font");
  mFiles.Write("program/loose.txt", "beside the assets, not in them");
  BuildFileIndex();
  const std::string names[] = {
      "",
      "fonts/missing.mvec",
      "main.mvec",
      "loose.txt",
      "assets",
      "assets/",
      "::" + mFiles.AssetPath("fonts/missing.mvec"),
      "::assets/FONTS/main.mvec",  // the disk's names are case-sensitive
      "user:../program/loose.txt",
      "common:a/../../program/loose.txt",
  };
  for (const std::string& name : names) {
    EXPECT_EQ(Resolved(name), "") << name;
    EXPECT_FALSE(FileExists(name.c_str())) << name;
  }
}

TEST_F(FileIndexTest, DiskNamesKeepTheirCaseAndStartAtTheProgramFolder) {
  mFiles.WriteAsset("Data/Mixed.TXT", "x");
  std::string real = mFiles.AssetPath("Data/Mixed.TXT");
  const std::string names[] = {"::" + real, "::assets/Data/Mixed.TXT", "::assets\\Data\\Mixed.TXT",
                               "::./assets/Data/../Data/Mixed.TXT", "assets/::assets/Data/Mixed.TXT"};
  for (const std::string& name : names) EXPECT_EQ(Resolved(name), real) << name;
}

TEST_F(FileIndexTest, DataNamesResolveBeforeTheFileExistsAndAreRemembered) {
  EXPECT_EQ(Resolved("user:prefs.dat"), mFiles.UserPath("prefs.dat"));
  EXPECT_EQ(Resolved("User:Sub\\Scores.DAT"), mFiles.UserPath("sub/scores.dat"));
  EXPECT_EQ(Resolved("common:display.xml"), mFiles.CommonPath("display.xml"));
  EXPECT_TRUE(FileExists("user:prefs.dat"));

  SetDataFolders("/elsewhere/user", "/elsewhere/common");
  EXPECT_EQ(Resolved("user:prefs.dat"), mFiles.UserPath("prefs.dat")) << "the first answer is kept";
  EXPECT_EQ(Resolved("common:other.xml"), "/elsewhere/common/other.xml");
}

TEST_F(FileIndexTest, DataFilesOnDiskAreFoundWithTheirOwnCase) {
  mFiles.Write("user/LogFile.TXT", "x");
  mFiles.Write("common/Display.xml", "x");
  BuildFileIndex();
  EXPECT_EQ(Resolved("user:logfile.txt"), mFiles.UserPath("LogFile.TXT"));
  EXPECT_EQ(Resolved("COMMON:display.XML"), mFiles.CommonPath("Display.xml"));
}

TEST_F(FileIndexTest, DataNamesWithoutAFolderDoNotResolve) {
  SetDataFolders("", "");
  EXPECT_EQ(Resolved("user:prefs.dat"), "");
  EXPECT_EQ(Resolved("common:display.xml"), "");
}

TEST_F(FileIndexTest, ExcludedNamesHideFilesAndWholeFolders) {
  mFiles.Write("program/final.txt", "secret-a.txt\r\n\tdrafts-a  \n");
  mFiles.WriteAsset("secret-a.txt", "x");
  mFiles.WriteAsset("levels/secret-a.txt", "x");
  mFiles.WriteAsset("drafts-a/deep/level.xml", "x");
  mFiles.WriteAsset("kept/Secret-a.txt", "x");
  mFiles.Write("user/secret-a.txt", "x");
  BuildFileIndex();
  for (const char* hidden : {"secret-a.txt", "levels/secret-a.txt", "drafts-a/deep/level.xml"}) {
    EXPECT_FALSE(FileExists(hidden)) << hidden;
  }
  EXPECT_TRUE(FileExists("kept/secret-a.txt")) << "the list is case-sensitive";
  EXPECT_EQ(Resolved("user:secret-a.txt"), mFiles.UserPath("secret-a.txt")) << "still reached by name";
}

TEST_F(FileIndexTest, AnExclusionListOf100000BytesIsIgnored) {
  struct Case {
    const char* name;
    size_t size;
    bool applied;
  };
  for (const Case& c : {Case{"short-list-b.txt", 99999, true}, Case{"long-list-b.txt", 100000, false}}) {
    std::string list = c.name;
    list.resize(c.size, ' ');
    mFiles.Write("program/final.txt", list);
    mFiles.WriteAsset(c.name, "x");
    ClearFileIndex();
    BuildFileIndex();
    EXPECT_EQ(FileExists(c.name), !c.applied) << c.size << " bytes";
  }
}

TEST_F(FileIndexTest, FirstPeekSwitchesTheExclusionList) {
  mFiles.Write("program/final.txt", "final-only-c.txt");
  mFiles.Write("program/firstpeek.txt", "peek-only-c.txt");
  mFiles.WriteAsset("final-only-c.txt", "x");
  mFiles.WriteAsset("peek-only-c.txt", "x");
  SetFirstPeek(true);
  BuildFileIndex();
  EXPECT_TRUE(FileExists("final-only-c.txt"));
  EXPECT_FALSE(FileExists("peek-only-c.txt"));
}

TEST_F(FileIndexTest, LinkedFoldersAreNotIndexed) {
  TempFolder outside;
  WriteWholeFile(outside.File("outside.txt"), "x");
  mFiles.WriteAsset("real.txt", "x");
  std::filesystem::create_directory_symlink(outside.Path(), mFiles.AssetPath("linked"));
  std::filesystem::create_directory_symlink(mFiles.AssetPath(""), mFiles.AssetPath("loop"));
  std::filesystem::create_symlink(outside.File("outside.txt"), mFiles.AssetPath("linked-file.txt"));
  BuildFileIndex();
  EXPECT_FALSE(FileExists("linked/outside.txt"));
  EXPECT_FALSE(FileExists("loop/real.txt"));
  EXPECT_TRUE(FileExists("linked-file.txt")) << "a linked file is a file";
}

TEST_F(FileIndexTest, LooseFilesWinOverPackedOnes) {
  mFiles.WriteAsset("data.vqp",
                    PackWriter().Add("fonts/Main.mvec", "packed").Add("only/packed.txt", "p").Bytes());
  mFiles.WriteAsset("fonts/main.mvec", "loose");
  BuildFileIndex();
  EXPECT_EQ(Resolved("fonts/main.mvec"), mFiles.AssetPath("fonts/main.mvec"));
  EXPECT_EQ(Resolved("only/packed.txt").front(), '@');
}

TEST_F(FileIndexTest, FullPathsNameDiskFilesOnly) {
  mFiles.WriteAsset("data.vqp", PackWriter().Add("packed.txt", "p").Bytes());
  mFiles.WriteAsset("Loose.txt", "x");
  BuildFileIndex();
  EXPECT_EQ(std::string(GetFullPath("loose.txt").CStr()), mFiles.AssetPath("Loose.txt"));
  EXPECT_EQ(std::string(GetFullPath("user:new.dat").CStr()), mFiles.UserPath("new.dat"));
  EXPECT_EQ(std::string(GetFullPath("::assets/./Loose.txt").CStr()), mFiles.AssetPath("Loose.txt"));
  EXPECT_STREQ(GetFullPath("packed.txt").CStr(), "");
  EXPECT_STREQ(GetFullPath("missing.txt").CStr(), "");
}

}  // namespace
