#include <gtest/gtest.h>

#include "game/gui/TGameApp.h"
#include "game/gui/TWorldData.h"
#include "tests/support/FakeClock.h"

namespace {

using GamePlay::TLevelKey;

class GameAppTest : public testing::Test {
 protected:
  GameAppTest() { TGameApp::Instance().Init(); }
  ~GameAppTest() override { TGameApp::Instance().Shutdown(); }

  TGameApp& app = TGameApp::Instance();
};

TEST_F(GameAppTest, InitBuildsTheRecordersAndShutdownEndsTheMetrics) {
  EXPECT_TRUE(app.IsCountMode());
  ASSERT_NE(app.GetMetrics(), nullptr);
  ASSERT_NE(app.GetLevelStatusTable(), nullptr);
  app.Shutdown();
  EXPECT_EQ(app.GetMetrics(), nullptr);
  EXPECT_NE(app.GetLevelStatusTable(), nullptr) << "the table lives as long as the game";
}

TEST_F(GameAppTest, InitStartsWithAFreshStatusTable) {
  app.GetLevelStatusTable()->RecordLevelResult(10, 20, {1, 1});
  app.Init();
  EXPECT_EQ(app.GetLevelStatusTable()->GetPendingResult(), nullptr);
  EXPECT_EQ(app.GetLevelStatusTable()->GetLevelStatus({1, 1}), -1);
}

TEST_F(GameAppTest, TutorialsCountAsSeenOnlyWhenSkipped) {
  app.SetNextToTutorial(false);
  EXPECT_FALSE(app.IsTutorialSeen({1, 1}));
  EXPECT_TRUE(app.SetNextToTutorial(true));
  EXPECT_TRUE(app.IsTutorialSeen({1, 1}));
  app.SetNextToTutorial(false);
}

TEST_F(GameAppTest, PlayFlagsAnswerWhatWasSet) {
  EXPECT_FALSE(app.SetCountMode(false));
  EXPECT_FALSE(app.IsCountMode());
  EXPECT_TRUE(app.SetTutorialMode(true));
  EXPECT_TRUE(app.IsTutorialMode());
  app.SetTutorialMode(false);
}

// What the rules are handed reaches the game's own objects.
TEST_F(GameAppTest, HandsTheRulesItsMetricsWorldDataAndItself) {
  GamePlay::TGameRecords records = app.GetGameRecords();
  EXPECT_EQ(records.metrics, app.GetMetrics());
  EXPECT_EQ(records.results, &GamePlay::TWorldData::Instance());
  EXPECT_EQ(records.status, &app);
  EXPECT_EQ(records.playMode, &app);
  records.metrics->CountLockBroken();
  EXPECT_EQ(app.GetMetrics()->GetLocksBroken(), 1u);
  app.Shutdown();
  EXPECT_EQ(app.GetGameRecords().metrics, nullptr) << "no metrics outside a run";
}

TEST_F(GameAppTest, AnswersTheRulesFromItsLevelStatusTable) {
  GamePlay::ILevelStatus& status = app;
  status.RecordLevelResult(400, 900, {3, 2});
  ASSERT_NE(app.GetLevelStatusTable()->GetPendingResult(), nullptr);
  EXPECT_EQ(app.GetLevelStatusTable()->GetPendingResult()->totalScore, 900);
  EXPECT_EQ(status.GetTotalScore(), 0) << "until the game commits it";
  app.GetLevelStatusTable()->CommitPendingResult();
  EXPECT_EQ(status.GetTotalScore(), 900);
  EXPECT_EQ(status.GetTargetScore({3, 2}), 0) << "no level has a target yet";
}

TEST(TLevelStatusTable, RecordsTheLevelStatusAndKeepsOnlyTheLastResult) {
  TLevelStatusTable table;
  EXPECT_EQ(table.GetLevelStatus({2, 3}), -1) << "not played";
  table.RecordLevelResult(500, 1500, {2, 3});
  EXPECT_EQ(table.GetLevelStatus({2, 3}), 2) << "a level without a target reaches it";
  table.RecordLevelResult(700, 2200, {0, 4});
  ASSERT_NE(table.GetPendingResult(), nullptr);
  EXPECT_EQ(table.GetPendingResult()->levelScore, 700);
  EXPECT_EQ(table.GetPendingResult()->totalScore, 2200);
  EXPECT_EQ(table.GetPendingResult()->key, (TLevelKey{0, 4}));
  EXPECT_EQ(table.GetLevelStatus({0, 4}), -1) << "Zen levels have no status";
}

TEST(TLevelStatusTable, CommittingTheResultMakesItsTotalTheRunningTotal) {
  TLevelStatusTable table;
  table.CommitPendingResult();
  EXPECT_EQ(table.GetTotalScore(), 0) << "nothing pending";
  table.RecordLevelResult(500, 1500, {2, 3});
  EXPECT_EQ(table.GetTotalScore(), 0) << "recorded only";
  table.CommitPendingResult();
  EXPECT_EQ(table.GetTotalScore(), 1500);
  EXPECT_EQ(table.GetPendingResult(), nullptr);
  table.CommitPendingResult();
  EXPECT_EQ(table.GetTotalScore(), 1500) << "a result counts once";
}

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

TEST(TWorldData, HoldsOneLevelResultWhichClearsForANewLevel) {
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  EXPECT_EQ(&result, &GamePlay::TWorldData::Instance().GetLevelResult());
  result.level = {3, 2};
  result.activationCount = 4;
  result.levelScore = 900;
  result.timeBonus = 12;
  result.Clear();
  EXPECT_EQ(result.activationCount, 0);
  EXPECT_EQ(result.levelScore, 0);
  EXPECT_EQ(result.timeBonus, 0);
  EXPECT_EQ(result.level, (TLevelKey{3, 2})) << "the level stays";
}

}  // namespace
