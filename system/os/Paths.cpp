#include "system/os/Paths.h"

#include <unistd.h>

#include <filesystem>

namespace sys {

std::string ProgramPath() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? "" : program.string();
}

std::string ProgramFolder() {
  std::filesystem::path program = ProgramPath();
  if (!program.has_parent_path()) return ".";
  return program.parent_path().string();
}

std::string CurrentFolder() {
  std::error_code error;
  std::filesystem::path current = std::filesystem::current_path(error);
  return error ? "" : current.string();
}

bool SetCurrentFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::current_path(path, error);
  return !error;
}

std::string CanonicalPath(const std::string& path) {
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::canonical(path, error);
  return error ? path : canonical.string();
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
