// The closing animation of a won level: the quote panel's fade-in, the flash
// and its callback, the banner and backdrop, the expert sparkles, and its
// place in the level result, all on game clocks.
#include "game/gui/effects/TEndLevelAnimation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

const TVec2 kAnimationCentre(400, 300);

class EndLevelAnimationTest : public testing::Test {
 protected:
  EndLevelAnimationTest() { Result() = {}; }
  ~EndLevelAnimationTest() override { Result() = {}; }

  static GamePlay::TLevelResult& Result() { return GamePlay::TWorldData::Instance().GetLevelResult(); }

  std::shared_ptr<IGraphic> Picture(const std::string& name) {
    return std::make_shared<RecordingGraphic>(name, &journal, 1);
  }

  std::unique_ptr<TEndLevelAnimation> Make(std::vector<std::string> jewels = {"jewel-0", "jewel-1", "jewel-2"}) {
    std::vector<std::shared_ptr<IGraphic>> sparkles;
    for (const std::string& name : jewels) sparkles.push_back(Picture(name));
    return std::make_unique<TEndLevelAnimation>(&host, Picture("flash"), Picture("backdrop"), std::move(sparkles),
                                                Picture("banner"), Picture("fourth"));
  }

  // The draws of one picture since the journal was last cleared.
  std::vector<RecordedDraw> DrawsOf(const std::string& name) const {
    std::vector<RecordedDraw> draws;
    for (const RecordedDraw& draw : journal) {
      if (draw.name == name) draws.push_back(draw);
    }
    return draws;
  }

  FakePlatform platform;
  FakeClock clock{5000};
  StubTowerView host;
  std::vector<RecordedDraw> journal;
};

// ---- The quote panel.

TEST_F(EndLevelAnimationTest, StepsEveryTenMillisecondsFadeThePanelInOverThirtyFourSteps) {
  auto animation = Make();
  GamePlay::IEndLevelAnimationView& view = *animation;
  view.Start("Title", "A quote");
  for (int step = 1; step <= 33; ++step) {
    clock.Advance(10);
    EXPECT_FALSE(view.Advance()) << step;
  }
  EXPECT_NEAR(animation->GetPanel().GetProgress(), 0.99f, 1e-4f);
  EXPECT_FALSE(view.IsDone());
  clock.Advance(10);
  EXPECT_TRUE(view.Advance());
  EXPECT_FLOAT_EQ(animation->GetPanel().GetProgress(), 1.0f);
  EXPECT_TRUE(view.IsDone());
  EXPECT_EQ(animation->GetPanel().GetQuote(), "A quote");

  clock.Advance(500);
  view.Start("Title", "Another quote");
  EXPECT_EQ(animation->GetPanel().GetProgress(), 0.0f) << "Start begins the fade anew";
  EXPECT_FALSE(view.IsDone());
  clock.Advance(10);
  view.Advance();
  EXPECT_NEAR(animation->GetPanel().GetProgress(), 0.03f, 1e-5f) << "time before Start does not count";
}

TEST_F(EndLevelAnimationTest, SkipToEndShowsThePanelAtFullAlphaAtOnce) {
  auto animation = Make();
  animation->Start("Title", "A quote");
  animation->SkipToEnd();
  EXPECT_TRUE(animation->IsDone());
  EXPECT_EQ(animation->GetPanel().GetProgress(), 1.0f);
  EXPECT_EQ(std::string(TQuotePanel::kTitle), "Expert Quote Awarded!");
}

// ---- The flash and the banner.

