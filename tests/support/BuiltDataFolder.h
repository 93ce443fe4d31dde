#pragma once

#include <string>

#include "tests/support/TempFolder.h"

// Points the file layer at the data folder the build made beside the program
// ("assets" in the build tree), with the "user:" and "common:" folders in a
// fresh temporary folder, and indexes it. The destructor empties the index.
class BuiltDataFolder {
 public:
  BuiltDataFolder();
  ~BuiltDataFolder();
  BuiltDataFolder(const BuiltDataFolder&) = delete;
  BuiltDataFolder& operator=(const BuiltDataFolder&) = delete;

  // The build tree: the program folder, which holds "assets".
  static std::string ProgramFolder();
  // The disk path of a file of the data folder.
  static std::string Path(const std::string& name) { return ProgramFolder() + "/assets/" + name; }

 private:
  TempFolder mDataFolders;
};
