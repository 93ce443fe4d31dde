#include "system/os/Folders.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace sys {
namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? home : "/tmp";
}

std::string FromEnvironment(const char* variable, const char* underHome) {
  const char* value = std::getenv(variable);
  if (value && *value == '/') return value;
  return HomeFolder() + underHome;
}

}  // namespace

std::string UserDataRoot() { return FromEnvironment("XDG_DATA_HOME", "/.local/share"); }

std::string CommonDataRoot() { return FromEnvironment("XDG_STATE_HOME", "/.local/state"); }

std::string CacheFolder() { return FromEnvironment("XDG_CACHE_HOME", "/.cache"); }

std::string RuntimeFolder() {
  const char* value = std::getenv("XDG_RUNTIME_DIR");
  if (value && *value == '/') return value;
  return CacheFolder();
}

bool FolderExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolders(const std::string& path) {
  if (path.empty() || FolderExists(path)) return !path.empty();
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string parent = path.substr(0, slash);
    if (!FolderExists(parent) && mkdir(parent.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) && FolderExists(path);
}

}  // namespace sys
