#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/text/Log.h"
#include "platform/file/PackFiles.h"
#include "platform/file/TFile.h"
#include "tests/support/PackWriter.h"
#include "tests/support/TestFileLayer.h"

namespace {

class PackFilesTest : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mLogFolder.Path().c_str()); }

  // The bytes of a packed file, or "<none>" when it does not open.
  std::string Read(const char* name) {
    FileHandle file(FileOpen(name, kFileReadBinary));
    if (!file) return "<none>";
    std::string bytes(file->GetSize(), '\0');
    bytes.resize(FileRead(file.get(), bytes.data(), static_cast<int32_t>(bytes.size())));
    return bytes;
  }

  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TestFileLayer mFiles;
  TempFolder mLogFolder;
};

TEST_F(PackFilesTest, EntriesResolveToTheirPlaceInThePack) {
  std::string pack = PackWriter().Add("Fonts/Big.mvec", "big font").Add("a.txt", "").Bytes();
  mFiles.WriteAsset("data.vqp", pack);
  BuildFileIndex();
  std::string location = ResolvePath("fonts/big.mvec").CStr();
  int number = -1, consumed = 0;
  unsigned offset = 0, size = 0;
  ASSERT_EQ(std::sscanf(location.c_str(), "@%d:%u,%u%n", &number, &offset, &size, &consumed), 3)
      << location;
  EXPECT_EQ(consumed, static_cast<int>(location.size())) << location;
  EXPECT_EQ(pack.substr(offset, size), "big font");
  EXPECT_EQ(Read("fonts/big.mvec"), "big font");
  EXPECT_EQ(Read("a.txt"), "") << "an empty entry opens";
}

TEST_F(PackFilesTest, PacksAreFilesWhoseNameHoldsVqp) {
  mFiles.WriteAsset("one.vqp", PackWriter().Add("one.txt", "1").Bytes());
  mFiles.WriteAsset("two.vqp.bak", PackWriter().Add("two.txt", "2").Bytes());
  mFiles.WriteAsset("three.pak", PackWriter().Add("three.txt", "3").Bytes());
  mFiles.WriteAsset("sub/four.vqp", PackWriter().Add("four.txt", "4").Bytes());
  mFiles.WriteAsset("bad.vqp", "VQPX" + PackWriter().Add("five.txt", "5").Bytes().substr(4));
  BuildFileIndex();
  EXPECT_EQ(Read("one.txt"), "1");
  EXPECT_EQ(Read("two.txt"), "2");
  for (const char* unmounted : {"three.txt", "four.txt", "five.txt"}) {
    EXPECT_FALSE(FileExists(unmounted)) << unmounted;
  }
}

TEST_F(PackFilesTest, LaterPacksByNameWinOverEarlierOnes) {
  mFiles.WriteAsset("b.vqp", PackWriter().Add("same.txt", "from b").Bytes());
  mFiles.WriteAsset("a.vqp", PackWriter().Add("same.txt", "from a").Bytes());
  BuildFileIndex();
  EXPECT_EQ(Read("same.txt"), "from b");
}

