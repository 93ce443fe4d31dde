#include "tests/support/Headless.h"

#include <cstdlib>

void RunHeadlessIn(const TempFolder& home) {
  setenv("HOME", home.Path().c_str(), 1);
  setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
  setenv("XDG_STATE_HOME", home.File("state").c_str(), 1);
  setenv("XDG_CACHE_HOME", home.File("cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", home.File("runtime").c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}
