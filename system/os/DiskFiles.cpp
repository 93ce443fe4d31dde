#include "system/os/DiskFiles.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "system/os/LayerLog.h"

namespace sys {
namespace {

std::atomic<DiskFaultHook> gFaultHook{nullptr};

// True, with errno set, when a fault is injected for the operation.
bool FaultInjected(DiskOperation operation, const std::string& path) {
  DiskFaultHook hook = gFaultHook.load(std::memory_order_acquire);
  int error = hook ? hook(operation, path) : 0;
  if (error != 0) errno = error;
  return error != 0;
}

bool OpensToRead(const char* mode) { return mode[0] == 'r' && std::strchr(mode, '+') == nullptr; }

}  // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
  DiskOperation operation = OpensToRead(mode) ? DiskOperation::kOpenToRead : DiskOperation::kOpenToWrite;
  if (FaultInjected(operation, path)) return nullptr;
  return std::fopen(path.c_str(), mode);
}

bool FlushToDisk(std::FILE* stream, const std::string& path) {
  if (FaultInjected(DiskOperation::kFlush, path) || std::fflush(stream) != 0 || std::ferror(stream)) {
    WriteLog("Cannot write %s: %s", path.c_str(), std::strerror(errno));
    return false;
  }
  if (fsync(fileno(stream)) != 0 && errno != EINVAL) {  // EINVAL: a device that keeps nothing
    WriteLog("Cannot store %s on the disk: %s", path.c_str(), std::strerror(errno));
    return false;
  }
  return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (!FaultInjected(DiskOperation::kRename, from) && std::rename(from.c_str(), to.c_str()) == 0) {
    return true;
  }
  WriteLog("Cannot rename %s to %s: %s", from.c_str(), to.c_str(), std::strerror(errno));
  return false;
}

bool DeleteFile(const std::string& path) {
  if (!FaultInjected(DiskOperation::kDelete, path) && (unlink(path.c_str()) == 0 || errno == ENOENT)) {
    return true;
  }
  WriteLog("Cannot delete %s: %s", path.c_str(), std::strerror(errno));
  return false;
}

void SetDiskFaultHook(DiskFaultHook hook) { gFaultHook.store(hook, std::memory_order_release); }

}  // namespace sys
