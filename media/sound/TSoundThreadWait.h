#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// The sound thread's pause between two of its runs. Stop may come from
// another thread at any time: it ends a pause at once and makes every later
// one return false, so the thread can be joined without waiting out a pause.
class TSoundThreadWait {
 public:
  virtual ~TSoundThreadWait() = default;
  // True after the pause; false once stopped.
  virtual bool Pause() = 0;
  virtual void Stop() = 0;
};

// Pauses for a fixed time on a condition variable.
class TTimedSoundWait final : public TSoundThreadWait {
 public:
  explicit TTimedSoundWait(uint32_t milliseconds) : mMilliseconds(milliseconds) {}

  bool Pause() override;
  void Stop() override;

 private:
  const uint32_t mMilliseconds;
  std::mutex mMutex;
  std::condition_variable mWake;
  bool mStopped = false;
};
