// What the tower view draws over its pieces, through recording pictures on a
// small fixed tower: the matches the rings' turns would make (worked out
// again only when the turns change), the pulse of the glows, the preview,
// highlights and marks, the cells that never glow, and the tutorial arrows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TCellLocator.h"
#include "game/gui/play/TRingRecord.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "platform/text/Log.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/rules/CountingTutorialView.h"

namespace GUI {
namespace {

constexpr float kLayerSlotAngle = 6.2831855f / 12;
const std::string kPredictedPicture = "sprites/jugs/piece-fill-highlight";
const std::string kHighlightPicture = "sprites/tutorials/piece-highlight";
const std::string kArrowPicture = "sprites/tutorials/arrow-%d";

// Ring 1 matches rings 0 and 2 in every column once turned one slot; the
// cell (2, 6) holds no piece to match.
class TowerLayerDrawingTest : public GamePlay::RecordedTowerTest {
 protected:
  TowerLayerDrawingTest() {
    SetLogFolder(mLogs.Path().c_str());
    WriteStringTable(mFiles, TRingRecord::kFileName, {{"Ring Radius", "100 200 300"}});
    WriteStringTable(mFiles, "levels/journey.xml", {{"Lvl01 Max Rings", "3"}});
    settings = GamePlay::TLevelSettings::Load({1, 1}, "levels/journey.xml", false);
    HoldRecordingPictures(registry, &journal);
    for (const std::string& name : {kPredictedPicture, kHighlightPicture, kArrowPicture}) {
      registry.Register(name.c_str(), std::make_shared<RecordingGraphic>(name, &journal, 1));
    }
    factory = std::make_unique<TViewFactory>(&registry, nullptr, true, 1.0f);
    BuildTower({"012345012345", "123450123450", "012345e12345"});
    view = factory->CreateTowerView(nullptr, *settings);
    view->SetPieceFactory(&pieces);
    view->SetModel(tower);
    view->SetUp(&scoring, &tutorial);
  }

  const TTowerLayer& Layer() const { return *view->GetLayer(); }

  // One first pass; the draws of the picture named, by cell where they fall.
  std::vector<RecordedDraw> Drawn(const std::string& name) {
    journal.clear();
    view->DrawFirstPass();
    view->DrawSecondPass();
    std::vector<RecordedDraw> drawn;
    for (const RecordedDraw& draw : journal) {
      if (draw.name == name) drawn.push_back(draw);
    }
    return drawn;
  }

  TVec2 CellPoint(int32_t ring, int32_t slot) {
    TCellLocator place(view.get(), false);
    place.Set(ring, slot, false);
    return place.GetPosition();
  }

  bool DrawnAt(const std::vector<RecordedDraw>& drawn, int32_t ring, int32_t slot) {
    const TVec2 point = CellPoint(ring, slot);
    for (const RecordedDraw& draw : drawn) {
      if (std::abs(draw.pos.x - point.x) < 0.01f && std::abs(draw.pos.y - point.y) < 0.01f) return true;
    }
    return false;
  }

