#include "media/sound/TSoundThreadWait.h"

#include <chrono>

bool TTimedSoundWait::Pause() {
  std::unique_lock lock(mMutex);
  return !mWake.wait_for(lock, std::chrono::milliseconds(mMilliseconds), [this] { return mStopped; });
}

void TTimedSoundWait::Stop() {
  {
    std::lock_guard lock(mMutex);
    mStopped = true;
  }
  mWake.notify_all();
}
