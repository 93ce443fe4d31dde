#include <gtest/gtest.h>

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TWorldData.h"

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

}  // namespace
