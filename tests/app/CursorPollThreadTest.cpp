#include "app/CursorPollThread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "tests/support/CallJournal.h"

namespace {

TEST(CursorPollThread, PollsUntilStoppedAndNeverAfter) {
  std::atomic<int> polls{0};
  std::atomic<bool> stopped{false};
  std::atomic<bool> polledAfterStop{false};
  CallJournal journal;
  CursorPollThread thread;
  thread.Start([&] {
    if (stopped) polledAfterStop = true;
    if (++polls == 3) journal.Add("third poll");
    return 1u;
  });
  ASSERT_TRUE(journal.WaitFor("third poll"));
  thread.Stop();
  stopped = true;
  int pollsAtStop = polls;
  EXPECT_FALSE(thread.IsRunning());
  thread.Stop();
  EXPECT_EQ(polls, pollsAtStop);
  EXPECT_FALSE(polledAfterStop);
}

TEST(CursorPollThread, StopsAtOnceDuringALongPause) {
  CallJournal journal;
  CursorPollThread thread;
  thread.Start([&] {
    journal.Add("poll");
    return 3600000u;  // an hour
  });
  ASSERT_TRUE(journal.WaitFor("poll"));
  auto start = std::chrono::steady_clock::now();
  thread.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  EXPECT_EQ(journal.Count("poll"), 1);
}

TEST(CursorPollThread, RunsNoPollWhileKeptOut) {
  std::atomic<int> polls{0};
  std::atomic<bool> kept{false};
  std::atomic<bool> polledWhileKept{false};
  CallJournal journal;
  CursorPollThread thread;
  thread.Start([&] {
    if (kept) polledWhileKept = true;
    journal.Add("poll " + std::to_string(++polls));
    return 0u;
  });
  ASSERT_TRUE(journal.WaitFor("poll 1"));
  {
    auto lock = thread.KeepOut();
    kept = true;
    int before = polls;
    // The thread, pausing 0 ms between polls, would have polled many times by now.
    for (int spin = 0; spin < 1000; ++spin) std::this_thread::yield();
    EXPECT_EQ(polls, before);
    kept = false;
  }
  int after = polls;
  ASSERT_TRUE(journal.WaitFor("poll " + std::to_string(after + 1)));
  thread.Stop();
  EXPECT_FALSE(polledWhileKept);
}

TEST(CursorPollThread, StoppingAThreadNeverStartedDoesNothing) {
  CursorPollThread thread;
  thread.Stop();
  EXPECT_FALSE(thread.IsRunning());
}

}  // namespace
