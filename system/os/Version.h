#pragma once

#include <cstdint>
#include <string>

namespace sys {

// What the program says about itself: its four-part file version, the product
// name that names its data folders, and the internal name of the build.
struct VersionBlock {
  uint16_t fileVersion[4] = {};
  std::string productName;
  std::string internalName;
};

// The block built into this program from the project's version.
const VersionBlock& ProgramVersion();

}  // namespace sys
