#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/file/TFile.h"
#include "tests/support/DiskFaults.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/PackWriter.h"
#include "tests/support/TestFileLayer.h"

namespace {

// Every reading behaviour holds alike for a loose file and a packed entry.
enum class Source { Disk, Pack };

std::string SourceName(const testing::TestParamInfo<Source>& info) {
  return info.param == Source::Disk ? "Disk" : "Pack";
}

std::string ReadAll(TFile* file) {
  std::string bytes;
  char buffer[3];  // small on purpose: reads continue across calls
  for (int32_t got; (got = FileRead(file, buffer, sizeof buffer)) > 0;) bytes.append(buffer, got);
  return bytes;
}

class ReadingTest : public testing::TestWithParam<Source> {
 protected:
  // Stores the files where the test's source keeps them and builds the index.
  void Store(const std::vector<std::pair<std::string, std::string>>& files) {
    PackWriter pack;
    for (const auto& [name, bytes] : files) {
      if (GetParam() == Source::Disk) {
        mFiles.WriteAsset(name, bytes);
      } else {
        pack.Add(name, bytes);
      }
    }
    if (GetParam() == Source::Pack) mFiles.WriteAsset("test.vqp", pack.Bytes());
    BuildFileIndex();
  }

  FileHandle Open(const char* name, int mode) { return FileHandle(FileOpen(name, mode)); }

  TestFileLayer mFiles;
};

TEST_P(ReadingTest, TextModeDropsCarriageReturns) {
  Store({{"crlf.txt", "a\r\nb"}, {"lines.lua", "x = 1\r\ny = 2\r\n\r\n"}});
  struct Case {
    const char* name;
    int mode;
    std::string expected;
  };
  const Case cases[] = {
      {"crlf.txt", kFileReadText, "a\nb"},
      {"crlf.txt", kFileReadBinary, "a\r\nb"},
      {"crlf.txt", 77, "a\nb"},  // an unknown mode reads text
      {"lines.lua", kFileReadText, "x = 1\ny = 2\n\n"},
  };
  for (const Case& c : cases) {
    FileHandle file = Open(c.name, c.mode);
    ASSERT_TRUE(file) << c.name;
    EXPECT_EQ(ReadAll(file.get()), c.expected) << c.name << " in mode " << c.mode;
  }
  FileHandle file = Open("crlf.txt", kFileReadText);
  char buffer[8];
  EXPECT_EQ(FileRead(file.get(), buffer, sizeof buffer), 3);
}

TEST_P(ReadingTest, SeekTellAndSizeCountBytesOfTheFile) {
  Store({{"digits.bin", "0123456789"}});
  FileHandle file = Open("digits.bin", kFileReadBinary);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->GetSize(), 10);
  struct Case {
    int32_t offset;
    int origin;
    int32_t position;
  };
  const Case cases[] = {
      {4, kSeekStart, 4}, {2, kSeekCurrent, 6}, {-3, kSeekCurrent, 3},
      {-1, kSeekEnd, 9},  {0, kSeekEnd, 10},    {0, kSeekStart, 0},
  };
  for (const Case& c : cases) {
    FileSeek(file.get(), c.offset, c.origin);
    EXPECT_EQ(FileTell(file.get()), c.position) << c.offset << " from origin " << c.origin;
  }
  FileSeek(file.get(), 7, kSeekStart);
  EXPECT_EQ(ReadAll(file.get()), "789");
  EXPECT_TRUE(FileEof(file.get()));
}

TEST_P(ReadingTest, GetCharAndUngetChar) {
  Store({{"abc.txt", "ab\r\nc"}});
  FileHandle file = Open("abc.txt", kFileReadText);
  ASSERT_TRUE(file);
  EXPECT_EQ(FileGetChar(file.get()), 'a');
  EXPECT_EQ(FileGetChar(file.get()), 'b');
  FileUngetChar(file.get());
  EXPECT_EQ(FileGetChar(file.get()), 'b');
  EXPECT_EQ(FileGetChar(file.get()), '\n');
  EXPECT_EQ(FileGetChar(file.get()), 'c');
  EXPECT_EQ(FileGetChar(file.get()), -1);
  EXPECT_TRUE(FileEof(file.get()));
}

