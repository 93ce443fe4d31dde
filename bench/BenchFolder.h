#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes away.
class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-bench-XXXXXX").string();
    mPath = mkdtemp(pattern.data());
  }
  ~BenchFolder() { std::filesystem::remove_all(mPath); }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  const std::filesystem::path& Path() const { return mPath; }

  // Writes bytes to a file below the folder, making its folders.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::filesystem::path path = mPath / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

 private:
  std::filesystem::path mPath;
};
