#include "tests/support/FuzzFileLayer.h"

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"

namespace {

struct FuzzFiles {
  FuzzFiles() { SetLogFolder(logs.Path().c_str()); }

  TempFolder logs;
  TestFileLayer files;
};

FuzzFiles& Files() {
  static FuzzFiles files;
  return files;
}

}  // namespace

const TestFileLayer& FuzzFileLayer() { return Files().files; }

void WriteFuzzAsset(const std::string& name, const std::string& bytes) {
  FuzzFileLayer().WriteAsset(name, bytes);
  ClearFileIndex();
  BuildFileIndex();
}
