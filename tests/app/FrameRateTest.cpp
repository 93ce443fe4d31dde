#include "app/FrameRate.h"

#include <gtest/gtest.h>

namespace {

// Feeds frames that each end `step` ms after the one before, from tick `start`.
void EndFrames(FrameRate& rate, int frames, uint32_t& tick, uint32_t step) {
  for (int frame = 0; frame < frames; ++frame) rate.FrameEnded(tick += step);
}

TEST(FrameRate, IsMeasuredEveryFifteenthFrame) {
  FrameRate rate;
  uint32_t tick = 1000;
  EndFrames(rate, 14, tick, 10);
  EXPECT_EQ(rate.GetFramesPerSecond(), 0.0f) << "the first 14 frames leave it at 0";
  EndFrames(rate, 1, tick, 10);
  EXPECT_FLOAT_EQ(rate.GetFramesPerSecond(), 15000.0f / 140.0f);
  EndFrames(rate, 14, tick, 20);
  EXPECT_FLOAT_EQ(rate.GetFramesPerSecond(), 15000.0f / 140.0f) << "frames 16 to 29 change nothing";
  EndFrames(rate, 1, tick, 20);
  EXPECT_FLOAT_EQ(rate.GetFramesPerSecond(), 15000.0f / 280.0f);
}

TEST(FrameRate, FramesWithinOneTickKeepTheLastRate) {
  FrameRate rate;
  uint32_t tick = 0xFFFFFF00u;  // across the wrap of the tick
  EndFrames(rate, 15, tick, 16);
  float measured = rate.GetFramesPerSecond();
  EXPECT_FLOAT_EQ(measured, 15000.0f / (14 * 16));
  EndFrames(rate, 15, tick, 0);
  EXPECT_FLOAT_EQ(rate.GetFramesPerSecond(), measured);
}

}  // namespace
