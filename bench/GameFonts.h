#pragma once

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "media/text/TVecFont.h"
#include "tests/support/FakePlatform.h"

// The game's fonts read from the repository's root, where the benchmarks run.
inline TVecFont& BenchFontFile(const char* path) {
  static std::vector<std::unique_ptr<TVecFont>> fonts;
  std::ifstream in(path, std::ios::binary);
  fonts.push_back(std::make_unique<TVecFont>(
      std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())));
  return *fonts.back();
}

// The game's fonts on a platform face that draws on our device.
inline void InstallGameFonts(FakePlatform& platform) {
  static TVecFont& regular = BenchFontFile("assets/fonts/default.mvec");
  static TVecFont& other = BenchFontFile("assets/fonts/palabi.mvec");
  platform.recording = false;
  platform.fonts["__DEFAULT"] = &regular;
  platform.fonts["fonts/default.mvec"] = &regular;
  platform.fonts["fonts/palabi.mvec"] = &other;
}
