#include "system/os/DiskFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

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
    EXPECT_EQ(sys::FlushToDisk(stream), accepted) << path;
    std::fclose(stream);
  }
  EXPECT_EQ(ReadWholeFile(folder.File("kept.bin")), "bytes");
  EXPECT_TRUE(log.Contains("No space left on device"));
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

}  // namespace
