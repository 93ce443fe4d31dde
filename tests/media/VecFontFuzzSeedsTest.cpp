// The vector-font fuzzing program's seeds and past findings, replayed
// through its own entry as regression cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/VecFontFuzz.cpp"

TEST(VecFontFuzzSeeds, EachLoadsAndDrawsWithoutFault) {
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator("fuzz/seeds/VecFontFuzz")) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0) << entry.path();
    ++replayed;
  }
  EXPECT_GE(replayed, 2);
}
