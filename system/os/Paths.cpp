#include "system/os/Paths.h"

#include <unistd.h>

#include <filesystem>

namespace sys {

std::string ProgramFolder() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.has_parent_path()) return ".";
  return program.parent_path().string();
}

std::string AbsolutePath(const std::string& path, const std::string& base) {
  std::filesystem::path full(path);
  if (full.is_relative()) full = std::filesystem::path(base) / full;
  std::string normal = full.lexically_normal().string();
  if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

bool IsReadable(const std::string& path) { return !path.empty() && access(path.c_str(), R_OK) == 0; }

}  // namespace sys
