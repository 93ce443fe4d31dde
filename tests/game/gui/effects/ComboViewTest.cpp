// The combo view: a popup per score in the order scored, its size pulse and
// fade over two seconds of its own game clock, and where it is drawn.
#include "game/gui/effects/TComboViewImpl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/rules/control/TClockProxyRegistry.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

class ComboViewTest : public testing::Test {
 protected:
  // The popup's progress after a draw.
  float ProgressAfterDraw() {
    view.Draw();
    return view.GetPopups().empty() ? -1.0f : view.GetPopups().front().progress;
  }

  FakePlatform platform;
  FakeClock clock{5000};
  StubTowerView tower;
  TComboViewImpl view;
};

TEST(ComboViewPulse, GrowsShrinksAndGrowsTwiceMore) {
  struct PulseCase {
    float progress;
    float scale;
  };
  const std::vector<PulseCase> cases = {{0.0f, 0.8f},  {0.15f, 0.9f}, {0.3f, 1.0f},   {0.45f, 0.9f},
                                        {0.6f, 0.8f},  {0.7f, 0.9f},  {0.7999f, 1.0f}, {0.8f, 0.8f},
                                        {0.9f, 0.9f},  {1.0f, 1.0f}};
  for (const PulseCase& c : cases) {
    EXPECT_NEAR(TComboViewImpl::ScaleAt(c.progress), c.scale, 1e-3f) << c.progress;
  }
}

TEST(ComboViewBox, IsCentredOnTheTruncatedPointAndWideEnoughForFourDigits) {
  EXPECT_EQ(TComboViewImpl::BoxAround(TVec2(412.7f, 300.9f)), TRect(312, 250, 512, 350));
  EXPECT_EQ(TComboViewImpl::BoxAround(TVec2(0, 0)), TRect(-100, -50, 100, 50));
}

TEST_F(ComboViewTest, EachScoreAddsAPopupInTheOrderScored) {
  GamePlay::IScoringObserver& observer = view;
  observer.OnScore(3, 1, 2, 5, 150, false);
  observer.OnScore(4, 2, 0, 11, 400, true);
  observer.OnScore(5, 3, 7, 0, -20, false);
  view.SetTowerView(&tower);
  view.Draw();
  const std::vector<TComboViewImpl::TPopup>& popups = view.GetPopups();
  ASSERT_EQ(popups.size(), 3u);
  const int32_t expected[3][3] = {{2, 5, 150}, {0, 11, 400}, {7, 0, -20}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(popups[i].ring, expected[i][0]);
    EXPECT_EQ(popups[i].slot, expected[i][1]);
    EXPECT_EQ(popups[i].points, expected[i][2]);
    EXPECT_EQ(popups[i].progress, 0.0f) << "new: full alpha, scale 0.8";
  }
  EXPECT_FALSE(observer.IsBusy());
  observer.OnLevelEnd();
  EXPECT_EQ(view.GetPopups().size(), 3u);
}

TEST_F(ComboViewTest, APopupLivesTwoSecondsAndGoesAtTheFirstDrawPastThem) {
  view.SetTowerView(&tower);
  view.OnScore(3, 1, 1, 1, 90, false);
  struct AgeCase {
    uint32_t atMs;
    float scale;
  };
  uint32_t now = 0;
  for (const AgeCase& c : std::vector<AgeCase>{{600, 1.0f}, {1200, 0.8f}, {1599, 1.0f}, {1600, 0.8f}, {2000, 1.0f}}) {
    clock.Advance(c.atMs - now);
    now = c.atMs;
    const float progress = ProgressAfterDraw();
    EXPECT_FLOAT_EQ(progress, static_cast<float>(c.atMs) / 2000.0f) << c.atMs;
    EXPECT_NEAR(TComboViewImpl::ScaleAt(progress), c.scale, 2e-3f) << c.atMs;
  }
  view.OnScore(3, 1, 2, 2, 60, false);
  clock.Advance(1);
  view.Draw();
  ASSERT_EQ(view.GetPopups().size(), 1u) << "the first popup is past its life";
  EXPECT_EQ(view.GetPopups()[0].points, 60) << "the others keep their place";
}

TEST_F(ComboViewTest, WithoutATowerViewPopupsAgeUnseen) {
  view.OnScore(3, 1, 1, 1, 90, false);
  clock.Advance(1000);
  EXPECT_FLOAT_EQ(ProgressAfterDraw(), 0.5f);
  clock.Advance(1001);
  view.Draw();
  EXPECT_TRUE(view.GetPopups().empty());
}

TEST_F(ComboViewTest, PausingTheGameHoldsThePopups) {
  view.SetTowerView(&tower);
  view.OnScore(3, 1, 1, 1, 90, false);
  clock.Advance(400);
  GamePlay::TClockProxyRegistry::Instance().PauseAll();
  clock.Advance(5000);
  const float paused = ProgressAfterDraw();
  GamePlay::TClockProxyRegistry::Instance().ResumeAll();
  EXPECT_FLOAT_EQ(paused, 0.2f);
  clock.Advance(100);
  EXPECT_FLOAT_EQ(ProgressAfterDraw(), 0.25f);
}

// The text asks the platform for its font as it draws, which tells a drawn
// popup from one that ages unseen.
TEST_F(ComboViewTest, PopupsDrawInsideTwoDimensionalDrawingAndOnlyOverATowerView) {
  view.OnScore(3, 1, 1, 1, 90, false);
  platform.journal.Clear();
  view.Draw();
  EXPECT_EQ(platform.Calls(), (std::vector<std::string>{"Begin2d", "End2d"})) << "no tower view";
  view.SetTowerView(&tower);
  platform.journal.Clear();
  view.Draw();
  std::vector<std::string> calls = platform.Calls();
  ASSERT_GT(calls.size(), 2u);
  EXPECT_EQ(calls.front(), "Begin2d");
  EXPECT_EQ(calls.back(), "End2d");
  platform.journal.Clear();
  platform.in2d = true;
  view.Draw();
  calls = platform.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Begin2d"), 0) << "an open bracket is used as it is";
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "End2d"), 0);
}

}  // namespace
}  // namespace GUI
