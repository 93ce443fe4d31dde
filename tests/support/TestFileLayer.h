#pragma once

#include <memory>
#include <string>

#include "platform/file/TFile.h"
#include "tests/support/TempFolder.h"

// Owns a file from FileOpen and closes it with FileClose.
struct FileCloser {
  void operator()(TFile* file) const { FileClose(file); }
};
using FileHandle = std::unique_ptr<TFile, FileCloser>;

// Points the file layer at a fresh temporary tree for one test:
//   program/         the program folder, with program/assets
//   user/, common/   the "user:" and "common:" data folders
// The index starts empty (BuildFileIndex fills it from the tree).
// The destructor empties the index again.
class TestFileLayer {
 public:
  TestFileLayer();
  ~TestFileLayer();
  TestFileLayer(const TestFileLayer&) = delete;
  TestFileLayer& operator=(const TestFileLayer&) = delete;

  std::string ProgramFolder() const { return mRoot.File("program"); }
  std::string AssetPath(const std::string& name) const { return mRoot.File("program/assets/" + name); }
  std::string UserPath(const std::string& name) const { return mRoot.File("user/" + name); }
  std::string CommonPath(const std::string& name) const { return mRoot.File("common/" + name); }

  // Writes a file below the tree's root, creating its folders.
  void Write(const std::string& pathBelowRoot, const std::string& bytes) const;
  void WriteAsset(const std::string& name, const std::string& bytes) const {
    Write("program/assets/" + name, bytes);
  }

 private:
  TempFolder mRoot;
};
