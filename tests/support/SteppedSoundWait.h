#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>

#include "media/sound/TSoundThreadWait.h"

// Holds the sound thread in its pause until the test lets it run once more,
// so the thread's runs happen exactly where the test wants them.
class SteppedSoundWait final : public TSoundThreadWait {
 public:
  bool Pause() override;
  void Stop() override;

  // Lets the thread run once more and returns when it is back in its pause
  // (the first call also waits for the thread's first run). False when the
  // thread did not come back within a few seconds or was stopped.
  bool Step();
  // Threads that have paused here: more than one means a second thread ran.
  std::set<std::thread::id> Threads();

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  uint64_t mArrivals = 0;
  uint64_t mGranted = 0;
  bool mStopped = false;
  std::set<std::thread::id> mThreads;
};
