// What every program of the sanitized build carries so that LeakSanitizer
// reports leaks of our own only: suppressions of the desktop libraries SDL
// loads, and libraries that stay loaded until the process ends.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "system/os/Paths.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>

// Weak: a program without them still links, and has none.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions();

namespace {

// The patterns of the baked-in suppressions, without comments.
std::vector<std::string> SuppressedPatterns() {
  std::vector<std::string> patterns;
  if (!__lsan_default_suppressions) return patterns;
  std::istringstream lines(__lsan_default_suppressions());
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    patterns.push_back(line);
  }
  return patterns;
}

TEST(SanitizedProgram, OnlyTheDesktopLibrariesLeaksAreSuppressed) {
  const std::vector<std::string> patterns = SuppressedPatterns();
  ASSERT_FALSE(patterns.empty());
  EXPECT_NE(std::find(patterns.begin(), patterns.end(), "leak:libdbus-1.so"), patterns.end());
  // D-Bus and the GL driver's libraries, each named by a part of its file name.
  const std::regex desktop("leak:(libdbus-1\\.so|libGLX_mesa\\.so|libEGL_mesa\\.so|_dri\\.so|libgallium|"
                           "libglapi\\.so|libLLVM)");
  for (const std::string& pattern : patterns) EXPECT_TRUE(std::regex_match(pattern, desktop)) << pattern;
}

// Memory a library's globals hold stays reachable while the library is
// mapped; unloaded, it would look lost and its frames could not be named.
TEST(SanitizedProgram, AnUnloadedLibraryStaysMappedAndItsMemoryReachable) {
  const std::string path = sys::ProgramFolder() + "/heldMemoryHook.so";
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  ASSERT_NE(dlsym(library, "HeldMemory"), nullptr);
  EXPECT_EQ(dlclose(library), 0);
  EXPECT_NE(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
  EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "see the leak report above";
}

}  // namespace

#endif