TEST_F(EndLevelAnimationTest, TheFlashShrinksAsItFadesInThenCallsBackOnceAndDrawsNoMore) {
  auto animation = Make();
  int calls = 0;
  animation->StartFlash([&calls] { ++calls; });
  struct FlashCase {
    uint32_t atMs;
    float alpha;
    float scale;
  };
  const std::vector<FlashCase> cases = {{0, 0.0f, 6.0f}, {250, 0.25f, 4.5f}, {500, 0.5f, 3.0f}, {1000, 1.0f, 0.0f}};
  uint32_t now = 0;
  for (const FlashCase& c : cases) {
    clock.Advance(c.atMs - now);
    now = c.atMs;
    journal.clear();
    animation->DrawFlash(TVec2(410, 290));
    const std::vector<RecordedDraw> draws = DrawsOf("flash");
    ASSERT_EQ(draws.size(), 1u) << c.atMs;
    EXPECT_FLOAT_EQ(draws[0].alpha, c.alpha) << c.atMs;
    EXPECT_FLOAT_EQ(draws[0].scaleX, c.scale) << c.atMs;
    EXPECT_EQ(draws[0].blendMode, 2);
    EXPECT_EQ(draws[0].rotation, 0.0f);
    EXPECT_EQ(draws[0].pos.x, 410.0f);
  }
  EXPECT_EQ(calls, 0);
  clock.Advance(1);
  journal.clear();
  animation->DrawFlash(kAnimationCentre);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(journal.empty()) << "the frame that calls back draws nothing";
  EXPECT_TRUE(animation->IsFlashDone());
  clock.Advance(5000);
  animation->DrawFlash(kAnimationCentre);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(DrawsOf("flash").empty());

  animation->StartFlash([&calls] { ++calls; });
  EXPECT_FALSE(animation->IsFlashDone());
  clock.Advance(1001);
  animation->DrawFlash(kAnimationCentre);
  animation->DrawFlash(kAnimationCentre);
  EXPECT_EQ(calls, 2) << "once per StartFlash";
}

TEST_F(EndLevelAnimationTest, ACallbackThatDeletesTheAnimationIsTheLastThingItDoes) {
  auto animation = Make();
  animation->StartFlash([&animation] { animation.reset(); });
  clock.Advance(1001);
  animation->DrawFlash(kAnimationCentre);
  EXPECT_EQ(animation, nullptr);
  EXPECT_EQ(Result().endLevelAnimation, nullptr);
}

TEST_F(EndLevelAnimationTest, TheFlashHoldsWhileTheGameClocksArePaused) {
  auto animation = Make();
  int calls = 0;
  animation->StartFlash([&calls] { ++calls; });
  clock.Advance(500);
  GamePlay::TClockProxyRegistry::Instance().PauseAll();
  clock.Advance(5000);
  animation->DrawFlash(kAnimationCentre);
  GamePlay::TClockProxyRegistry::Instance().ResumeAll();
  EXPECT_EQ(calls, 0);
  ASSERT_EQ(DrawsOf("flash").size(), 1u);
  EXPECT_FLOAT_EQ(DrawsOf("flash")[0].alpha, 0.5f);
}

TEST_F(EndLevelAnimationTest, TheBannerAndTheBackdropFadeInOverOneSecondOnceShown) {
  auto animation = Make();
  animation->DrawFlash(kAnimationCentre);
  animation->DrawPanel(kAnimationCentre);
  EXPECT_TRUE(journal.empty()) << "nothing before the banner shows";
  animation->ShowBanner(true);
  EXPECT_TRUE(animation->GetBannerFlag());
  for (const auto& [afterMs, alpha] : std::vector<std::pair<uint32_t, float>>{{0, 0.0f}, {500, 0.5f}, {500, 1.0f},
                                                                              {3000, 1.0f}}) {
    clock.Advance(afterMs);
    journal.clear();
    animation->DrawFlash(kAnimationCentre);
    animation->DrawPanel(TVec2(380, 310));
    ASSERT_EQ(journal.size(), 2u);
    EXPECT_EQ(journal[0].name, "banner");
    EXPECT_FLOAT_EQ(journal[0].alpha, alpha);
    EXPECT_EQ(journal[0].pos.x, 400.0f);
    EXPECT_EQ(journal[0].pos.y, 300.0f);
    EXPECT_EQ(journal[0].scaleX, 2.0f);
    EXPECT_EQ(journal[1].name, "backdrop");
    EXPECT_FLOAT_EQ(journal[1].alpha, alpha);
    EXPECT_EQ(journal[1].pos.x, 380.0f);
    EXPECT_FLOAT_EQ(journal[1].scaleX, 1.6666f);
  }
  EXPECT_TRUE(DrawsOf("fourth").empty());
}

