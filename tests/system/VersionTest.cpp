#include "system/os/Version.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(Version, TheBlockCarriesTheProjectVersion) {
  const sys::VersionBlock& block = sys::ProgramVersion();
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", block.fileVersion[0], block.fileVersion[1], block.fileVersion[2],
                block.fileVersion[3]);
  EXPECT_STREQ(text, QUORVANE_EXPECTED_VERSION);
  EXPECT_EQ(block.productName, "quorvane");
  EXPECT_FALSE(block.internalName.empty());
}

}  // namespace
