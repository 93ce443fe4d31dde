// Entry of every test program: runs headless, with every per-user folder
// pointed into a temporary folder, so no test touches the real home folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/TempFolder.h"

int main(int argc, char** argv) {
  TempFolder home;
  setenv("HOME", home.Path().c_str(), 1);
  setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
  setenv("XDG_STATE_HOME", home.File("state").c_str(), 1);
  setenv("XDG_CACHE_HOME", home.File("cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", home.File("runtime").c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
