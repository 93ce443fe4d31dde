// The mark-up fuzzing program's seeds and past findings, replayed through
// its own entry as regression cases. The entry is renamed, as this program
// holds another fuzzing program's entry too.
#include <gtest/gtest.h>

#define LLVMFuzzerTestOneInput MarkupFuzzTestOneInput
#include "fuzz/MarkupFuzz.cpp"
#undef LLVMFuzzerTestOneInput
#include "tests/support/FuzzSeeds.h"

TEST(MarkupFuzzSeeds, EachLaysOutAndDrawsWithoutFault) {
  EXPECT_GE(ReplayFuzzSeeds("MarkupFuzz", MarkupFuzzTestOneInput), 3);
}
