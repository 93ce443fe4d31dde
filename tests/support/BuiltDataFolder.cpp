#include "tests/support/BuiltDataFolder.h"

#include <filesystem>

#include "platform/file/FileIndex.h"

BuiltDataFolder::BuiltDataFolder() {
  for (const char* folder : {"user", "common"}) std::filesystem::create_directories(mDataFolders.File(folder));
  SetProgramFolder(ProgramFolder().c_str());
  SetDataFolders(mDataFolders.File("user").c_str(), mDataFolders.File("common").c_str());
  SetFirstPeek(false);
  ClearFileIndex();
  BuildFileIndex();
}

BuiltDataFolder::~BuiltDataFolder() { ClearFileIndex(); }

std::string BuiltDataFolder::ProgramFolder() { return QUORVANE_BUILD_FOLDER; }
