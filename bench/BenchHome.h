#pragma once

#include <cstdlib>
#include <string>

#include "bench/BenchFolder.h"

// Points HOME and the XDG folders into a fresh temporary folder while it
// lives, so that nothing a benchmark starts writes into the real home.
// Defined at namespace scope, it is set before the first benchmark runs.
struct BenchHome {
  BenchHome() {
    const std::string path = home.Path().string();
    setenv("HOME", path.c_str(), 1);
    setenv("XDG_DATA_HOME", (path + "/data").c_str(), 1);
    setenv("XDG_STATE_HOME", (path + "/state").c_str(), 1);
    setenv("XDG_CACHE_HOME", (path + "/cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (path + "/runtime").c_str(), 1);
  }
  BenchFolder home;
};
