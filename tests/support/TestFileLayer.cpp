#include "tests/support/TestFileLayer.h"

#include <filesystem>

#include "platform/file/FileIndex.h"

TestFileLayer::TestFileLayer() {
  for (const char* folder : {"program/assets", "user", "common"}) {
    std::filesystem::create_directories(mRoot.File(folder));
  }
  SetProgramFolder(ProgramFolder().c_str());
  SetDataFolders(mRoot.File("user").c_str(), mRoot.File("common").c_str());
  SetFirstPeek(false);
  ClearFileIndex();
}

TestFileLayer::~TestFileLayer() { ClearFileIndex(); }

void TestFileLayer::Write(const std::string& pathBelowRoot, const std::string& bytes) const {
  std::filesystem::path path(mRoot.File(pathBelowRoot));
  std::filesystem::create_directories(path.parent_path());
  WriteWholeFile(path.string(), bytes);
}
