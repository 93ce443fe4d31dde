// The jug pie's frame: which pictures an unfilled, a full, a colourless and
// an unknown jug draw, with what frames, alphas, scales and angles; the
// phases that run and wrap; overfill; the lines between runs of jugs; and
// jug models larger than the pie has ever seen.
#include "game/gui/play/TJugPie.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/rules/FakePieceJugs.h"

namespace GUI {
namespace {

constexpr float kPieQuarterTurn = 6.2831855f / 4;
constexpr uint32_t kSliceFrames = 3;
constexpr uint32_t kArrowFrames = 2;
const TVec2 kPieCentre(400, 300);

class JugPieTest : public testing::Test {
 protected:
  JugPieTest() {
    for (const char* colour : {"blu", "grn", "ind", "org", "pur", "red"}) {
      Hold(std::string("sprites/jugs/center-color-") + colour + "-%d", kSliceFrames);
      Hold(std::string("sprites/jugs/center-arrow-") + colour + "-%d", kArrowFrames);
    }
    Hold("sprites/jugs/piece-line", 1);
    Hold("sprites/jugs/center-color-black", 1);
    pie = std::make_unique<TJugPie>(TJugPieGraphics::Find(registry), kPieCentre);
    pie->SetJugModel(&jugs);
  }

  void Hold(const std::string& name, uint32_t frames) {
    registry.Register(name.c_str(), std::make_shared<RecordingGraphic>(name, &journal, frames));
  }

  // Four jugs, none filled and of no colour, until a test says otherwise.
  void Jugs(std::vector<int32_t> colours, std::vector<float> fills) {
    jugs.colours = std::move(colours);
    jugs.fills = std::move(fills);
  }

  // One frame, its draws alone.
  std::vector<RecordedDraw> Frame(bool levelEnded = false) {
    journal.clear();
    pie->Draw(levelEnded);
    return journal;
  }

