#pragma once

#include <cstdint>

// A pausable millisecond clock on game time. A new clock is paused at 0; its
// first Start runs it from 0, and every later Start resumes it from the value
// it showed when it was paused. Values are unsigned 32-bit and wrap.
class TClock {
 public:
  TClock() = default;
  virtual ~TClock() = default;

  uint32_t GetTime() const;
  // Shows value from now on; running or paused stays as it was.
  uint32_t SetTime(uint32_t value);
  void Start();
  // Returns whether the clock was already paused.
  bool Pause();
  // Pauses the clock at 0.
  uint32_t Reset();

 private:
  bool mPaused = true;
  bool mStarted = false;
  uint32_t mStartStamp = 0;   // game time at the last SetTime
  uint32_t mBase = 0;         // value at the last SetTime
  uint32_t mFrozen = 0;       // value shown while paused
  uint32_t mPausedTotal = 0;  // time spent paused since the last SetTime
};
