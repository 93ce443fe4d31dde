#include "app/FrameRate.h"

void FrameRate::FrameEnded(uint32_t tick) {
  mTimes[mIndex] = tick;
  mIndex = (mIndex + 1) % kFrames;
  if (mIndex != 0) return;
  uint32_t span = tick - mTimes[0];
  // Frames that end within one tick of each other give no rate to divide by.
  if (span == 0) return;
  mFramesPerSecond = kFrames * 1000.0f / static_cast<float>(span);
}
