#include <gtest/gtest.h>

#include "game/gui/progress/TMetrics.h"
#include "tests/support/FakeClock.h"

namespace {

TEST(TMetrics, CountsAndPausesItsLevelClock) {
  FakeClock clock;
  GamePlay::TMetrics metrics;
  metrics.ResumeClock();
  clock.Advance(30);
  metrics.PauseClock();
  clock.Advance(1000);
  EXPECT_EQ(metrics.GetLevelTime(), 30u);
  metrics.CountRingTurn();
  metrics.CountRingTurn();
  metrics.CountPowerUpTriggered();
  metrics.CountPowerUpClicked();
  metrics.CountBlockerBroken();
  metrics.CountLockBroken();
  metrics.CountGearBroken();
  metrics.CountGearBroken();
  EXPECT_EQ(metrics.GetRingTurns(), 2u);
  EXPECT_EQ(metrics.GetPowerUpsTriggered(), 1u);
  EXPECT_EQ(metrics.GetPowerUpsClicked(), 1u);
  EXPECT_EQ(metrics.GetBlockersBroken(), 1u);
  EXPECT_EQ(metrics.GetLocksBroken(), 1u);
  EXPECT_EQ(metrics.GetGearsBroken(), 2u);
}

}  // namespace
