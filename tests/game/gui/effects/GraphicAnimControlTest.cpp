// The animation controls and their timeline: a position transfer stands at
// its ends outside 0 to 1; the wipes hand 100 strips to the graphic, hidden
// or shown up to the fraction with the strip at the fraction fading across;
// the timeline hands the control whose window holds the clock its share of
// that window, and draws nothing outside every window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/gui/effects/GraphicAnimControls.h"
#include "game/gui/effects/TControlTimeline.h"
#include "tests/game/gui/views/ViewTestKit.h"

namespace GUI {
namespace {

// A clock the test sets.
class SetClock final : public GamePlay::IClockProxy {
 public:
  void Start() override {}
  void Stop() override {}
  uint32_t GetTime() override { return now; }
  uint32_t now = 0;
};

// Writes down the fractions it is handed.
class FractionLog final : public IGraphicAnimControl {
 public:
  FractionLog(std::vector<float>* log, int id) : mLog(log), mId(id) {}
  void Apply(float t) override { mLog->push_back(static_cast<float>(mId) + t); }

 private:
  std::vector<float>* mLog;
  int mId;
};

class AnimControlTest : public ::testing::Test {
 protected:
  std::vector<RecordedDraw> journal;
  std::shared_ptr<IGraphic> banner = std::make_shared<RecordingGraphic>("banner", &journal, 1);
};

TEST_F(AnimControlTest, APositionTransferStandsAtItsEndsOutsideTheRun) {
  TPosTransControl control(banner, TVec2(10, 20), TVec2(110, 220));
  const std::pair<float, TVec2> cases[] = {
      {-0.5f, TVec2(10, 20)}, {0.0f, TVec2(10, 20)}, {0.25f, TVec2(35, 70)}, {1.0f, TVec2(110, 220)},
      {1.5f, TVec2(110, 220)}};
  for (const auto& [t, at] : cases) {
    journal.clear();
    control.Apply(t);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_FLOAT_EQ(journal[0].pos.x, at.x) << "t " << t;
    EXPECT_FLOAT_EQ(journal[0].pos.y, at.y) << "t " << t;
    EXPECT_FLOAT_EQ(journal[0].alpha, 1.0f);
    EXPECT_FLOAT_EQ(journal[0].scaleX, 2.0f);
    EXPECT_FLOAT_EQ(journal[0].rotation, 0.0f);
  }
}

struct StripCase {
  const char* name;
  bool showUp;
  float t;
  int firstEdge;  // the index of the strip fading across, -1 for none
  float before;   // the alpha of the strips left of it
  float after;    // the alpha of the strips right of it
};

TEST_F(AnimControlTest, WipesHideOrShowTheStripsUpToTheFraction) {
  const StripCase cases[] = {
      {"wiping out just past the middle", false, 0.505f, 50, 0.0f, 1.0f},
      {"showing up just past the middle", true, 0.505f, 50, 1.0f, 0.0f},
      {"wiping out before it starts", false, -0.1f, -1, 0.0f, 1.0f},
      {"wiping out at its start", false, 0.0f, 0, 0.0f, 1.0f},
      {"showing up when done", true, 1.0f, -1, 1.0f, 0.0f},
  };
  for (const StripCase& c : cases) {
    SCOPED_TRACE(c.name);
    journal.clear();
    const TVec2 at(400, 300);
    std::unique_ptr<IGraphicAnimControl> control;
    if (c.showUp) {
      control = std::make_unique<TGraphicShowUpControl>(banner, at);
    } else {
      control = std::make_unique<TGraphicDisappearingControl>(banner, at);
    }
    control->Apply(c.t);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_FLOAT_EQ(journal[0].scaleX, 2.0f);
    EXPECT_FLOAT_EQ(journal[0].pos.x, 400.0f);
    const std::vector<TSliceAlphas>& strips = journal[0].slices;
    ASSERT_EQ(strips.size(), 100u);
    const int edge = c.firstEdge < 0 ? (c.t < 0 ? 0 : 100) : c.firstEdge;
    for (int i = 0; i < 100; ++i) {
      const TSliceAlphas& s = strips[static_cast<size_t>(i)];
      EXPECT_EQ(s.topLeft, s.bottomLeft) << "strip " << i;
      EXPECT_EQ(s.topRight, s.bottomRight) << "strip " << i;
      if (i == c.firstEdge) {
        EXPECT_EQ(s.topLeft, c.after) << "strip " << i;
        EXPECT_EQ(s.topRight, c.before) << "strip " << i;
      } else {
        const float alpha = i < edge ? c.before : c.after;
        EXPECT_EQ(s.topLeft, alpha) << "strip " << i;
        EXPECT_EQ(s.topRight, alpha) << "strip " << i;
      }
    }
  }
}

TEST_F(AnimControlTest, TheTimelineHandsTheControlOfTheClockItsShareOfItsWindow) {
  SetClock clock;
  std::vector<float> applied;
  TControlTimeline timeline(&clock);
  timeline.Add(500, std::make_unique<FractionLog>(&applied, 10));
  timeline.Add(1000, std::make_unique<FractionLog>(&applied, 20));
  timeline.Add(500, std::make_unique<FractionLog>(&applied, 30));
  EXPECT_EQ(timeline.GetLength(), 2000u);
  for (uint32_t now : {0u, 250u, 500u, 1000u, 1499u, 1500u, 1750u, 2000u, 5000u}) {
    clock.now = now;
    timeline.Update();
  }
  const std::vector<float> expected = {10.0f, 10.5f, 20.0f, 20.5f, 20.999f, 30.0f, 30.5f};
  ASSERT_EQ(applied.size(), expected.size()) << "nothing at or past the end";
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(applied[i], expected[i], 1e-4f) << i;
}

TEST_F(AnimControlTest, AnEmptyTimelineDrawsNothing) {
  SetClock clock;
  TControlTimeline timeline(&clock);
  timeline.Update();
  EXPECT_EQ(timeline.GetLength(), 0u);
}

}  // namespace
}  // namespace GUI
