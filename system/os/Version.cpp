#include "system/os/Version.h"

namespace sys {
namespace {

#include "system/os/VersionBlock.inc"

VersionBlock BuiltInBlock() {
  VersionBlock block;
  for (int part = 0; part < 4; ++part) block.fileVersion[part] = kFileVersion[part];
  block.productName = kProductName;
  block.internalName = kInternalName;
  return block;
}

}  // namespace

const VersionBlock& ProgramVersion() {
  static const VersionBlock block = BuiltInBlock();
  return block;
}

}  // namespace sys
