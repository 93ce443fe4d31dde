#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/BuiltDataFolder.h"
#include "tests/support/TempFolder.h"

// A copy of the data folder the build made, in a temporary program folder,
// for scenarios that play the game over data changed for them.
class CopiedDataFolder {
 public:
  CopiedDataFolder() {
    std::filesystem::copy(std::filesystem::path(BuiltDataFolder::ProgramFolder()) / "assets", Assets(),
                          std::filesystem::copy_options::recursive);
  }

  std::string ProgramFolder() const { return mFolder.Path(); }
  std::filesystem::path Assets() const { return std::filesystem::path(mFolder.Path()) / "assets"; }

  // Sets the value of the table row whose key ends the text `row` (the key
  // and the markup up to its value) in the data file `name`; nothing when
  // the file has no such row.
  void SetRowValue(const std::string& name, const std::string& row, const std::string& value) {
    const std::filesystem::path file = Assets() / name;
    std::string text;
    {
      std::ifstream in(file, std::ios::binary);
      text.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t found = text.find(row);
    if (found == std::string::npos) return;
    const size_t start = found + row.size();
    text.replace(start, text.find('<', start) - start, value);
    std::ofstream(file, std::ios::binary) << text;
  }

  // Writes the data file `name`, making its folders.
  void Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path file = Assets() / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }

 private:
  TempFolder mFolder;
};