TEST_F(EndLevelAnimationTest, BothDrawsStayInsideTwoDimensionalDrawing) {
  auto animation = Make();
  animation->ShowBanner(false);
  platform.journal.Clear();
  animation->DrawFlash(kAnimationCentre);
  animation->DrawPanel(kAnimationCentre);
  EXPECT_EQ(platform.Calls(), (std::vector<std::string>{"Begin2d", "End2d", "Begin2d", "End2d"}));
  platform.journal.Clear();
  platform.in2d = true;
  animation->DrawPanel(kAnimationCentre);
  EXPECT_TRUE(platform.Calls().empty()) << "an open bracket is left open";
}

// Over the score table the sheet shows whole at once: the paper, the glow
// behind the texts, then the sparkles of an expert level, each once.
TEST_F(EndLevelAnimationTest, TheQuoteSheetLaysThePaperTheBackdropAndTheSparklesAtFullStrength) {
  for (const bool expert : {false, true}) {
    Result().expert = expert;
    auto animation = Make();
    animation->ShowBanner(false);
    journal.clear();
    animation->DrawQuoteSheet(TVec2(390, 310));
    std::vector<std::string> names;
    for (const RecordedDraw& draw : journal) names.push_back(draw.name);
    const std::vector<std::string> expected =
        expert ? std::vector<std::string>{"banner", "backdrop", "jewel-1"} : std::vector<std::string>{"banner", "backdrop"};
    EXPECT_EQ(names, expected) << expert;
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal[0].alpha, 1.0f);
    EXPECT_EQ(journal[0].pos.x, 400.0f) << "the paper keeps its place";
    EXPECT_EQ(journal[0].scaleX, 2.0f);
    EXPECT_EQ(journal[1].alpha, 1.0f);
    EXPECT_EQ(journal[1].pos.x, 390.0f);
  }
}

// ---- The sparkles.

TEST_F(EndLevelAnimationTest, SparklesShowOnlyForAnExpertLevel) {
  auto animation = Make();
  host.showingMessage = true;
  clock.Advance(2000);
  animation->DrawFlash(kAnimationCentre);
  EXPECT_TRUE(journal.empty());
  Result().expert = true;
  animation->DrawFlash(kAnimationCentre);
  EXPECT_EQ(DrawsOf("jewel-1").size(), 1u);
}

// With the level-end message up they come with the flash, behind the front
// scene; without it with the panel.
TEST_F(EndLevelAnimationTest, TheMessageDecidesWhichPassDrawsTheSparkles) {
  Result().expert = true;
  auto animation = Make();
  for (const bool showing : {true, false}) {
    host.showingMessage = showing;
    journal.clear();
    animation->DrawFlash(kAnimationCentre);
    EXPECT_EQ(DrawsOf("jewel-1").size(), showing ? 1u : 0u) << showing;
    journal.clear();
    animation->DrawPanel(kAnimationCentre);
    EXPECT_EQ(DrawsOf("jewel-1").size(), showing ? 0u : 1u) << showing;
  }
}

