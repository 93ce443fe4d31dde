#include "system/os/DiskFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "system/os/LayerLog.h"

namespace sys {

bool FlushToDisk(std::FILE* stream) {
  if (std::fflush(stream) != 0 || std::ferror(stream)) {
    WriteLog("Cannot write a file: %s", std::strerror(errno));
    return false;
  }
  if (fsync(fileno(stream)) != 0 && errno != EINVAL) {  // EINVAL: a device that keeps nothing
    WriteLog("Cannot store a file on the disk: %s", std::strerror(errno));
    return false;
  }
  return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  WriteLog("Cannot rename %s to %s: %s", from.c_str(), to.c_str(), std::strerror(errno));
  return false;
}

bool DeleteFile(const std::string& path) {
  if (unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  WriteLog("Cannot delete %s: %s", path.c_str(), std::strerror(errno));
  return false;
}

}  // namespace sys
