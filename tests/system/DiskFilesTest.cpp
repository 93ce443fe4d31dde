#include "system/os/DiskFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/support/DiskFaults.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(DiskFiles, FlushReportsBytesTheDiskCannotTake) {
  TempFolder folder;
  LayerLogCapture log;
  for (const auto& [path, accepted] :
       {std::pair{folder.File("kept.bin"), true}, {std::string("/dev/full"), false}}) {
    std::FILE* stream = std::fopen(path.c_str(), "wb");
    ASSERT_NE(stream, nullptr) << path;
    std::fputs("bytes", stream);
    EXPECT_EQ(sys::FlushToDisk(stream, path), accepted) << path;
    std::fclose(stream);
  }
  EXPECT_EQ(ReadWholeFile(folder.File("kept.bin")), "bytes");
  EXPECT_TRUE(log.Contains("Cannot write /dev/full: No space left on device"));
}

TEST(DiskFiles, RenameReplacesTheTargetAndDeleteForgivesAMissingFile) {
  TempFolder folder;
  LayerLogCapture log;
  WriteWholeFile(folder.File("new"), "new");
  WriteWholeFile(folder.File("old"), "old");
  EXPECT_TRUE(sys::RenameFile(folder.File("new"), folder.File("old")));
  EXPECT_EQ(ReadWholeFile(folder.File("old")), "new");
  EXPECT_FALSE(std::filesystem::exists(folder.File("new")));

  EXPECT_FALSE(sys::RenameFile(folder.File("new"), folder.File("old")));
  EXPECT_TRUE(log.Contains("Cannot rename " + folder.File("new")));
  EXPECT_EQ(ReadWholeFile(folder.File("old")), "new");

  EXPECT_TRUE(sys::DeleteFile(folder.File("old")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("old")));
  EXPECT_TRUE(sys::DeleteFile(folder.File("old")));
  std::filesystem::create_directories(folder.File("busy/inside"));
  EXPECT_FALSE(sys::DeleteFile(folder.File("busy"))) << "folders are not files";
}

TEST(DiskFiles, InjectedFaultsFailOperationsAsTheSystemWould) {
  using sys::DiskOperation;
  TempFolder folder;
  LayerLogCapture log;
  const std::string file = folder.File("file");
  const std::string other = folder.File("other");
  struct Case {
    DiskOperation operation;
    int error;
    const char* logged;  // the start of the log line, "" for none
  };
  const Case cases[] = {
      {DiskOperation::kOpenToRead, ENOENT, ""},
      {DiskOperation::kOpenToWrite, EACCES, ""},
      {DiskOperation::kFlush, ENOSPC, "Cannot write "},
      {DiskOperation::kRename, EBUSY, "Cannot rename "},
      {DiskOperation::kDelete, EPERM, "Cannot delete "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.operation));
    WriteWholeFile(file, "kept");
    DiskFaults faults;
    faults.Fail(c.operation, "/file", c.error);
    errno = 0;
    bool succeeded = true;
    switch (c.operation) {
      case DiskOperation::kOpenToRead:
      case DiskOperation::kOpenToWrite: {
        std::FILE* stream = sys::OpenFile(file, c.operation == DiskOperation::kOpenToRead ? "rb" : "ab");
        succeeded = stream != nullptr;
        if (stream) std::fclose(stream);
        break;
      }
      case DiskOperation::kFlush: {
        std::FILE* stream = std::fopen(file.c_str(), "ab");
        succeeded = sys::FlushToDisk(stream, file);
        std::fclose(stream);
        break;
      }
      case DiskOperation::kRename: succeeded = sys::RenameFile(file, other); break;
      case DiskOperation::kDelete: succeeded = sys::DeleteFile(file); break;
    }
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(errno, c.error);
    EXPECT_EQ(faults.Injected(), 1);
    EXPECT_EQ(ReadWholeFile(file), "kept") << "the disk is left as it was";
    EXPECT_FALSE(std::filesystem::exists(other));
    if (*c.logged) {
      EXPECT_TRUE(log.Contains(c.logged + file));
      EXPECT_TRUE(log.Contains(std::strerror(c.error)));
    }
  }
  DiskFaults faults;
  faults.Fail(DiskOperation::kOpenToWrite, "/file", EACCES);
  std::FILE* stream = sys::OpenFile(file, "rb");
  EXPECT_NE(stream, nullptr) << "reading a file is not writing it";
  if (stream) std::fclose(stream);
  EXPECT_TRUE(sys::RenameFile(file, other)) << "other operations run as ever";
}

}  // namespace
