#pragma once

#include <string>

// Path services of the operating system that the file layer relies on.
namespace sys {

// Full path of the running program file; "" when it cannot be found.
std::string ProgramPath();
// The folder that holds the running program file, without a trailing "/";
// "." when it cannot be found.
std::string ProgramFolder();

// The process's current folder; "" when it cannot be read.
std::string CurrentFolder();
bool SetCurrentFolder(const std::string& path);
// The one absolute form of an existing path, with links, "." and ".."
// resolved, so two spellings of the same file compare equal; the path as
// written when it does not exist.
std::string CanonicalPath(const std::string& path);

// The path made absolute against base (when relative) with "." and ".."
// steps and doubled separators removed; no disk access.
std::string AbsolutePath(const std::string& path, const std::string& base);

// True when the process may read the file or folder at path.
bool IsReadable(const std::string& path);

}  // namespace sys
