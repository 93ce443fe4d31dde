#pragma once

#include <cstdint>

// The drawing rate, measured over the last 15 frames: every 15th frame
// divides 15 frames by the time since the frame 15 frames back. It stays 0
// until the first 15 frames have ended.
class FrameRate {
 public:
  static constexpr int kFrames = 15;

  // A frame ended at the tick (milliseconds).
  void FrameEnded(uint32_t tick);
  float GetFramesPerSecond() const { return mFramesPerSecond; }

 private:
  uint32_t mTimes[kFrames] = {};
  int mIndex = 0;
  float mFramesPerSecond = 0;
};
