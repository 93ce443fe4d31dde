#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Hands every file of a fuzzing program's seed folder (fuzz/seeds/<program>,
// seeds and past findings) to the program's entry, which must answer 0 for
// each. Returns how many were replayed.
inline int ReplayFuzzSeeds(const char* program, int (*entry)(const uint8_t* data, size_t size)) {
  int replayed = 0;
  for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path("fuzz/seeds") / program)) {
    std::ifstream in(file.path(), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(entry(bytes.data(), bytes.size()), 0) << file.path();
    ++replayed;
  }
  return replayed;
}