TEST_P(ReadingTest, HighBytesReadAsUnsigned) {
  Store({{"high.bin", "\xff\x80"}});
  FileHandle file = Open("high.bin", kFileReadBinary);
  EXPECT_EQ(FileGetChar(file.get()), 0xff);
  EXPECT_EQ(FileGetChar(file.get()), 0x80);
}

INSTANTIATE_TEST_SUITE_P(BothSources, ReadingTest, testing::Values(Source::Disk, Source::Pack),
                         SourceName);

class TFileTest : public testing::Test {
 protected:
  TestFileLayer mFiles;
};

// Whole-file reading, renaming and replacing log what fails.
class TFileSavingTest : public TFileTest {
 protected:
  void SetUp() override { SetLogFolder(mLogs.Path().c_str()); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(mFiles.UserPath(name)); }

  TempFolder mLogs;
  LayerLogCapture mLayerLog;
};

TEST_F(TFileTest, PackedEntriesClampSeeksAndRefuseWrites) {
  mFiles.WriteAsset("test.vqp", PackWriter().Add("digits.bin", "0123456789").Bytes());
  BuildFileIndex();
  FileHandle file(FileOpen("digits.bin", kFileReadBinary));
  ASSERT_TRUE(file);
  for (auto [offset, origin] :
       {std::pair{-1, kSeekStart}, {-11, kSeekEnd}, {11, kSeekStart}, {5, kSeekEnd}}) {
    FileSeek(file.get(), 0, kSeekStart);
    FileSeek(file.get(), offset, origin);
    EXPECT_EQ(FileTell(file.get()), 10) << offset << " from origin " << origin << " lands at the end";
  }
  EXPECT_EQ(FileWrite(file.get(), "x", 1), 0);
  FileHandle writing(FileOpen("digits.bin", kFileWriteBinary));
  EXPECT_EQ(FileWrite(writing.get(), "x", 1), 0);
}

TEST_F(TFileTest, WritesAndAppendsThroughDataNames) {
  FileHandle out(FileOpen("user:scores.bin", kFileWriteBinary));
  ASSERT_TRUE(out);
  EXPECT_EQ(FileWrite(out.get(), "one\n", 4), 4);
  out.reset();
  FileHandle more(FileOpen("user:scores.bin", kFileAppendText));
  EXPECT_EQ(FileWrite(more.get(), "two\n", 4), 4);
  more.reset();
  EXPECT_EQ(ReadWholeFile(mFiles.UserPath("scores.bin")), "one\ntwo\n");

  EXPECT_FALSE(FileOpen("user:no-such-folder/file.bin", kFileWriteBinary)) << "folders are not made";
}

TEST_F(TFileTest, NamesThatDoNotOpenGiveNull) {
  mFiles.WriteAsset("listed.txt", "x");
  BuildFileIndex();
  std::remove(mFiles.AssetPath("listed.txt").c_str());
  for (const char* name : {"listed.txt", "never-there.txt", "user:not-yet.dat", "", "::/no/such/file"}) {
    EXPECT_EQ(FileOpen(name, kFileReadBinary), nullptr) << name;
  }
}

TEST_F(TFileTest, AHandleWithoutDataReadsAsEmpty) {
  TFile closed;
  for (TFile* file : {&closed, static_cast<TFile*>(nullptr)}) {
    char byte = 0;
    EXPECT_TRUE(FileError(file));
    EXPECT_EQ(FileRead(file, &byte, 1), 0);
    EXPECT_EQ(FileWrite(file, &byte, 1), 0);
    EXPECT_EQ(FileTell(file), -1);
    EXPECT_EQ(FileGetChar(file), -1);
    EXPECT_TRUE(FileEof(file));
    FileSeek(file, 1, kSeekStart);
    FileUngetChar(file);
  }
  EXPECT_EQ(closed.GetSize(), 0);
  FileClose(nullptr);
}

}  // namespace

