#include <gtest/gtest.h>

#include "system/os/Paths.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(Paths, AbsolutePathJoinsAndTidies) {
  struct Case {
    const char* path;
    const char* base;
    const char* expected;
  };
  const Case cases[] = {
      {"assets/a.vqp", "/opt/game", "/opt/game/assets/a.vqp"},
      {"./assets//fonts/../a.txt", "/opt/game", "/opt/game/assets/a.txt"},
      {"/etc/x", "/opt/game", "/etc/x"},
      {"../up", "/opt/game/", "/opt/up"},
      {"sub/", "/opt/game", "/opt/game/sub"},
      {"", "/opt/game", "/opt/game"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sys::AbsolutePath(c.path, c.base), c.expected) << c.path << " on " << c.base;
  }
}

TEST(Paths, ReadableMeansPresent) {
  TempFolder folder;
  WriteWholeFile(folder.File("here"), "x");
  EXPECT_TRUE(sys::IsReadable(folder.File("here")));
  EXPECT_FALSE(sys::IsReadable(folder.File("gone")));
  EXPECT_FALSE(sys::IsReadable(""));
}

TEST(Paths, ProgramFolderHoldsTheRunningProgram) {
  std::string folder = sys::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_TRUE(sys::IsReadable(folder + "/system_tests"));
}

}  // namespace