  TestFileLayer mFiles;
  TempFolder mLogs;
  std::vector<RecordedDraw> journal;
  TGraphicRegistry registry;
  std::unique_ptr<GamePlay::TLevelSettings> settings;
  std::unique_ptr<TViewFactory> factory;
  CountingTutorialView tutorial;
  std::unique_ptr<TTowerViewImpl> view;
};

TEST_F(TowerLayerDrawingTest, TheTurnsOfTheRingsGiveTheMatchesTheyWouldMake) {
  struct Case {
    float angle;
    size_t predicted;
  };
  // A slot is 30 degrees: just under half of it stays, just over goes on;
  // a whole turn is no turn.
  const Case cases[] = {{0.0f, 0},
                        {0.49f * kLayerSlotAngle, 0},
                        {0.51f * kLayerSlotAngle, 33},
                        {1.4f * kLayerSlotAngle, 33},
                        {1.6f * kLayerSlotAngle, 0},
                        {11.6f * kLayerSlotAngle, 0},
                        {6.2831855f, 0}};
  for (const Case& c : cases) {
    view->SetRingAngle(1, c.angle);
    Drawn(kPredictedPicture);
    EXPECT_EQ(Layer().GetPrediction().size(), c.predicted) << c.angle / kLayerSlotAngle << " slots";
  }
}

TEST_F(TowerLayerDrawingTest, ThePredictionIsWorkedOutAgainOnlyWhenTheTurnsChange) {
  view->SetRingAngle(1, 0.6f * kLayerSlotAngle);
  Drawn(kPredictedPicture);
  ASSERT_EQ(Layer().GetPrediction().size(), 33u);
  tower->SetPiece(0, 0, pieces.CreateStandard(4, nullptr));
  view->SetRingAngle(1, 0.9f * kLayerSlotAngle);  // the same one slot
  Drawn(kPredictedPicture);
  EXPECT_EQ(Layer().GetPrediction().size(), 33u) << "kept while the turns stay";
  view->SetRingAngle(1, 0.0f);
  Drawn(kPredictedPicture);
  view->SetRingAngle(1, 0.9f * kLayerSlotAngle);
  Drawn(kPredictedPicture);
  EXPECT_EQ(Layer().GetPrediction().size(), 30u) << "column 0 matches no more";
}

TEST_F(TowerLayerDrawingTest, PredictedCellsGlowWithThePulseOfTheFirstClockExceptEmptyOnes) {
  view->SetRingAngle(1, 0.6f * kLayerSlotAngle);
  struct Case {
    uint32_t advance;
    float alpha;
  };
  for (Case c : {Case{0, 1.0f}, Case{500, 0.5f}, Case{500, 0.0f}, Case{500, 0.5f}}) {
    clock.Advance(c.advance);
    const std::vector<RecordedDraw> drawn = Drawn(kPredictedPicture);
    ASSERT_EQ(drawn.size(), 33u);
    EXPECT_NEAR(drawn.front().alpha, c.alpha, 0.02f) << c.advance;
    EXPECT_EQ(drawn.front().blendMode, 2);
  }
  EXPECT_FALSE(DrawnAt(Drawn(kPredictedPicture), 2, 6)) << "an empty cell never glows";
  EXPECT_TRUE(DrawnAt(Drawn(kPredictedPicture), 2, 5));
}

TEST_F(TowerLayerDrawingTest, HighlightsShowAtFullAlphaUntilTheLevelEnds) {
  view->AddHighlight(1, 3, false);
  view->AddHighlight(0, 7, true);
  std::vector<RecordedDraw> drawn = Drawn(kHighlightPicture);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_TRUE(DrawnAt(drawn, 1, 3) && DrawnAt(drawn, 0, 7));
  EXPECT_EQ(drawn[0].alpha, 1.0f);
  view->AddHighlight(-1, -1, false);
  EXPECT_EQ(Drawn(kHighlightPicture).size(), 2u) << "no big area bomb on the tower";
  tower->SetPiece(2, 2, pieces.CreatePowerUpPiece(GamePlay::IPiece::kNoColour,
                                                  std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false)));
  drawn = Drawn(kHighlightPicture);
  EXPECT_EQ(drawn.size(), 3u);
  EXPECT_TRUE(DrawnAt(drawn, 2, 2));
  view->OnLevelEnd();
  EXPECT_TRUE(Drawn(kHighlightPicture).empty());
}

TEST_F(TowerLayerDrawingTest, ThePreviewPulsesOnTheSecondClockAndEndsAfterThreeSeconds) {
  auto bomb = std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false);
  tower->SetPiece(1, 4, pieces.CreatePowerUpPiece(GamePlay::IPiece::kNoColour, bomb));
  clock.Advance(700);  // the first clock runs on its own
  view->ShowPowerUpArea(1, 4);
  std::vector<RecordedDraw> drawn = Drawn(kHighlightPicture);
  ASSERT_FALSE(drawn.empty());
  EXPECT_NEAR(drawn.front().alpha, 1.0f, 0.02f);
  EXPECT_FALSE(DrawnAt(drawn, 2, 6)) << "an empty cell in the area";
  clock.Advance(TTowerLayer::kPreviewMs);
  EXPECT_FALSE(Drawn(kHighlightPicture).empty());
  clock.Advance(10);
  EXPECT_TRUE(Drawn(kHighlightPicture).empty());
}