TEST_F(EndLevelAnimationTest, TheGlowFadesInThenTwoTwinklesHopBetweenTheirPoints) {
  Result().expert = true;
  auto animation = Make();
  struct GlowCase {
    uint32_t atMs;
    float alpha;
  };
  uint32_t now = 0;
  for (const GlowCase& c : std::vector<GlowCase>{{0, 0.0f}, {500, 0.5f}, {999, 0.999f}}) {
    clock.Advance(c.atMs - now);
    now = c.atMs;
    journal.clear();
    animation->DrawPanel(TVec2(400, 300));
    ASSERT_EQ(journal.size(), 1u) << "the glow alone in the first second";
    EXPECT_EQ(journal[0].name, "jewel-1");
    EXPECT_FLOAT_EQ(journal[0].alpha, c.alpha);
  }
  struct TwinkleCase {
    uint32_t atMs;
    TVec2 first;
    float firstSize;
    TVec2 second;
    float secondSize;
  };
  const std::vector<TwinkleCase> cases = {
      {1500, TVec2(364, 264), 0.0f, TVec2(400, 260), 2.0f},
      {2250, TVec2(364, 264), 1.0f, TVec2(364, 264), 0.0f},
      {6100, TVec2(452, 306), 1.6f, TVec2(352, 280), 26.0f / 15.0f},
  };
  for (const TwinkleCase& c : cases) {
    clock.Advance(c.atMs - now);
    now = c.atMs;
    journal.clear();
    animation->DrawPanel(TVec2(400, 300));
    ASSERT_EQ(journal.size(), 5u) << c.atMs;
    EXPECT_FLOAT_EQ(journal[0].alpha, 1.0f);
    const float alphas[] = {1.0f, 0.7f, 1.0f, 0.7f};
    const int32_t modes[] = {0, 0, 2, 2};
    for (size_t i = 0; i < 4; ++i) {
      const RecordedDraw& twinkle = journal[i + 1];
      const TVec2& point = i % 2 == 0 ? c.first : c.second;
      SCOPED_TRACE(testing::Message() << c.atMs << " draw " << i);
      EXPECT_EQ(twinkle.name, "jewel-2");
      EXPECT_EQ(twinkle.blendMode, modes[i]);
      EXPECT_FLOAT_EQ(twinkle.alpha, alphas[i]);
      EXPECT_EQ(twinkle.pos.x, point.x);
      EXPECT_EQ(twinkle.pos.y, point.y);
      EXPECT_NEAR(twinkle.scaleX, i % 2 == 0 ? c.firstSize : c.secondSize, 1e-5f);
    }
  }
}

TEST_F(EndLevelAnimationTest, AShortSparkleListLendsItsLastEntryAndAnEmptyOneDrawsNothing) {
  Result().expert = true;
  struct ListCase {
    std::vector<std::string> jewels;
    std::string glow;
    std::string twinkle;
  };
  const std::vector<ListCase> cases = {
      {{"a"}, "a", "a"}, {{"a", "b"}, "b", "b"}, {{"a", "b", "c", "d"}, "b", "d"}, {{}, "", ""}};
  for (const ListCase& c : cases) {
    auto animation = Make(c.jewels);
    animation->DrawPanel(kAnimationCentre);
    clock.Advance(1500);
    journal.clear();
    animation->DrawPanel(kAnimationCentre);
    if (c.glow.empty()) {
      EXPECT_TRUE(journal.empty());
      continue;
    }
    ASSERT_EQ(journal.size(), 5u);
    EXPECT_EQ(journal[0].name, c.glow);
    EXPECT_EQ(journal[4].name, c.twinkle);
  }
}

// ---- The level result.

TEST_F(EndLevelAnimationTest, TheLevelResultNamesTheLatestAnimationAndForgetsOneThatGoes) {
  auto first = Make();
  EXPECT_EQ(Result().endLevelAnimation, first.get());
  auto second = Make();
  EXPECT_EQ(Result().endLevelAnimation, second.get());
  first.reset();
  EXPECT_EQ(Result().endLevelAnimation, second.get()) << "an older one leaves the newer in place";
  second.reset();
  EXPECT_EQ(Result().endLevelAnimation, nullptr);
}

}  // namespace
}  // namespace GUI