  std::vector<RecordedDraw> journal;
  TGraphicRegistry registry;
  FakePieceJugs jugs{GamePlay::TJugSetup{}};
  std::unique_ptr<TJugPie> pie;  // made once its pictures are held
};

void ExpectDraw(const RecordedDraw& draw, const std::string& name, uint32_t frame, float alpha, float scale,
                float angle) {
  EXPECT_EQ(draw.name, name);
  EXPECT_EQ(draw.frame, frame) << name;
  EXPECT_NEAR(draw.alpha, alpha, 1e-4) << name;
  EXPECT_NEAR(draw.scaleX, scale, 1e-4) << name;
  EXPECT_NEAR(draw.rotation, angle, 1e-4) << name;
  EXPECT_EQ(draw.pos.x, kPieCentre.x);
  EXPECT_EQ(draw.pos.y, kPieCentre.y);
}

TEST_F(JugPieTest, AnUnfilledJugDrawsItsArrowOverTheDarkSliceThenItsGrownSlice) {
  Jugs({3, -1, 1, -1}, {0.5f, 0.0f, 0.0f, 0.0f});
  const std::vector<RecordedDraw> drawn = Frame();
  ASSERT_EQ(drawn.size(), 8u) << testing::PrintToString(DrawnNames(drawn));
  ExpectDraw(drawn[0], "sprites/jugs/center-color-black", 0, 1.0f, 1.0f, 0);
  ExpectDraw(drawn[1], "sprites/jugs/center-arrow-org-%d", 0, 0.5f, 1.0f, 0);
  ExpectDraw(drawn[2], "sprites/jugs/center-color-black", 0, 1.0f, 1.0f, 2 * kPieQuarterTurn);
  ExpectDraw(drawn[3], "sprites/jugs/center-arrow-grn-%d", 0, 1.0f, 1.0f, 2 * kPieQuarterTurn);
  ExpectDraw(drawn[4], "sprites/jugs/center-color-org-%d", 0, 1.0f, 0.59f, 0);
  ExpectDraw(drawn[5], "sprites/jugs/center-color-org-%d", 1, 0.01f, 0.59f, 0);
  ExpectDraw(drawn[6], "sprites/jugs/center-color-grn-%d", 0, 1.0f, 0.18f, 2 * kPieQuarterTurn);
  ExpectDraw(drawn[7], "sprites/jugs/center-color-grn-%d", 1, 0.01f, 0.18f, 2 * kPieQuarterTurn);
  EXPECT_EQ(drawn[7].blendMode, 0);
}

TEST_F(JugPieTest, FullColourlessAndUnknownJugsDrawNoSliceAndTheAnyColourJugTakesTheFirst) {
  Jugs({5, -1, 9, 7}, {1.0f, 0.0f, 0.0f, 0.0f});
  EXPECT_EQ(DrawnNames(Frame()), (std::vector<std::string>{
                                     "sprites/jugs/center-color-black", "sprites/jugs/center-arrow-blu-%d",
                                     "sprites/jugs/center-color-black",  // colour 7: no arrow of its own
                                     "sprites/jugs/center-color-blu-%d", "sprites/jugs/center-color-blu-%d"}));
}

TEST_F(JugPieTest, ThePhasesCrossFadeTheFramesAndStartAgainPastTwo) {
  Jugs({0}, {0.0f});
  struct Case {
    int frames;
    uint32_t arrowFrame, sliceFrame, nextFrame;
    float blend;
  };
  // After n frames the phase is n x 0.01; once past 2 (summed hundredths
  // reach it at frame 200 or 201) it starts again from 0.
  const Case cases[] = {{1, 0, 0, 1, 0.01f}, {150, 1, 1, 2, 0.5f}, {199, 1, 1, 2, 0.99f}, {206, 0, 0, 1, 0.055f}};
  int drawnFrames = 0;
  for (const Case& c : cases) {
    std::vector<RecordedDraw> drawn;
    while (drawnFrames < c.frames) {
      drawn = Frame();
      ++drawnFrames;
    }
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[1].frame, c.arrowFrame) << c.frames;
    EXPECT_EQ(drawn[2].frame, c.sliceFrame) << c.frames;
    EXPECT_EQ(drawn[3].frame, c.nextFrame % kSliceFrames) << c.frames;
    EXPECT_NEAR(drawn[3].alpha, c.blend, 6e-3) << c.frames;
  }
}

TEST_F(JugPieTest, AnOverfilledJugRisesByAHundredthOverItsLinkedJugs) {
  struct Case {
    float fill;
    uint32_t linked;
    float after;
  };
  const Case cases[] = {{1.0f, 4, 1.0025f}, {1.5f, 1, 1.51f}, {1.0f, 0, 1.01f}, {0.99f, 2, 0.99f}, {2.0f, 1, 2.0f}};
  for (const Case& c : cases) {
    Jugs({2}, {c.fill});
    jugs.linkedCounts = {{0, c.linked}};
    Frame();
    EXPECT_NEAR(jugs.fills[0], c.after, 1e-5) << c.fill << " over " << c.linked;
  }
}

TEST_F(JugPieTest, LinesPartTheRunsExceptBetweenTwoFullOnesAndNotOnceTheLevelEnded) {
  struct Case {
    std::vector<float> fills;
    std::vector<uint32_t> starts;
    bool levelEnded;
    std::vector<float> angles;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {0, 1, 3}, false, {0, kPieQuarterTurn, 3 * kPieQuarterTurn}},
      {{1, 1, 0, 0}, {0, 1, 3}, false, {0, 3 * kPieQuarterTurn}},  // 1 follows the full 0
      {{1, 0, 0, 1}, {0, 1, 3}, false, {kPieQuarterTurn, 3 * kPieQuarterTurn}},  // 0 follows the full 3
      {{0, 0, 0, 0}, {0}, false, {}},                                               // one run
      {{0, 0, 0, 0}, {0, 2}, true, {}},
      {{1, 1, 1, 1}, {0, 2}, false, {}},  // no slice drawn
      {{0, 0, 0, 0}, {0, 9}, false, {0}},  // a start past the jugs
  };
  for (const Case& c : cases) {
    Jugs({0, 1, 1, 2}, c.fills);
    jugs.groupStarts = c.starts;
    std::vector<float> angles;
    for (const RecordedDraw& draw : Frame(c.levelEnded)) {
      if (draw.name == "sprites/jugs/piece-line") angles.push_back(draw.rotation);
    }
    EXPECT_EQ(angles, c.angles) << testing::PrintToString(c.fills) << testing::PrintToString(c.starts);
  }
}

TEST_F(JugPieTest, MoreJugsThanEverBeforeEachGetTheirPhase) {
  Jugs(std::vector<int32_t>(21, 4), std::vector<float>(21, 0.0f));
  Frame();
  const std::vector<RecordedDraw> drawn = Frame();
  ASSERT_EQ(drawn.size(), 21u * 4);
  EXPECT_NEAR(drawn.back().alpha, 0.02f, 1e-5) << "the last jug's slice ran two frames";
  Jugs({}, {});
  EXPECT_TRUE(Frame().empty());
}

}  // namespace
}  // namespace GUI
