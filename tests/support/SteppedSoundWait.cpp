#include "tests/support/SteppedSoundWait.h"

#include <chrono>

namespace {

constexpr auto kLimit = std::chrono::seconds(10);

}  // namespace

bool SteppedSoundWait::Pause() {
  std::unique_lock lock(mMutex);
  mThreads.insert(std::this_thread::get_id());
  ++mArrivals;
  mChanged.notify_all();
  mChanged.wait(lock, [this] { return mGranted > 0 || mStopped; });
  if (mStopped) return false;
  --mGranted;
  return true;
}

void SteppedSoundWait::Stop() {
  {
    std::lock_guard lock(mMutex);
    mStopped = true;
  }
  mChanged.notify_all();
}

bool SteppedSoundWait::Step() {
  std::unique_lock lock(mMutex);
  if (!mChanged.wait_for(lock, kLimit, [this] { return mArrivals > 0 || mStopped; }) || mStopped) return false;
  const uint64_t back = mArrivals + 1;
  ++mGranted;
  mChanged.notify_all();
  return mChanged.wait_for(lock, kLimit, [&] { return mArrivals >= back || mStopped; }) && !mStopped;
}

std::set<std::thread::id> SteppedSoundWait::Threads() {
  std::lock_guard lock(mMutex);
  return mThreads;
}
