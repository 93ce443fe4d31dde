#pragma once

#include <string>

// Where the program keeps its files on this machine. Each folder follows the
// XDG base-directory variables, so tests can point them at a temporary folder.
namespace sys {

// $XDG_DATA_HOME, else ~/.local/share: root of the per-user data folders.
std::string UserDataRoot();
// $XDG_STATE_HOME, else ~/.local/state: root of the data shared by all users.
std::string CommonDataRoot();
// $XDG_CACHE_HOME, else ~/.cache: holds the log until the data folder is known.
std::string CacheFolder();
// $XDG_RUNTIME_DIR, else the cache folder: holds the single-instance lock.
std::string RuntimeFolder();

// Creates the folder and any missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);
bool FolderExists(const std::string& path);

}  // namespace sys
