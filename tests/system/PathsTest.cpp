#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

TEST(Paths, TheProgramFolderHoldsTheProgram) {
  std::string path = sys::ProgramPath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(path.rfind('/') + 1), "system_tests");
  EXPECT_EQ(sys::ProgramFolder() + "/system_tests", path);
}

TEST(Paths, TheCurrentFolderCanBeChangedAndRestored) {
  TempFolder folder;
  std::string start = sys::CurrentFolder();
  ASSERT_FALSE(start.empty());
  ASSERT_TRUE(sys::SetCurrentFolder(folder.Path()));
  EXPECT_EQ(sys::CurrentFolder(), sys::CanonicalPath(folder.Path()));
  EXPECT_FALSE(sys::SetCurrentFolder(folder.File("missing")));
  ASSERT_TRUE(sys::SetCurrentFolder(start));
}

TEST(Paths, TwoSpellingsOfOneFileShareACanonicalPath) {
  TempFolder folder;
  ASSERT_EQ(mkdir(folder.File("real").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(folder.File("real/sub").c_str(), 0755), 0);
  WriteWholeFile(folder.File("real/game"), "x");
  ASSERT_EQ(symlink(folder.File("real").c_str(), folder.File("link").c_str()), 0);
  std::string canonical = sys::CanonicalPath(folder.File("real/game"));
  EXPECT_EQ(sys::CanonicalPath(folder.File("link/game")), canonical);
  EXPECT_EQ(sys::CanonicalPath(folder.File("real/sub/../game")), canonical);
  EXPECT_EQ(sys::CanonicalPath(folder.File("missing")), folder.File("missing")) << "a missing path stays as written";
}

}  // namespace
