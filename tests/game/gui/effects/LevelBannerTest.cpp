// The level banner: the level number counts through the worlds (Zen's as
// it is), the score and target texts follow the scoring model, and each of
// the three banners over the tower plays once per level, wiping in, staying
// and wiping out over 500, 1000 and 500 ms; the expert banner waits while a
// message shows, sounds once and marks the level result.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TLevelBanner.h"
#include "game/gui/progress/TWorldData.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

class LevelBannerTest : public ::testing::Test {
 protected:
  LevelBannerTest() { GamePlay::TWorldData::Instance().GetLevelResult().Clear(); }
  ~LevelBannerTest() override { GamePlay::TWorldData::Instance().GetLevelResult().Clear(); }

  std::shared_ptr<IGraphic> Picture(const char* name) {
    return std::make_shared<RecordingGraphic>(name, &journal, 1);
  }
  // The banner graphics drawn by one step of the banners.
  std::vector<RecordedDraw> Step() {
    journal.clear();
    banner.UpdateBanners();
    return journal;
  }
  std::string StepShows() {
    const std::vector<RecordedDraw> draws = Step();
    return draws.empty() ? "" : draws.back().name;
  }
  bool IsExpert() const { return GamePlay::TWorldData::Instance().GetLevelResult().expert; }

  FakeClock clock{1000};
  std::vector<RecordedDraw> journal;
  RecordingScoringModel scoring;
  StubTowerView tower;
  int expertSounds = 0;
  TLevelBanner banner{{Picture("nomove"), Picture("timeup"), Picture("expert"), Picture("box-lit"),
                       Picture("plate"), Picture("box")},
                      &scoring,
                      &tower,
                      [this] { ++expertSounds; }};
};

// Texts --------------------------------------------------------------------

TEST_F(LevelBannerTest, TheTextsShowTheLevelNumberScoreAndTarget) {
  struct TextCase {
    GamePlay::TLevelKey key;
    int32_t score;
    int32_t target;
    const char* level;
  };
  const TextCase cases[] = {
      {{3, 2}, 1250, 9000, "LEVEL 12"},
      {{0, 7}, 0, 0, "LEVEL 7"},
      {{1, 1}, -5, 40, "LEVEL 1"},
      {{10, 5}, 123456, 2000000, "LEVEL 50"},
  };
  for (const TextCase& c : cases) {
    scoring.levelKey = c.key;
    scoring.levelScore = c.score;
    scoring.medalTarget = c.target;
    banner.Refresh();
    EXPECT_STREQ(banner.GetLevelText().CStr(), c.level);
    EXPECT_STREQ(banner.GetScoreText().CStr(), std::to_string(c.score).c_str());
    EXPECT_STREQ(banner.GetTargetText().CStr(), std::to_string(c.target).c_str());
  }
}

TEST_F(LevelBannerTest, TheBoxIsLitOnceTheTargetIsReached) {
  scoring.medalTarget = 100;
  scoring.levelScore = 99;
  journal.clear();
  banner.Draw();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(journal[0].name, "box");
  EXPECT_FLOAT_EQ(journal[0].pos.x, 108.0f);
  EXPECT_FLOAT_EQ(journal[0].pos.y, 43.0f);
  EXPECT_EQ(journal[1].name, "plate");
  EXPECT_FLOAT_EQ(journal[1].pos.x, 100.0f);
  EXPECT_FLOAT_EQ(journal[1].pos.y, 70.0f);
  scoring.levelScore = 100;
  journal.clear();
  banner.Draw();
  ASSERT_FALSE(journal.empty());
  EXPECT_EQ(journal[0].name, "box-lit");
}

// Banners ------------------------------------------------------------------

TEST_F(LevelBannerTest, EachBannerWipesInStaysAndWipesOutOncePerLevel) {
  struct BannerCase {
    const char* graphic;
    bool StubTowerView::*flag;
  };
  const BannerCase cases[] = {{"nomove", &StubTowerView::noMoveShown}, {"timeup", &StubTowerView::timeUpShown}};
  scoring.medalTarget = 1000;
  for (const BannerCase& c : cases) {
    SCOPED_TRACE(c.graphic);
    tower.*c.flag = true;
    std::vector<RecordedDraw> draws = Step();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].name, c.graphic);
    EXPECT_EQ(draws[0].slices.size(), 100u) << "wiping in";
    EXPECT_FLOAT_EQ(draws[0].pos.x, 400.0f);
    EXPECT_FLOAT_EQ(draws[0].pos.y, 300.0f);
    clock.Advance(500);
    draws = Step();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_TRUE(draws[0].slices.empty()) << "standing";
    EXPECT_FLOAT_EQ(draws[0].pos.y, 300.5f);
    clock.Advance(1000);
    draws = Step();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].slices.size(), 100u) << "wiping out";
    clock.Advance(500);
    EXPECT_TRUE(Step().empty()) << "done";
    clock.Advance(5000);
    EXPECT_TRUE(Step().empty()) << "once per level, though the message still shows";
  }
  EXPECT_EQ(expertSounds, 0);
  EXPECT_FALSE(IsExpert());
}

TEST_F(LevelBannerTest, ANewerBannerReplacesTheOnePlaying) {
  scoring.medalTarget = 1000;
  tower.noMoveShown = true;
  EXPECT_EQ(StepShows(), "nomove");
  clock.Advance(600);
  tower.timeUpShown = true;
  EXPECT_EQ(StepShows(), "timeup");
  EXPECT_EQ(Step().at(0).slices.size(), 100u) << "the new banner starts by wiping in";
}

TEST_F(LevelBannerTest, TheExpertBannerWaitsForTheMessageThenSoundsAndMarksOnce) {
  scoring.medalTarget = 500;
  scoring.levelScore = 499;
  EXPECT_TRUE(Step().empty());
  EXPECT_FALSE(IsExpert());
  scoring.levelScore = 500;
  tower.showingMessage = true;
  EXPECT_TRUE(Step().empty()) << "held back while a message shows";
  EXPECT_FALSE(IsExpert());
  tower.showingMessage = false;
  EXPECT_EQ(StepShows(), "expert");
  EXPECT_TRUE(IsExpert());
  EXPECT_EQ(expertSounds, 1);
  tower.showingMessage = true;
  clock.Advance(600);
  EXPECT_EQ(StepShows(), "expert") << "a message no longer stops the banner playing";
  clock.Advance(3000);
  EXPECT_TRUE(Step().empty());
  EXPECT_EQ(expertSounds, 1);
}

TEST_F(LevelBannerTest, ALevelWithoutATargetShowsTheExpertBannerAtOnce) {
  EXPECT_EQ(StepShows(), "expert");
  EXPECT_EQ(expertSounds, 1);
}

}  // namespace
}  // namespace GUI
