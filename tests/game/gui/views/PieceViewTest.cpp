// The piece views at the edges of what they show: the matched piece's
// spark fading, a power-up piece fading in, a counter's digit and pulse, a
// blocker's cracks, pieces between rings and rising into the tower, the
// power-up layer kept off the top ring, blockers and gears counted once in
// the metrics, and views that outlive their pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/play/TRingRecord.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/views/PieceSprite.h"
#include "game/gui/views/TBlockedPieceView.h"
#include "game/gui/views/TCounterPieceView.h"
#include "game/gui/views/TPassingPieceView.h"
#include "game/gui/views/TPowerUpPieceView.h"
#include "game/gui/views/TPowerUpViewImpl.h"
#include "game/gui/views/TRingIndicatorPieceView.h"
#include "game/gui/views/TStandardPieceView.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/pieces/TRaisingPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "platform/text/Log.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

using GamePlay::TPiecePtr;

// Rings that shrink outward, so that a blend of two rings shows.
const TableRows kShrinkingRings = {{"Piece Height", "20"},
                                   {"Ring Radius", "100 160 220 280 340"},
                                   {"Ring ScalesX", "1 0.9 0.8 0.7 0.6"},
                                   {"Ring ScalesY", "1 0.5 0.5 0.5 0.5"}};

class PieceViewTest : public testing::Test {
 protected:
  PieceViewTest() {
    SetLogFolder(mLogs.Path().c_str());
    WriteStringTable(mFiles, TRingRecord::kFileName, kShrinkingRings);
    measurement = std::make_unique<TTowerMeasurement>();
    tower.measurement = measurement.get();
    tower.SetRingAngle(2, 0.3f);
    tower.SetRingAngle(3, 1.1f);
    GamePlay::TClockProxyRegistry::Instance().AttachMetrics(&records);
  }
  ~PieceViewTest() override { GamePlay::TClockProxyRegistry::Instance().DetachMetrics(&records); }

  std::shared_ptr<IGraphic> Picture(const std::string& name, uint32_t frames = 1) {
    return std::make_shared<RecordingGraphic>(name, &journal, frames);
  }
  // A standard piece of colour 0 drawn as "piece", sparks as "spark".
  TPiecePtr Standard() {
    auto piece = std::make_shared<GamePlay::TStandardPiece>(0);
    piece->SetView(
        std::make_shared<TStandardPieceView>(Picture("piece"), Picture("spark"), piece, &tower));
    return piece;
  }
  const RecordedDraw* Drawn(const std::string& name) const {
    for (const RecordedDraw& draw : journal) {
      if (draw.name == name) return &draw;
    }
    return nullptr;
  }
  // What the view drew at (200, 100) with alpha 0.8 and scale 1.
  void DrawAt(GamePlay::IPieceView& view) {
    journal.clear();
    view.Draw(TVec2(200, 100), 0.8f, 1.0f, 1.0f, 0.5f);
  }
  TVec2 RingPoint(int32_t ring, float angle) {
    const float radius = measurement->GetRingRadius(ring);
    return {400 + radius * std::sin(angle), 300 - radius * std::cos(angle)};
  }

  TempFolder mLogs;
  TestFileLayer mFiles;
  FakeClock clock;
  RecordingGameRecords records;
  std::unique_ptr<TTowerMeasurement> measurement;
  StubTowerView tower{5};
  std::vector<RecordedDraw> journal;
};

TEST_F(PieceViewTest, APiecesPictureIsDrawnAtTheSpriteScale) {
  TPiecePtr piece = Standard();
  piece->GetView()->SetCell(1, 3, false);
  journal.clear();
  piece->GetView()->DrawInPlace();
  ASSERT_EQ(DrawnNames(journal), std::vector<std::string>{"piece"});
  EXPECT_EQ(journal[0].scaleX,
            static_cast<float>(measurement->GetRingScaleX(1) * 1.666599988937378));
  EXPECT_EQ(journal[0].scaleY,
            static_cast<float>(measurement->GetRingScaleY(1) * 1.666599988937378));
  const float centreAngle = 3.5f * measurement->GetPieceAngle();
  EXPECT_FLOAT_EQ(journal[0].rotation, centreAngle);
  EXPECT_NEAR(journal[0].pos.x, RingPoint(1, centreAngle).x, 1e-3);
  EXPECT_NEAR(journal[0].pos.y, RingPoint(1, centreAngle).y, 1e-3);
}

