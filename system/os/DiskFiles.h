#pragma once

#include <cstdio>
#include <string>

// File operations of the operating system that replacing a file in one step
// relies on. Each failure is logged through the layer's log with its reason.
namespace sys {

// Hands the stream's buffered bytes to the system and waits until the disk
// holds them; false when any write to the stream failed (a full disk shows
// here at the latest).
bool FlushToDisk(std::FILE* stream);

// Gives a file a new name in one step: a file that had the new name is
// replaced, and whoever opens that name sees the old file or the new one,
// never a mixture.
bool RenameFile(const std::string& from, const std::string& to);

// Removes a file; true when it is gone, also when it never existed.
bool DeleteFile(const std::string& path);

}  // namespace sys
