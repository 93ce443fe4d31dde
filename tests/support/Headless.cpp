#include "tests/support/Headless.h"

#include <cstdlib>

void RunHeadlessIn(const TempFolder& home) { RunHeadlessIn(home.Path()); }

void RunHeadlessIn(const std::string& home) {
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_STATE_HOME", (home + "/state").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}
