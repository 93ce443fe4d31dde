// The life bar: the gauge shows the share of the level time left as eighths,
// fine steps and an end cap, with the needle at its end; the warning pulses
// below an eighth left; a boost blends the shown value over a second and
// highlights the arc for four seconds; the bar is the timer's boost handler
// exactly as long as it lives.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TLifeBar.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/FakeTimeController.h"

namespace GUI {
namespace {

constexpr float kGaugeTestPi = 3.1415927f;
const TVec2 kGaugeTestCentre(400.0f, 300.0f);

TVec2 RimPoint(float angle) {
  return kGaugeTestCentre + TVec2(-std::sin(angle), -std::cos(angle)) * 293.0f;
}

class LifeBarTest : public ::testing::Test {
 protected:
  std::shared_ptr<IGraphic> Picture(const char* name) {
    return std::make_shared<RecordingGraphic>(name, &journal, 1);
  }
  std::unique_ptr<TLifeBar> MakeBar() {
    return std::make_unique<TLifeBar>(400, 300, Picture("base"), Picture("arc"), Picture("segment"),
                                      Picture("boostArc"), Picture("boostSegment"), Picture("warning"),
                                      Picture("needle"), Picture("glow"), &timer);
  }
  // The draws of one frame.
  std::vector<RecordedDraw> Frame(bool noWarning = false) {
    journal.clear();
    bar->Draw(noWarning);
    return journal;
  }
  static std::vector<RecordedDraw> Named(const std::vector<RecordedDraw>& draws, const std::string& name) {
    std::vector<RecordedDraw> found;
    for (const RecordedDraw& draw : draws) {
      if (draw.name == name) found.push_back(draw);
    }
    return found;
  }
  void SetShareLeft(float share) { timer.elapsed = 1.0f - share; }

