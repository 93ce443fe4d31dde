// The data folder beside the program is a folder of its own, made by the
// build: the committed files are copied in byte for byte (never linked, so
// nothing made there can land in the sources), and the file layer finds them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "media/text/TFontCache.h"
#include "media/text/TVecFont.h"
#include "platform/file/FileIndex.h"
#include "platform/file/TFile.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadDisk(const fs::path& path) {
  std::string bytes;
  EXPECT_TRUE(FileReadAll(("::" + path.string()).c_str(), &bytes)) << path;
  return bytes;
}

TEST(DataFolder, IsARealFolderApartFromTheSources) {
  const fs::path data = fs::path(BuiltDataFolder::ProgramFolder()) / "assets";
  ASSERT_TRUE(fs::is_directory(fs::symlink_status(data))) << data;
  EXPECT_FALSE(fs::is_symlink(data));
}

TEST(DataFolder, HoldsEveryCommittedFileAsWritten) {
  BuiltDataFolder folder;
  const fs::path sources = fs::path(QUORVANE_SOURCE_FOLDER) / "assets";
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(sources)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = fs::relative(entry.path(), sources).generic_string();
    std::string built;
    ASSERT_TRUE(FileReadAll(name.c_str(), &built)) << name;
    EXPECT_EQ(built, ReadDisk(entry.path())) << name;
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(DataFolder, FontsLoadByTheirLogicalNames) {
  BuiltDataFolder folder;
  TFontCache cache;
  for (const char* name : {"fonts/default.mvec", "fonts/palabi.mvec"}) {
    ASSERT_TRUE(FileExists(name)) << name;
    TVecFont* font = cache.GetFont(name);
    ASSERT_NE(font, nullptr) << name;
    EXPECT_GT(font->GetCount(), 0) << name;
  }
}

}  // namespace
