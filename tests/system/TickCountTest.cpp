#include "system/os/TickCount.h"

#include <gtest/gtest.h>

namespace {

uint32_t FixedTick() { return 0xFFFFFFFE; }

TEST(TickCount, SteadyClockNeverGoesBack) {
  uint32_t earlier = sys::TickCount();
  for (int i = 0; i < 1000; ++i) {
    uint32_t later = sys::TickCount();
    ASSERT_GE(static_cast<int32_t>(later - earlier), 0);
    earlier = later;
  }
}

TEST(TickCount, ReplacedSourceIsReadUntilRemoved) {
  sys::SetTickSource(FixedTick);
  EXPECT_EQ(sys::TickCount(), 0xFFFFFFFEu);
  sys::SetTickSource(nullptr);
  EXPECT_NE(sys::TickCount(), 0xFFFFFFFEu);
}

}  // namespace
