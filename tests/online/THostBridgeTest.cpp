#include "online/THostBridge.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/time/GameTime.h"
#include "platform/time/TClock.h"
#include "tests/support/FakeClock.h"

namespace {

class THostBridgeTest : public testing::Test {
 protected:
  void SetUp() override { SetHostBridge(&bridge); }
  void TearDown() override { SetHostBridge(nullptr); }

  // Turns the bridge on and lets the host take over, as at the first event.
  void StartHosted() {
    bridge.EnableHostBridge();
    bridge.SendSessionReady();
  }

  FakeClock clock{1000};
  THostBridge bridge;
};

TEST_F(THostBridgeTest, OffBridgeAnswersNothingAndIgnoresTheHost) {
  bridge.SendSessionReady();
  for (uint32_t command = 0; command <= 11; ++command) bridge.HandleHostCommand(command);
  clock.Advance(500);
  EXPECT_FALSE(bridge.IsHostPaused());
  EXPECT_EQ(bridge.GetHostPausedTime(), 0u);
  bridge.EnableHostBridge();
  EXPECT_FALSE(bridge.IsHostPaused()) << "commands sent while off leave no trace";
  EXPECT_EQ(bridge.GetHostPausedTime(), 0u);
}

TEST_F(THostBridgeTest, SessionReadyHandsOverToTheHostOncePerRun) {
  StartHosted();
  EXPECT_TRUE(bridge.IsHostPaused());
  bridge.HandleHostCommand(7);
  EXPECT_FALSE(bridge.IsHostPaused());
  bridge.SendSessionReady();
  EXPECT_FALSE(bridge.IsHostPaused()) << "only the first notice pauses";
}

struct CommandCase {
  uint32_t command;
  bool pausedAfter;  // starting from a host pause, or from none for command 4
};

class HostCommand : public THostBridgeTest, public testing::WithParamInterface<CommandCase> {};

TEST_P(HostCommand, BeginsOrEndsTheHostPause) {
  StartHosted();
  if (GetParam().command == 4) bridge.HandleHostCommand(5);
  bridge.HandleHostCommand(GetParam().command);
  EXPECT_EQ(bridge.IsHostPaused(), GetParam().pausedAfter);
}

INSTANTIATE_TEST_SUITE_P(Commands, HostCommand,
                         testing::Values(CommandCase{4, true}, CommandCase{5, false},
                                         CommandCase{6, false}, CommandCase{7, false},
                                         CommandCase{9, false}, CommandCase{10, false},
                                         CommandCase{1, true}, CommandCase{8, true},
                                         CommandCase{11, true}, CommandCase{0, true}),
                         [](const testing::TestParamInfo<CommandCase>& info) {
                           return "Command" + std::to_string(info.param.command);
                         });

TEST_F(THostBridgeTest, PausedTimeCountsThePauseUnderWayAndEachPauseOnce) {
  StartHosted();
  clock.Advance(300);
  EXPECT_EQ(bridge.GetHostPausedTime(), 300u);
  bridge.HandleHostCommand(5);
  clock.Advance(1000);
  bridge.HandleHostCommand(4);
  clock.Advance(200);
  bridge.HandleHostCommand(4);
  clock.Advance(50);
  bridge.HandleHostCommand(5);
  bridge.HandleHostCommand(6);
  clock.Advance(1000);
  EXPECT_EQ(bridge.GetHostPausedTime(), 550u);
}

TEST_F(THostBridgeTest, GameTimeStandsStillWhileTheHostPauses) {
  TClock running;
  running.Start();
  clock.Advance(40);
  StartHosted();
  uint32_t atPause = GetGameTime();
  EXPECT_EQ(atPause, 1040u);
  for (int i = 0; i < 5; ++i) {
    clock.Advance(1000);
    EXPECT_EQ(GetGameTime(), atPause);
    EXPECT_EQ(running.GetTime(), 40u) << "clocks on game time stand still too";
  }
  bridge.HandleHostCommand(7);
  EXPECT_EQ(GetGameTime(), atPause) << "no jump back when the pause ends";
  clock.Advance(25);
  EXPECT_EQ(GetGameTime(), atPause + 25);
  EXPECT_EQ(running.GetTime(), 65u);
}

TEST(HostBridgeFunctions, ReachTheProcessWideBridgeWhichStartsOff) {
  FakeClock clock;
  EXPECT_FALSE(IsHostPaused());
  EXPECT_EQ(GetHostPausedTime(), 0u);
  SendSessionReady();
  HandleHostCommand(4);
  EXPECT_FALSE(IsHostPaused());
}

}  // namespace
