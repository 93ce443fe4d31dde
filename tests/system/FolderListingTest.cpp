#include <gtest/gtest.h>

#include <filesystem>

#include "system/os/FolderListing.h"
#include "tests/support/TempFolder.h"

namespace {

std::string Describe(const std::vector<sys::FolderEntry>& entries) {
  std::string text;
  for (const sys::FolderEntry& entry : entries) {
    text += entry.name + (entry.kind == sys::FolderEntry::Kind::Folder ? "/ " : " ");
  }
  return text;
}

TEST(FolderListing, ListsFilesAndFoldersByNameWithoutLinkedFolders) {
  TempFolder outside;
  std::filesystem::create_directories(outside.File("tree"));
  WriteWholeFile(outside.File("target.txt"), "t");

  TempFolder folder;
  WriteWholeFile(folder.File("b.txt"), "b");
  WriteWholeFile(folder.File("A.txt"), "a");
  std::filesystem::create_directories(folder.File("sub"));
  std::filesystem::create_directory_symlink(outside.File("tree"), folder.File("linked-folder"));
  std::filesystem::create_directory_symlink(folder.Path(), folder.File("loop"));
  std::filesystem::create_symlink(outside.File("target.txt"), folder.File("linked-file"));
  std::filesystem::create_symlink(outside.File("missing"), folder.File("dangling"));

  EXPECT_EQ(Describe(sys::ListFolder(folder.Path())), "A.txt b.txt linked-file sub/ ");
}

TEST(FolderListing, MissingFolderGivesNothing) {
  TempFolder folder;
  WriteWholeFile(folder.File("file"), "x");
  EXPECT_TRUE(sys::ListFolder(folder.File("missing")).empty());
  EXPECT_TRUE(sys::ListFolder(folder.File("file")).empty());
}

}  // namespace