// The spark is drawn at the ring's own scale, additively, and fades out over
// 500 ms; the piece's clock goes with the last spark.
TEST_F(PieceViewTest, AMatchedPiecesSparkFadesOutOverHalfASecond) {
  TPiecePtr piece = Standard();
  auto* standard = static_cast<GamePlay::TStandardPiece*>(piece.get());
  standard->StartClock();
  struct Step {
    uint32_t at;
    bool spark;
    float alpha;
    bool clockLeft;
  };
  const Step steps[] = {{0, true, 0.8f, true},
                        {250, true, 0.4f, true},
                        {500, true, 0.0f, false},
                        {600, false, 0.0f, false}};
  uint32_t now = 0;
  for (const Step& step : steps) {
    clock.Advance(step.at - now);
    now = step.at;
    DrawAt(*piece->GetView());
    const RecordedDraw* spark = Drawn("spark");
    ASSERT_EQ(spark != nullptr, step.spark) << step.at;
    if (spark) {
      EXPECT_FLOAT_EQ(spark->alpha, step.alpha) << step.at;
      EXPECT_EQ(spark->scaleX, 1.0f) << step.at;
      EXPECT_EQ(spark->blendMode, 2) << step.at;
    }
    EXPECT_EQ(standard->GetClock() != nullptr, step.clockLeft) << step.at;
  }
}

TEST_F(PieceViewTest, APowerUpPieceFadesInAsItArrives) {
  struct Step {
    uint32_t at;
    float alpha;
    bool clockLeft;
  };
  const Step steps[] = {
      {0, 0.8f * 0.8f, true}, {400, 0.8f * 0.9f, true}, {700, 0.8f, true}, {900, 0.8f, false}};
  auto piece = std::make_shared<GamePlay::TPowerUpPiece>(3, nullptr, nullptr);
  TPiecePtr colour = Standard();
  piece->SetView(
      std::make_shared<TPowerUpPieceView>(colour->GetView(), Picture("bomb"), piece, &tower));
  piece->StartTimer();
  uint32_t now = 0;
  for (const Step& step : steps) {
    clock.Advance(step.at - now);
    now = step.at;
    DrawAt(*piece->GetView());
    ASSERT_EQ(DrawnNames(journal), (std::vector<std::string>{"piece", "bomb"})) << step.at;
    EXPECT_FLOAT_EQ(journal[0].alpha, step.alpha) << step.at;
    EXPECT_FLOAT_EQ(journal[1].alpha, step.alpha) << step.at;
    EXPECT_EQ(piece->GetClock() != nullptr, step.clockLeft) << step.at;
  }
}

// A counter started at 10 shows how much is left; below 6 the white pulse
// beats once per 400 ms of each count shown.
TEST_F(PieceViewTest, ACounterShowsItsDigitAndPulsesWhenLow) {
  struct Case {
    float ticked;
    uint32_t frame;
    bool pulse;
    float alphaAtStart;  // of the pulse
    float alphaLater;    // 300 ms on
  };
  const Case cases[] = {{0, 9, false, 0, 0},
                        {4, 5, false, 0, 0},
                        {7, 2, true, 0.5f, 0.25f},
                        {9, 0, true, 0.5f, 0.25f},
                        {10, 0, true, 0.0f, 0.0f}};
  for (const Case& c : cases) {
    auto blocker = std::make_shared<GamePlay::TBlockedPiece>(Standard(), false, nullptr, nullptr);
    auto counter = std::make_shared<GamePlay::TCounterPiece>(blocker, 10.0f);
    counter->Tick(c.ticked);
    auto view = std::make_shared<TCounterPieceView>(Picture("digits", kKitCounterFrames),
                                                    Picture("white"), counter, &tower);
    for (float alpha : {c.alphaAtStart, c.alphaLater}) {
      DrawAt(*view);
      std::vector<std::string> drawn{"piece", "digits"};
      if (c.pulse) drawn.push_back("white");
      ASSERT_EQ(DrawnNames(journal), drawn) << c.ticked;
      EXPECT_EQ(journal[1].frame, c.frame) << c.ticked;
      if (c.pulse) {
        EXPECT_FLOAT_EQ(journal[2].alpha, alpha) << c.ticked;
      }
      clock.Advance(300);
    }
  }
}

