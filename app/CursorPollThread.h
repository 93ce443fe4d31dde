#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// Runs a poll on a thread of its own until stopped: the poll returns how many
// milliseconds to wait before the next one. Stopping wakes the thread from its
// wait and joins it, so no poll starts after Stop returns. While a KeepOut
// lock is held no poll runs, which lets the main thread replace what the
// poll reads.
class CursorPollThread {
 public:
  using Poll = std::function<uint32_t()>;

  CursorPollThread() = default;
  ~CursorPollThread() { Stop(); }
  CursorPollThread(const CursorPollThread&) = delete;
  CursorPollThread& operator=(const CursorPollThread&) = delete;

  void Start(Poll poll);
  void Stop();
  bool IsRunning() const { return mThread.joinable(); }
  [[nodiscard]] std::unique_lock<std::mutex> KeepOut() { return std::unique_lock(mPollMutex); }

 private:
  void Run();
  bool PollOnce(uint32_t& pause);

  Poll mPoll;
  std::mutex mPollMutex;  // held while a poll runs
  std::mutex mWakeMutex;  // guards mQuit
  std::condition_variable mWake;
  bool mQuit = false;
  std::thread mThread;
};
