// Entry of every test program: runs headless, with every per-user folder
// pointed into a temporary folder, so no test touches the real home folder.
#include <gtest/gtest.h>

#include "tests/support/Headless.h"

int main(int argc, char** argv) {
  TempFolder home;
  RunHeadlessIn(home);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
