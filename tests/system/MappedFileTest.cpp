#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "system/os/MappedFile.h"
#include "tests/support/TempFolder.h"

namespace {

std::string Contents(const sys::MappedFile& view) {
  return std::string(reinterpret_cast<const char*>(view.Data()), view.Size());
}

TEST(MappedFile, ViewsTheWholeFileAndOutlivesItsName) {
  TempFolder folder;
  std::string bytes("pack\0data", 9);
  WriteWholeFile(folder.File("a.vqp"), bytes);
  sys::MappedFile view;
  ASSERT_TRUE(view.Open(folder.File("a.vqp")));
  std::remove(folder.File("a.vqp").c_str());
  EXPECT_EQ(Contents(view), bytes);

  WriteWholeFile(folder.File("b.vqp"), "second");
  ASSERT_TRUE(view.Open(folder.File("b.vqp")));
  EXPECT_EQ(Contents(view), "second");
  view.Close();
  EXPECT_EQ(view.Data(), nullptr);
  EXPECT_EQ(view.Size(), 0u);
}

TEST(MappedFile, FailsOnWhatCannotBeMapped) {
  TempFolder folder;
  WriteWholeFile(folder.File("empty"), "");
  WriteWholeFile(folder.File("real"), "x");
  sys::MappedFile view;
  ASSERT_TRUE(view.Open(folder.File("real")));
  for (const std::string& path : {folder.File("missing"), folder.File("empty"), folder.Path()}) {
    EXPECT_FALSE(view.Open(path)) << path;
    EXPECT_EQ(view.Data(), nullptr) << "a failed open leaves no earlier view behind";
  }
}

}  // namespace