// Mark 1 shows the grow view, 2 and 3 the highlight view (its alert form
// for 3), which on a standard piece darkens it.
TEST_F(TowerLayerDrawingTest, MarksDrawTheMarkViewTheFactoryMakesForThem) {
  struct Case {
    int32_t mark;
    std::string picture;
  };
  const Case cases[] = {{1, "sprites/piece-grow12"},
                        {2, "sprites/blockers/piece-blockers-darken"},
                        {3, "sprites/blockers/piece-blockers-darken"}};
  for (const Case& c : cases) {
    view->SetPieceMark(0, 2, c.mark);
    EXPECT_EQ(Drawn(c.picture).size(), 1u) << c.mark << " " << testing::PrintToString(DrawnNames(journal));
    view->SetPieceMark(0, 2, 0);
  }
  EXPECT_TRUE(Drawn("sprites/piece-grow12").empty());
  view->SetPieceMark(2, 6, 1);
  EXPECT_TRUE(Drawn("sprites/piece-grow12").empty()) << "an empty cell takes no mark";
}

TEST_F(TowerLayerDrawingTest, ArrowsPointWhereTheTutorialSays) {
  view->ShowArrow({{{100, 200}, 90.0f}, {{300, 50}, -45.0f}});
  std::vector<RecordedDraw> drawn = Drawn(kArrowPicture);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].pos.x, 100);
  EXPECT_EQ(drawn[0].pos.y, 200);
  EXPECT_NEAR(drawn[0].rotation, 1.5707964f, 1e-5);
  EXPECT_NEAR(drawn[1].rotation, -0.7853982f, 1e-5);

  view->SetHover(0, 0);
  EXPECT_TRUE(Drawn(kArrowPicture).empty());
  tower->GetPiece(2, 9)->SetOffset(7, 3);
  view->SetHover(7, 3);
  drawn = Drawn(kArrowPicture);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_TRUE(DrawnAt(drawn, 2, 9));
  view->SetHover(-1, -1);
  EXPECT_TRUE(Drawn(kArrowPicture).empty()) << "no big area bomb";
  tower->SetPiece(1, 5, pieces.CreatePowerUpPiece(GamePlay::IPiece::kNoColour,
                                                  std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false)));
  EXPECT_TRUE(DrawnAt(Drawn(kArrowPicture), 1, 5));
  view->OnLevelEnd();
  EXPECT_TRUE(Drawn(kArrowPicture).empty());
}

// A bomb's piece vanishing from its cell bursts once, and the burst is
// drawn every frame until it has finished.
TEST_F(TowerLayerDrawingTest, AVanishingBombBurstsOnceUntilItsBlastIsOver) {
  auto inner = std::make_shared<GamePlay::TPowerUpPiece>(1, nullptr, nullptr);
  inner->ClearPowerUp(std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false));
  auto vanishing = std::make_shared<GamePlay::TDisappearingPiece>(inner, nullptr);
  vanishing->SetView(factory->CreateStandardView(vanishing));
  tower->SetPiece(1, 4, vanishing);
  EXPECT_EQ(Drawn("sprites/abomb-exp").size(), 1u);
  EXPECT_EQ(Layer().GetEffectCount(), 1u);
  clock.Advance(100);
  EXPECT_EQ(Drawn("sprites/abomb-exp").size(), 1u) << "the same blast, not a second";
  clock.Advance(1000);
  Drawn("sprites/abomb-exp");  // its last draw finds it past its end
  EXPECT_TRUE(Drawn("sprites/abomb-exp").empty());
  EXPECT_EQ(Layer().GetEffectCount(), 0u) << "finished blasts go";
}

}  // namespace
}  // namespace GUI