TEST_F(PackFilesTest, ABadEntryLosesOnlyItself) {
  struct Case {
    const char* fault;
    int32_t offset;
    int32_t size;
    const char* name;
  };
  const int32_t kPackSize = static_cast<int32_t>(PackWriter()
                                                     .Add("first.txt", "first")
                                                     .AddRaw("bad.txt", 0, 0)
                                                     .Add("last.txt", "last")
                                                     .Bytes()
                                                     .size());
  const Case cases[] = {
      {"negative offset", -1, 4, "bad.txt"},
      {"negative size", 0, -4, "bad.txt"},
      {"offset past the end", kPackSize + 1, 0, "bad.txt"},
      {"data running past the end", kPackSize - 2, 3, "bad.txt"},
      {"huge size", 8, INT32_MAX, "bad.txt"},
      {"name with a colon", 0, 4, "user:prefs.dat"},
      {"empty name", 0, 4, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    std::string pack = PackWriter()
                           .Add("first.txt", "first")
                           .AddRaw(c.name, c.offset, c.size)
                           .Add("last.txt", "last")
                           .Bytes();
    mFiles.WriteAsset("data.vqp", pack);
    ClearFileIndex();
    BuildFileIndex();
    EXPECT_EQ(Read("first.txt"), "first");
    EXPECT_EQ(Read("last.txt"), "last");
    EXPECT_NE(ResolvePath(c.name).CharAt(0), '@') << "not in the index";
    EXPECT_NE(LogText().find("data.vqp"), std::string::npos) << "the bad entry is logged";
    std::remove(GetLogPath().CStr());
  }
}

TEST_F(PackFilesTest, ATruncatedDirectoryKeepsTheEntriesBeforeTheCut) {
  // Both entries point at the magic, so their data survives every cut.
  std::string pack = PackWriter().AddRaw("kept.txt", 0, 4).AddRaw("lost.txt", 0, 4).Bytes();
  size_t secondEntry = 8 + 1 + 8 + 8;
  for (size_t cut = secondEntry; cut < pack.size(); ++cut) {
    SCOPED_TRACE(cut);
    mFiles.WriteAsset("data.vqp", pack.substr(0, cut));
    ClearFileIndex();
    BuildFileIndex();
    EXPECT_EQ(Read("kept.txt"), "VQPK");
    EXPECT_FALSE(FileExists("lost.txt"));
  }
  EXPECT_NE(LogText().find("ends after 1 of its 2 entries"), std::string::npos);
}

TEST_F(PackFilesTest, AnEntryCountBeyondTheDirectoryStopsAtItsEnd) {
  std::string pack = PackWriter().AddRaw("only.txt", 0, 4).Bytes();
  for (int32_t count : {1000000, INT32_MAX, -1, INT32_MIN}) {
    std::string header = "VQPK";
    PackWriter::AppendInt32(&header, count);
    mFiles.WriteAsset("data.vqp", header + pack.substr(8));
    ClearFileIndex();
    BuildFileIndex();
    EXPECT_EQ(Read("only.txt"), count > 0 ? "VQPK" : "<none>") << count;
  }
}

TEST_F(PackFilesTest, RemountingKeepsThePackNumberAndTakesTheNewEntries) {
  mFiles.WriteAsset("data.vqp", PackWriter().Add("old.txt", "old").Add("kept.txt", "v1").Bytes());
  BuildFileIndex();
  std::string before = ResolvePath("kept.txt").CStr();
  mFiles.WriteAsset("data.vqp", PackWriter().Add("kept.txt", "version 2").Bytes());
  ClearFileIndex();
  BuildFileIndex();
  std::string after = ResolvePath("kept.txt").CStr();
  EXPECT_EQ(before.substr(0, before.find(':')), after.substr(0, after.find(':')));
  EXPECT_EQ(Read("kept.txt"), "version 2");
  EXPECT_FALSE(FileExists("old.txt"));
}

TEST_F(PackFilesTest, EntriesLeftFromAnEarlierMountDoNotReadPastTheNewPack) {
  mFiles.WriteAsset("data.vqp", PackWriter().Add("big.bin", std::string(4096, 'x')).Bytes());
  BuildFileIndex();
  mFiles.WriteAsset("data.vqp.new", PackWriter().Add("small.bin", "s").Bytes());
  std::rename(mFiles.AssetPath("data.vqp.new").c_str(), mFiles.AssetPath("data.vqp").c_str());
  BuildFileIndex();  // the index was not cleared: big.bin still names the pack
  EXPECT_EQ(Read("big.bin"), "<none>");
  EXPECT_NE(LogText().find("lies outside its pack"), std::string::npos);
  EXPECT_EQ(Read("small.bin"), "s");
}

TEST_F(PackFilesTest, AnOpenEntrySurvivesARemount) {
  std::string first(4096, 'a');
  mFiles.WriteAsset("data.vqp", PackWriter().Add("music.ogg", first).Bytes());
  BuildFileIndex();
  FileHandle playing(FileOpen("music.ogg", kFileReadBinary));
  ASSERT_TRUE(playing);
  char head[10];
  ASSERT_EQ(FileRead(playing.get(), head, sizeof head), 10);

  // An update replaces the pack file as a whole, then the index is rebuilt.
  std::string second(4096, 'b');
  mFiles.WriteAsset("data.vqp.new", PackWriter().Add("music.ogg", second).Bytes());
  std::rename(mFiles.AssetPath("data.vqp.new").c_str(), mFiles.AssetPath("data.vqp").c_str());
  ClearFileIndex();
  BuildFileIndex();

  std::string rest(first.size(), '\0');
  rest.resize(FileRead(playing.get(), rest.data(), static_cast<int32_t>(rest.size())));
  EXPECT_EQ(rest, first.substr(10));
  EXPECT_EQ(Read("music.ogg"), second);
}

}  // namespace
