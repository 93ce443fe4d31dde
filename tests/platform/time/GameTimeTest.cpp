#include "platform/time/GameTime.h"

#include <gtest/gtest.h>

#include "platform/host/IHostBridge.h"
#include "tests/support/FakeClock.h"

namespace {

// A host bridge whose paused time the test sets.
class FakeHostBridge final : public IHostBridge {
 public:
  void EnableHostBridge() override {}
  void HandleHostCommand(uint32_t) override {}
  void SendSessionReady() override {}
  bool IsHostPaused() override { return false; }
  uint32_t GetHostPausedTime() override { return pausedTime; }

  uint32_t pausedTime = 0;
};

class GameTimeTest : public testing::Test {
 protected:
  void SetUp() override { SetHostBridge(&mBridge); }
  void TearDown() override { SetHostBridge(nullptr); }

  FakeHostBridge mBridge;
};

TEST_F(GameTimeTest, CountsTicksSinceItsStart) {
  FakeClock clock;
  EXPECT_EQ(GetGameTime(), 0u);
  clock.Advance(1234);
  EXPECT_EQ(GetGameTime(), 1234u);
  RestartGameTime(70);
  EXPECT_EQ(GetGameTime(), 70u);
  clock.Advance(5);
  EXPECT_EQ(GetGameTime(), 75u);
}

TEST_F(GameTimeTest, LeavesOutTheTimeTheHostKeptTheGamePaused) {
  FakeClock clock;
  clock.Advance(1000);
  mBridge.pausedTime = 400;
  clock.Advance(400);
  EXPECT_EQ(GetGameTime(), 1000u);
  clock.Advance(1);
  EXPECT_EQ(GetGameTime(), 1001u);
}

TEST_F(GameTimeTest, HoldsItsValueRatherThanGoingBack) {
  FakeClock clock;
  clock.Advance(1000);
  EXPECT_EQ(GetGameTime(), 1000u);
  mBridge.pausedTime = 300;  // more paused time than the ticks that passed
  clock.Advance(100);
  EXPECT_EQ(GetGameTime(), 1000u);
  clock.Advance(250);
  EXPECT_EQ(GetGameTime(), 1050u);
}

TEST_F(GameTimeTest, RunsOnAcrossTheWrap) {
  FakeClock clock(0xFFFFFFF0);
  clock.Advance(0x20);
  EXPECT_EQ(GetGameTime(), 0x10u) << "a wrapped value is later, not earlier";
}

TEST(GameTimeWithoutBridge, SeesNoHostPause) {
  FakeClock clock;
  clock.Advance(60);
  EXPECT_EQ(GetHostBridge().GetHostPausedTime(), 0u);
  EXPECT_FALSE(GetHostBridge().IsHostPaused());
  EXPECT_EQ(GetGameTime(), 60u);
}

}  // namespace
