#pragma once

#include <string>

// Path services of the operating system that the file layer relies on.
namespace sys {

// The folder that holds the running program file, without a trailing "/";
// "." when it cannot be found.
std::string ProgramFolder();

// The path made absolute against base (when relative) with "." and ".."
// steps and doubled separators removed; no disk access.
std::string AbsolutePath(const std::string& path, const std::string& base);

// True when the process may read the file or folder at path.
bool IsReadable(const std::string& path);

}  // namespace sys
