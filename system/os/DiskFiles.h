#pragma once

#include <cstdio>
#include <string>

// The disk operations of the file layer: opening files, and what replacing a
// file in one step relies on. Each failure of the last three is logged through
// the layer's log with its reason.
namespace sys {

// Opens a file with a C stdio mode; null (errno set) when it cannot be opened.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Hands the stream's buffered bytes to the system and waits until the disk
// holds them; false when any write to the stream failed (a full disk shows
// here at the latest). path names the stream's file in the log.
bool FlushToDisk(std::FILE* stream, const std::string& path);

// Gives a file a new name in one step: a file that had the new name is
// replaced, and whoever opens that name sees the old file or the new one,
// never a mixture.
bool RenameFile(const std::string& from, const std::string& to);

// Removes a file; true when it is gone, also when it never existed.
bool DeleteFile(const std::string& path);

// Failures that tests make happen where a real disk cannot be made to fail on
// demand (a folder without write permission does not bind the superuser).
enum class DiskOperation {
  kOpenToRead,
  kOpenToWrite,  // also to append
  kFlush,
  kRename,       // the path is the file's old name
  kDelete,
};
// Called before each operation with the path it concerns: gives the errno
// value the operation fails with, as the system's call would, or 0 to let it
// run. Null (the default) injects nothing. May be called from any thread.
using DiskFaultHook = int (*)(DiskOperation operation, const std::string& path);
void SetDiskFaultHook(DiskFaultHook hook);

}  // namespace sys
