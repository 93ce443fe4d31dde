#include "app/CursorPollThread.h"

#include <chrono>

void CursorPollThread::Start(Poll poll) {
  if (IsRunning()) return;
  mPoll = std::move(poll);
  mQuit = false;
  mThread = std::thread([this] { Run(); });
}

void CursorPollThread::Stop() {
  if (!IsRunning()) return;
  {
    std::lock_guard lock(mWakeMutex);
    mQuit = true;
  }
  mWake.notify_all();
  mThread.join();
}

void CursorPollThread::Run() {
  uint32_t pause = 0;
  while (PollOnce(pause)) {
    std::unique_lock lock(mWakeMutex);
    if (mWake.wait_for(lock, std::chrono::milliseconds(pause), [this] { return mQuit; })) return;
  }
}

// False once the thread is to stop; a stop that comes while the poll waits
// for a KeepOut lock is seen before the poll runs.
bool CursorPollThread::PollOnce(uint32_t& pause) {
  std::lock_guard poll(mPollMutex);
  {
    std::lock_guard lock(mWakeMutex);
    if (mQuit) return false;
  }
  pause = mPoll();
  return true;
}