  FakeClock clock{1000};
  FakeTimeController timer;
  std::vector<RecordedDraw> journal;
  std::unique_ptr<TLifeBar> bar = MakeBar();
};

void ExpectAt(const RecordedDraw& draw, const TVec2& at, float rotation) {
  EXPECT_NEAR(draw.pos.x, at.x, 0.01f) << draw.name;
  EXPECT_NEAR(draw.pos.y, at.y, 0.01f) << draw.name;
  EXPECT_NEAR(draw.rotation, rotation, 1e-5f) << draw.name;
}

// The gauge ---------------------------------------------------------------

TEST_F(LifeBarTest, NoTimeLeftDrawsNoArcAndPointsTheNeedleStraightUp) {
  SetShareLeft(0.0f);
  const auto draws = Frame();
  EXPECT_TRUE(Named(draws, "segment").empty());
  EXPECT_TRUE(Named(draws, "arc").empty()) << "no fine step and no end cap";
  const auto needle = Named(draws, "needle");
  ASSERT_EQ(needle.size(), 1u);
  ExpectAt(needle[0], TVec2(400.0f, 7.0f), 0.0f);
}

TEST_F(LifeBarTest, HalfTheTimeLeftDrawsThreeEighthsThenFineStepsAndTheNeedleStraightDown) {
  SetShareLeft(0.5f);
  const auto draws = Frame();
  const auto segments = Named(draws, "segment");
  ASSERT_EQ(segments.size(), 3u) << "the fourth eighth needs more than half";
  for (size_t k = 0; k < segments.size(); ++k) {
    const float turn = -static_cast<float>(k) * kGaugeTestPi / 4;
    const TVec2 offset(-100.0f * std::cos(turn) + 247.0f * std::sin(turn),
                       -100.0f * std::sin(turn) - 247.0f * std::cos(turn));
    ExpectAt(segments[k], kGaugeTestCentre + offset, turn);
  }
  const auto arc = Named(draws, "arc");
  ASSERT_GE(arc.size(), 2u);
  const float firstStep = 3 * kGaugeTestPi / 4 + kGaugeTestPi / 120;
  ExpectAt(arc.front(), RimPoint(firstStep), -firstStep);
  ExpectAt(arc.back(), RimPoint(kGaugeTestPi), -kGaugeTestPi);  // the end cap
  for (size_t i = 0; i + 1 < arc.size(); ++i) EXPECT_LT(-arc[i].rotation, kGaugeTestPi) << "step " << i;
  const auto needle = Named(draws, "needle");
  ASSERT_EQ(needle.size(), 1u);
  ExpectAt(needle[0], TVec2(400.0f, 593.0f), -kGaugeTestPi);
  const auto glow = Named(draws, "glow");
  ASSERT_EQ(glow.size(), 1u);
  EXPECT_EQ(glow[0].blendMode, 2);
  ExpectAt(glow[0], TVec2(401.0f, 593.0f), 0.0f);
  EXPECT_FLOAT_EQ(glow[0].scaleX, 0.2f);
}

TEST_F(LifeBarTest, TheWarningShowsOnlyBelowAnEighthLeftAndNeverWhenTold) {
  struct WarningCase {
    float shareLeft;
    bool noWarning;
    bool shown;
  };
  const WarningCase cases[] = {
      {0.1f, false, true}, {0.0f, false, true}, {0.1f, true, false}, {0.125f, false, false}, {0.5f, false, false},
  };
  for (const WarningCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "left " << c.shareLeft << " noWarning " << c.noWarning);
    SetShareLeft(c.shareLeft);
    const auto warning = Named(Frame(c.noWarning), "warning");
    ASSERT_EQ(warning.size(), c.shown ? 1u : 0u);
    if (c.shown) {
      ExpectAt(warning[0], kGaugeTestCentre, 0.0f);
      EXPECT_FLOAT_EQ(warning[0].scaleX, 1.66666f);
    }
  }
}

TEST_F(LifeBarTest, TheWarningPulsesBetweenHalfAndFullOnceASecond) {
  SetShareLeft(0.05f);
  const std::pair<uint32_t, float> pulse[] = {{0, 1.0f},   {400, 0.7f}, {100, 0.5f},
                                              {100, 0.7f}, {400, 1.0f}, {500, 0.5f}};
  for (const auto& [advance, alpha] : pulse) {
    clock.Advance(advance);
    const auto warning = Named(Frame(), "warning");
    ASSERT_EQ(warning.size(), 1u);
    EXPECT_NEAR(warning[0].alpha, alpha, 1e-5f);
  }
}

// Boosts ------------------------------------------------------------------

TEST_F(LifeBarTest, ABoostBlendsTheShownValueFromBeforeToLiveOverASecond) {
  SetShareLeft(0.5f);
  bar->OnTimeBoost(0.25f, 0.5f);
  const std::pair<uint32_t, float> blend[] = {{0, 0.75f}, {500, 0.625f}, {250, 0.5625f}, {250, 0.5f}, {500, 0.5f}};
  for (const auto& [advance, shown] : blend) {
    clock.Advance(advance);
    EXPECT_NEAR(bar->GetShownValue(), shown, 1e-5f);
  }
}

TEST_F(LifeBarTest, TheBoostArcHoldsFullPulseToTwoSecondsAndFadesOutByFour) {
  SetShareLeft(0.5f);
  bar->OnTimeBoost(0.5f, 0.5f);
  // The bar's own clock started with the boost's: at whole seconds the pulse is full.
  const std::pair<uint32_t, float> alphas[] = {{1000, 1.0f}, {1000, 1.0f}, {1000, 0.5f}, {1000, 0.0f}};
  for (const auto& [advance, alpha] : alphas) {
    clock.Advance(advance);
    const auto boost = Named(Frame(), "boostSegment");
    ASSERT_EQ(boost.size(), 3u);
    EXPECT_NEAR(boost[0].alpha, alpha, 1e-5f);
  }
  clock.Advance(10);
  EXPECT_TRUE(Named(Frame(), "boostArc").empty());
  EXPECT_FALSE(bar->IsBoostShown()) << "the boost clock goes at the first draw after four seconds";
}

TEST_F(LifeBarTest, ABoostWhileOneShowsKeepsTheRunningClock) {
  SetShareLeft(0.5f);
  bar->OnTimeBoost(0.5f, 0.5f);
  clock.Advance(3000);
  bar->OnTimeBoost(0.25f, 0.5f);
  EXPECT_NEAR(bar->GetShownValue(), 0.5f, 1e-5f) << "past the blend: the live value";
  clock.Advance(1010);
  Frame();
  EXPECT_FALSE(bar->IsBoostShown());
}

TEST_F(LifeBarTest, APausedGameFreezesThePulseAndTheBlend) {
  SetShareLeft(0.05f);
  bar->OnTimeBoost(0.9f, 0.95f);
  clock.Advance(400);
  const float shown = bar->GetShownValue();
  const float pulse = Named(Frame(), "warning").at(0).alpha;
  GamePlay::TClockProxyRegistry& clocks = GamePlay::TClockProxyRegistry::Instance();
  clocks.PauseAll();
  clock.Advance(300);
  EXPECT_FLOAT_EQ(bar->GetShownValue(), shown);
  EXPECT_FLOAT_EQ(Named(Frame(), "warning").at(0).alpha, pulse);
  clocks.ResumeAll();
  clock.Advance(300);
  EXPECT_LT(bar->GetShownValue(), shown);
}

// Lifetime ----------------------------------------------------------------

TEST_F(LifeBarTest, TheBarHearsOfBoostsExactlyWhileItLives) {
  ASSERT_EQ(timer.handlers.size(), 1u);
  EXPECT_EQ(timer.handlers[0], bar.get());
  bar.reset();
  EXPECT_TRUE(timer.handlers.empty()) << "a boost after this must not reach the gone bar";
}

TEST_F(LifeBarTest, MissingPicturesAreLeftOut) {
  bar = std::make_unique<TLifeBar>(400, 300, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, &timer);
  SetShareLeft(0.05f);
  bar->OnTimeBoost(0.5f, 0.95f);
  EXPECT_TRUE(Frame().empty());
}

}  // namespace
}  // namespace GUI