TEST_F(PieceViewTest, ABlockersCracksShowHowFarItIsWornDown) {
  struct Case {
    float worn;
    uint32_t frame;
  };
  const Case cases[] = {{0, 11}, {0.25f, 9}, {0.5f, 6}, {1, 0}, {1.5f, 0}};
  for (const Case& c : cases) {
    auto blocker = std::make_shared<GamePlay::TBlockedPiece>(nullptr, true, nullptr, nullptr);
    blocker->Hit(c.worn);
    TBlockedPieceView view(Picture("base"), Picture("cracks", kKitCrackFrames), blocker, &tower);
    DrawAt(view);
    ASSERT_EQ(DrawnNames(journal), (std::vector<std::string>{"base", "cracks"})) << c.worn;
    EXPECT_EQ(journal[1].frame, c.frame) << c.worn;
  }
}

// Halfway from ring 2 to ring 3, at the slot's angle on ring 2.
TEST_F(PieceViewTest, APieceBetweenTwoRingsStandsHalfwayAtTheBlendOfTheirScales) {
  std::vector<std::pair<const char*, TPiecePtr>> passing;
  auto falling = std::make_shared<GamePlay::TFallingPiece>(Standard(), 2, 4);
  falling->Step(std::sqrt(0.0005f));  // 1000 x t x t = 0.5 rings
  auto moving = std::make_shared<GamePlay::TMovingPiece>(Standard(), 2, 3);
  moving->Step(0.5f);
  std::vector<std::pair<const char*, GamePlay::TPieceViewPtr>> views = {
      {"falling",
       std::make_shared<TFallingPieceView>(falling->GetInner()->GetView(), falling, &tower)},
      {"moving",
       std::make_shared<TMovingPieceView>(moving->GetInner()->GetView(), moving, &tower)}};
  const float angle = 0.3f + 4.5f * measurement->GetPieceAngle();
  const TVec2 halfway = 0.5f * RingPoint(2, angle) + 0.5f * RingPoint(3, angle);
  for (const auto& [what, view] : views) {
    view->SetCell(0, 4, true);
    EXPECT_EQ(view->GetRing(), 2) << what;
    EXPECT_NEAR(view->GetScreenPos().x, halfway.x, 0.05) << what;
    EXPECT_NEAR(view->GetScreenPos().y, halfway.y, 0.05) << what;
    EXPECT_NEAR(view->GetScaleX(), (0.72f + 0.504f) / 2, 1e-4) << what;
    EXPECT_NEAR(view->GetScaleY(), (0.25f + 0.125f) / 2, 1e-4) << what;
    journal.clear();
    view->DrawInPlace();
    ASSERT_EQ(DrawnNames(journal), std::vector<std::string>{"piece"}) << what;
    EXPECT_NEAR(journal[0].pos.x, halfway.x, 0.05) << what;
  }
}

TEST_F(PieceViewTest, ARisingPieceGrowsFromAlmostNothingAtItsRing) {
  auto raising = std::make_shared<GamePlay::TRaisingPiece>(Standard(), 3);
  TRaisingPieceView view(raising->GetInner()->GetView(), raising, &tower);
  view.SetCell(0, 1, true);
  const TVec2 place = RingPoint(3, 1.1f + 1.5f * measurement->GetPieceAngle());
  EXPECT_EQ(view.GetRing(), 3);
  EXPECT_NEAR(view.GetScreenPos().x, place.x, 1e-3);
  EXPECT_NEAR(view.GetScreenPos().y, place.y, 1e-3);
  EXPECT_FLOAT_EQ(view.GetScaleX(), 0.001f);
  raising->Step(0.5f);
  EXPECT_FLOAT_EQ(view.GetScaleX(), 0.5f * 0.001f + 0.5f * measurement->GetRingScaleX(3));
  raising->Step(0.5f);
  EXPECT_FLOAT_EQ(view.GetScaleX(), measurement->GetRingScaleX(3));
  EXPECT_FLOAT_EQ(view.GetScaleY(), measurement->GetRingScaleY(3));
}

