#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"

// What the platform's fuzzing programs share: a scratch tree, made on first
// use and removed at exit, with a program folder (program/assets) and the
// "user:" and "common:" folders, into which the file layer and the log are
// pointed, so that inputs can be read as files. It lies in memory (/dev/shm)
// where the system has such a folder, so that saving, which waits for the
// disk, stays fast.
class FuzzScratch {
 public:
  static const FuzzScratch& Get() {
    static const FuzzScratch scratch;
    return scratch;
  }

  std::string Path(const std::string& name) const { return mRoot + "/" + name; }

  // Writes bytes to a file below the root, replacing it.
  void Write(const std::string& name, const uint8_t* data, size_t size) const {
    std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(data), size);
  }

  void Write(const std::string& name, const std::string& bytes) const {
    Write(name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }

 private:
  FuzzScratch() {
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::string pattern = (base / "quorvane-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    mRoot = pattern;
    for (const char* folder : {"program/assets", "user", "common"}) {
      std::filesystem::create_directories(Path(folder));
    }
    SetProgramFolder(Path("program").c_str());
    SetDataFolders(Path("user").c_str(), Path("common").c_str());
    SetLogFolder(Path("log").c_str());
  }

  ~FuzzScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(mRoot, ignored);
  }

  std::string mRoot;
};