namespace {

TEST_F(TFileSavingTest, ReadAllGivesTheWholeFile) {
  mFiles.Write("user/lines.txt", std::string("a\r\nb\0c", 6));
  std::string bytes = "stale";
  ASSERT_TRUE(FileReadAll("user:lines.txt", &bytes));
  EXPECT_EQ(bytes, std::string("a\r\nb\0c", 6));
  ASSERT_TRUE(FileReadAll("user:lines.txt", &bytes, kFileReadText));
  EXPECT_EQ(bytes, std::string("a\nb\0c", 5));
  EXPECT_FALSE(FileReadAll("user:missing.txt", &bytes));
}

TEST_F(TFileSavingTest, RenameMovesDiskFilesOnly) {
  mFiles.Write("user/a.txt", "a");
  mFiles.WriteAsset("test.vqp", PackWriter().Add("packed.txt", "p").Bytes());
  BuildFileIndex();
  EXPECT_TRUE(FileRename("user:a.txt", "user:b.txt"));
  EXPECT_FALSE(Exists("a.txt"));
  EXPECT_EQ(ReadWholeFile(mFiles.UserPath("b.txt")), "a");
  EXPECT_FALSE(FileRename("packed.txt", "user:c.txt"));
  EXPECT_NE(LogText().find("Cannot rename packed.txt to user:c.txt"), std::string::npos);
}

TEST_F(TFileSavingTest, ReplaceSwapsInTheWholeNewContent) {
  mFiles.Write("user/scores.bin", "old content");
  for (const std::string& bytes : {std::string("new\0bytes", 9), std::string()}) {
    EXPECT_TRUE(FileReplace("user:scores.bin", bytes.data(), static_cast<int32_t>(bytes.size())));
    EXPECT_EQ(ReadWholeFile(mFiles.UserPath("scores.bin")), bytes);
    EXPECT_FALSE(Exists("scores.bin.tmp"));
  }
}

TEST_F(TFileSavingTest, AFailedReplaceLeavesTheOldFileWhole) {
  using sys::DiskOperation;
  enum class Obstacle { kNone, kFolder, kFullDevice };  // what stands at the temporary name
  struct Case {
    const char* fault;
    Obstacle obstacle;
    DiskOperation operation;  // fails with error, when error is not 0
    int error;
  };
  const Case cases[] = {
      {"the temporary name is a folder", Obstacle::kFolder, {}, 0},
      {"the disk is full", Obstacle::kFullDevice, {}, 0},
      {"the folder cannot be written", Obstacle::kNone, DiskOperation::kOpenToWrite, EACCES},
      {"the bytes cannot reach the disk", Obstacle::kNone, DiskOperation::kFlush, EIO},
      {"the file cannot take the old name", Obstacle::kNone, DiskOperation::kRename, EBUSY},
  };
  const std::string temporary = mFiles.UserPath("scores.bin.tmp");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    mFiles.Write("user/scores.bin", "old content");
    if (c.obstacle == Obstacle::kFolder) std::filesystem::create_directory(temporary);
    if (c.obstacle == Obstacle::kFullDevice) std::filesystem::create_symlink("/dev/full", temporary);
    DiskFaults faults;
    if (c.error != 0) faults.Fail(c.operation, "scores.bin.tmp", c.error);
    EXPECT_FALSE(FileReplace("user:scores.bin", "new", 3));
    EXPECT_EQ(faults.Injected(), c.error != 0 ? 1 : 0);
    EXPECT_EQ(ReadWholeFile(mFiles.UserPath("scores.bin")), "old content");
    EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(temporary)),
              c.obstacle == Obstacle::kFolder)
        << "only a temporary file the save made itself is removed";
    std::filesystem::remove(temporary);
  }
  EXPECT_NE(LogText().find("Cannot save user:scores.bin"), std::string::npos);
}

}  // namespace