// The top ring's pieces are on their way in: what they carry is not shown.
TEST_F(PieceViewTest, ThePowerUpLayerIsNotDrawnOnTheTopRing) {
  TPiecePtr piece = Standard();
  GamePlay::TPowerUpPtr lock = std::make_shared<GamePlay::TLockPowerUp>();
  auto lockView = std::make_shared<TPowerUpViewImpl>(lock, Picture("lock"), Picture("glow"), &tower, 1.0f);
  lock->SetView(lockView);
  piece->ClearPowerUp(lock);
  for (int32_t ring : {1, 4}) {
    piece->GetView()->SetCell(ring, 0, false);
    DrawAt(*piece->GetView());
    const std::vector<std::string> drawn =
        ring == 4 ? std::vector<std::string>{"piece"}
                  : std::vector<std::string>{"piece", "lock", "lock", "lock"};
    EXPECT_EQ(DrawnNames(journal), drawn) << ring;
  }
  piece->GetView()->SetCell(2, 0, false);
  journal.clear();
  piece->GetView()->DrawPowerUpLayer(true);
  // The lock's two cross-fading frames, its still picture, its glow.
  ASSERT_EQ(DrawnNames(journal), (std::vector<std::string>{"lock", "lock", "lock", "glow"}));
  EXPECT_EQ(journal[0].pos.x, piece->GetView()->GetScreenPos().x);
  EXPECT_FLOAT_EQ(journal[0].scaleX, SpriteScale(measurement->GetRingScaleX(2)));
  EXPECT_FLOAT_EQ(journal[3].alpha, 1.0f) << "the glow's pulse at its start";
  clock.Advance(250);
  journal.clear();
  piece->GetView()->DrawPowerUpLayer(true);
  EXPECT_FLOAT_EQ(journal[3].alpha, 0.0f) << "halfway through the pulse";
  clock.Advance(250);
  journal.clear();
  piece->GetView()->DrawPowerUpLayer(true);
  EXPECT_FLOAT_EQ(journal[3].alpha, 1.0f) << "the next pulse starts";
}

TEST_F(PieceViewTest, BlockersGearsAndLocksAreCountedOnceHoweverOftenDrawn) {
  auto blocker = std::make_shared<GamePlay::TBlockedPiece>(nullptr, true, nullptr, nullptr);
  TBlockedPieceView blockerView(Picture("base"), Picture("cracks"), blocker, &tower);
  GamePlay::TPowerUpPtr gear = std::make_shared<GamePlay::TGearPowerUp>();
  TPowerUpViewImpl gearView(gear, Picture("gear"), nullptr, &tower, 1.0f);
  GamePlay::TPowerUpPtr lock = std::make_shared<GamePlay::TLockPowerUp>();
  TPowerUpViewImpl lockView(lock, Picture("lock"), nullptr, &tower, 1.0f);
  EXPECT_EQ(records.blockersAndGearsShown, 0u) << "not before they are drawn";
  for (int frame = 0; frame < 3; ++frame) {
    DrawAt(blockerView);
    gearView.Draw(false, 1, TVec2(10, 10), 1.0f, 1.0f, 1.0f, 0.0f);
    lockView.Draw(false, 1, TVec2(10, 10), 1.0f, 1.0f, 1.0f, 0.0f);
  }
  EXPECT_EQ(records.blockersAndGearsShown, 2u);
  EXPECT_EQ(records.locksShown, 1u);
  EXPECT_EQ(records.blockersBroken, 0u);
  EXPECT_EQ(records.gearsBroken, 0u);
}

// A mark or a wrapping view may keep a piece's view after the rules let go
// of the piece: the view then draws what it can without it.
TEST_F(PieceViewTest, AViewWhosePieceIsGoneDrawsWithoutIt) {
  TPiecePtr piece = Standard();
  static_cast<GamePlay::TStandardPiece*>(piece.get())->StartClock();
  auto falling = std::make_shared<GamePlay::TFallingPiece>(piece, 1, 3);
  falling->Step(0.02f);
  auto fallingView = std::make_shared<TFallingPieceView>(piece->GetView(), falling, &tower);
  fallingView->SetCell(0, 2, false);
  const TVec2 lastSeen = fallingView->GetScreenPos();
  GamePlay::TPieceViewPtr pieceView = piece->GetView();
  pieceView->SetCell(1, 2, false);
  TRingIndicatorPieceView mark(Picture("mark"), pieceView, nullptr, &tower, {});
  piece.reset();
  falling.reset();
  journal.clear();
  fallingView->DrawInPlace();
  mark.DrawInPlace();
  EXPECT_EQ(DrawnNames(journal), (std::vector<std::string>{"piece", "mark"}));
  EXPECT_EQ(journal[0].pos.x, lastSeen.x);
  EXPECT_EQ(journal[0].pos.y, lastSeen.y);
}

}  // namespace
}  // namespace GUI
