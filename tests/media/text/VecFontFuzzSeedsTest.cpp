// The vector-font fuzzing program's seeds and past findings, replayed
// through its own entry as regression cases.
#include <gtest/gtest.h>

#include "fuzz/VecFontFuzz.cpp"
#include "tests/support/FuzzSeeds.h"

TEST(VecFontFuzzSeeds, EachLoadsAndDrawsWithoutFault) {
  EXPECT_GE(ReplayFuzzSeeds("VecFontFuzz", LLVMFuzzerTestOneInput), 2);
}
