#include "system/os/Sleep.h"

#include <gtest/gtest.h>

#include "system/os/TickCount.h"
#include "tests/support/FakeClock.h"

namespace {

uint32_t gSlept = 0;
void RecordSleep(uint32_t milliseconds) { gSlept += milliseconds; }

TEST(Sleep, ReplacedWaitIsCalledUntilRemoved) {
  gSlept = 0;
  sys::SetSleepFunction(RecordSleep);
  sys::Sleep(500);
  sys::Sleep(200);
  sys::SetSleepFunction(nullptr);
  EXPECT_EQ(gSlept, 700u);
  sys::Sleep(1);
  EXPECT_EQ(gSlept, 700u);
}

TEST(Sleep, SleepingOnTheFakeClockMovesItsTick) {
  FakeClock clock;
  uint32_t before = sys::TickCount();
  sys::Sleep(500);
  EXPECT_EQ(sys::TickCount() - before, 500u);
}

}  // namespace
