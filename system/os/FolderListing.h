#pragma once

#include <string>
#include <vector>

namespace sys {

struct FolderEntry {
  enum class Kind { File, Folder };
  std::string name;
  Kind kind;
};

// The files and folders directly inside a folder, sorted by name, without "."
// and "..". A symbolic link counts as the file it points to; a link to a
// folder, a dangling link and anything that is neither file nor folder are
// left out, so walking the tree never leaves it or runs in a circle. An
// unreadable folder gives an empty list.
std::vector<FolderEntry> ListFolder(const std::string& path);

}  // namespace sys
