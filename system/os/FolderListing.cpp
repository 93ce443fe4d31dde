#include "system/os/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

namespace sys {
namespace {

bool IsDots(const char* name) { return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])); }

// The kind of an entry, or false when it is to be left out.
bool EntryKind(int folder, const char* name, FolderEntry::Kind* kind) {
  struct stat own;
  if (fstatat(folder, name, &own, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISDIR(own.st_mode)) {
    *kind = FolderEntry::Kind::Folder;
    return true;
  }
  struct stat target;
  if (S_ISLNK(own.st_mode) && fstatat(folder, name, &target, 0) == 0) own = target;
  *kind = FolderEntry::Kind::File;
  return S_ISREG(own.st_mode);
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::string& path) {
  std::vector<FolderEntry> entries;
  DIR* folder = opendir(path.c_str());
  if (!folder) return entries;
  while (const dirent* entry = readdir(folder)) {
    FolderEntry::Kind kind;
    if (!IsDots(entry->d_name) && EntryKind(dirfd(folder), entry->d_name, &kind)) {
      entries.push_back({entry->d_name, kind});
    }
  }
  closedir(folder);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace sys
