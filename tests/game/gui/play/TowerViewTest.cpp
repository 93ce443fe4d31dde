// The tower view's state: ring angles kept in one turn whatever they are
// told, marks, highlights, arrows and the power-up area kept per cell and
// ignored outside the tower, the end-of-level bytes, and the jugs' fill.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "platform/text/Log.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/rules/CountingTutorialView.h"
#include "tests/support/rules/FakePieceJugs.h"

namespace GUI {
namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr int32_t kRingsInView = 3;

// A power-up whose area is the cells a test gives it.
class AreaPowerUp final : public RecordingPowerUp {
 public:
  std::vector<GamePlay::TCell> area;

  std::vector<GamePlay::TCell> GetArea(int32_t, int32_t, GamePlay::ITowerModel*) override {
    return area;
  }
};

// A three-ring tower of level 1-1, its view made by the view factory and set
// up as the play window does it.
class TowerViewTest : public GamePlay::RecordedTowerTest {
 protected:
  TowerViewTest() {
    SetLogFolder(mLogs.Path().c_str());
    WriteStringTable(mFiles, TRingRecord::kFileName, {{"Ring Radius", "100 200 300"}});
    WriteStringTable(mFiles, "levels/journey.xml", {{"Lvl01 Max Rings", "3"}});
    settings = GamePlay::TLevelSettings::Load({1, 1}, "levels/journey.xml", false);
    factory = std::make_unique<TViewFactory>(&registry, nullptr, false, 1.0f);
    BuildTower({"000000000000", "111111111111", "222222222222"});
    scoring.jugs = &jugs;
    view = factory->CreateTowerView(nullptr, *settings);
    view->SetPieceFactory(&pieces);
    view->SetModel(tower);
    view->SetUp(&scoring, &tutorial);
  }

  const TTowerLayer& Layer() const { return *view->GetLayer(); }

  TestFileLayer mFiles;
  TempFolder mLogs;
  TGraphicRegistry registry;
  std::unique_ptr<GamePlay::TLevelSettings> settings;
  std::unique_ptr<TViewFactory> factory;
  FakePieceJugs jugs{GamePlay::TJugSetup{}};
  CountingTutorialView tutorial;
  std::unique_ptr<TTowerViewImpl> view;
};

TEST_F(TowerViewTest, AnswersItsPlaceAndItsParts) {
  EXPECT_EQ(view->GetCentre(), (GamePlay::TPoint{400, 300}));
  EXPECT_EQ(view->GetTopRingIndex(), 2u);
  EXPECT_EQ(view->GetMeasurement(), factory->GetMeasurement());
  EXPECT_FLOAT_EQ(view->GetMeasurement()->GetRadius(2), 150);
  EXPECT_EQ(view->GetScriptTutorial(), &tutorial);
}

TEST_F(TowerViewTest, RingAnglesAreKeptInOneTurn) {
  struct Case {
    float told;
    float kept;
  };
  const Case cases[] = {{-0.5f, kTwoPi - 0.5f},
                        {7.0f, 7.0f - kTwoPi},
                        {kTwoPi, 0.0f},
                        {0.25f, 0.25f},
                        {-kTwoPi, 0.0f},
                        {std::numeric_limits<float>::quiet_NaN(), 0.0f},
                        {std::numeric_limits<float>::infinity(), 0.0f},
                        {-std::numeric_limits<float>::infinity(), 0.0f}};
  for (const Case& c : cases) {
    view->SetRingAngle(1, c.told);
    EXPECT_NEAR(view->GetRingAngle(1), c.kept, 1e-5) << c.told;
  }
  view->SetRingAngle(1, -1e-9f);
  EXPECT_LT(view->GetRingAngle(1), kTwoPi) << "a tiny turn back stays inside the turn";
  for (float huge : {1e30f, -1e30f, std::numeric_limits<float>::max()}) {
    view->SetRingAngle(0, huge);
    float kept = view->GetRingAngle(0);
    EXPECT_TRUE(kept >= 0 && kept < kTwoPi) << huge << " kept as " << kept;
  }
}

TEST_F(TowerViewTest, RingsOutsideTheTowerHaveNoAngleAndTakeNone) {
  for (int32_t ring : {kRingsInView, kRingsInView + 5, -1}) {
    view->SetRingAngle(ring, 1.0f);
    EXPECT_EQ(view->GetRingAngle(ring), 0.0f) << ring;
  }
  for (int32_t ring = 0; ring < kRingsInView; ++ring) EXPECT_EQ(view->GetRingAngle(ring), 0.0f);
}

TEST_F(TowerViewTest, MarksAreSetPerRingAndPerCell) {
  view->SetRingMark(1, 2);
  view->SetPieceMark(1, 4, 3);
  view->SetPieceMark(2, 11, 1);
  for (int32_t slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(Layer().GetMark(0, slot), 0);
    EXPECT_EQ(Layer().GetMark(1, slot), slot == 4 ? 3 : 2) << slot;
    EXPECT_EQ(Layer().GetMark(2, slot), slot == 11 ? 1 : 0) << slot;
  }
  view->SetRingMark(kRingsInView, 2);
  view->SetRingMark(-1, 2);
  for (auto [ring, slot] : {std::pair{kRingsInView, 0}, {-1, 0}, {0, 12}, {0, -1}}) {
    view->SetPieceMark(ring, slot, 2);
    EXPECT_EQ(Layer().GetMark(ring, slot), 0) << ring << " " << slot;
  }
  for (int32_t slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(Layer().GetMark(0, slot), 0) << "a mark outside the tower lands nowhere";
  }
}

TEST_F(TowerViewTest, BeforeItsSetUpTheViewHoldsNoMarksNorHover) {
  std::unique_ptr<TTowerViewImpl> fresh = factory->CreateTowerView(nullptr, *settings);
  fresh->SetModel(tower);
  fresh->RereadJugModel();
  fresh->SetRingMark(0, 2);
  fresh->AddHighlight(0, 0, false);
  EXPECT_TRUE(fresh->SetHover(0, 0));
  EXPECT_FALSE(fresh->SetHover(1, 1));
  EXPECT_EQ(fresh->GetHover(), (GamePlay::TCell{0, 0}));
  EXPECT_EQ(fresh->GetJugFill(0), 0.0f);
  EXPECT_EQ(fresh->GetLayer(), nullptr);
}

TEST_F(TowerViewTest, EndMessagesArmTheLoseFlowAndTheLevelEndShowsAMessage) {
  struct Case {
    void (TTowerViewImpl::*show)();
    bool noMove, timeUp, armed, showing;
  };
  const Case cases[] = {
      {&TTowerViewImpl::ShowNoMoveMessage, true, false, true, false},
      {&TTowerViewImpl::ShowTimeUpMessage, false, true, true, false},
      {&TTowerViewImpl::OnLevelEnd, false, false, false, true},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TTowerViewImpl> fresh = factory->CreateTowerView(nullptr, *settings);
    EXPECT_FALSE(fresh->IsNoMoveShown() || fresh->IsTimeUpShown() || fresh->IsLoseFlowArmed() ||
                 fresh->IsShowingMessage());
    ((*fresh).*c.show)();
    EXPECT_EQ(fresh->IsNoMoveShown(), c.noMove);
    EXPECT_EQ(fresh->IsTimeUpShown(), c.timeUp);
    EXPECT_EQ(fresh->IsLoseFlowArmed(), c.armed);
    EXPECT_EQ(fresh->IsShowingMessage(), c.showing);
  }
  view->ShowNoMoveMessage();
  view->ShowTimeUpMessage();
  EXPECT_TRUE(view->IsNoMoveShown() && view->IsTimeUpShown() && view->IsLoseFlowArmed());
}

TEST_F(TowerViewTest, HighlightsAreASet) {
  view->AddHighlight(1, 3, false);
  view->AddHighlight(1, 3, false);
  view->AddHighlight(1, 3, true);
  view->AddHighlight(-1, -1, false);
  EXPECT_EQ(Layer().GetHighlights(),
            (std::set<THighlight>{{-1, -1, false}, {1, 3, false}, {1, 3, true}}));
  view->ResetHighlights();
  EXPECT_TRUE(Layer().GetHighlights().empty());
}

TEST_F(TowerViewTest, TheHoverTargetOfNoneTakesTheArrowsAway) {
  EXPECT_FALSE(view->SetHover(2, 5));
  EXPECT_EQ(view->GetHover(), (GamePlay::TCell{2, 5}));
  std::vector<GamePlay::TArrow> arrows = {{{100, 200}, 90.0f}, {{300, 50}, -45.0f}};
  view->ShowArrow(arrows);
  ASSERT_TRUE(Layer().AreArrowsShown());
  ASSERT_EQ(Layer().GetArrows().size(), 2u);
  EXPECT_EQ(Layer().GetArrows()[1].point, (GamePlay::TPoint{300, 50}));
  EXPECT_EQ(Layer().GetArrows()[1].angle, -45.0f);
  EXPECT_FALSE(view->SetHover(-1, -1));
  EXPECT_TRUE(Layer().AreArrowsShown()) << "only the target (0, 0) takes the arrows away";
  EXPECT_TRUE(view->SetHover(0, 0));
  EXPECT_FALSE(Layer().AreArrowsShown());
  EXPECT_EQ(view->GetHover(), (GamePlay::TCell{0, 0}));
}

TEST_F(TowerViewTest, JugFillIsScaledTo70AndNothingPastTheJugs) {
  jugs.fills[0] = 0.5f;
  jugs.fills[11] = 1.0f;
  jugs.fills[3] = 1.4f;  // overfilled while it empties
  struct Case {
    int32_t jug;
    float fill;
  };
  for (Case c : {Case{0, 35}, Case{11, 70}, Case{3, 98}, Case{1, 0}, Case{12, 0}, Case{-1, 0}}) {
    EXPECT_FLOAT_EQ(view->GetJugFill(c.jug), c.fill) << c.jug;
  }
  FakePieceJugs newJugs{GamePlay::TJugSetup{}};
  newJugs.fills[0] = 0.25f;
  scoring.jugs = &newJugs;
  view->RereadJugModel();
  EXPECT_FLOAT_EQ(view->GetJugFill(0), 17.5f);
  scoring.jugs = nullptr;
  view->RereadJugModel();
  EXPECT_FLOAT_EQ(view->GetJugFill(0), 0) << "a level without jugs";
}

TEST_F(TowerViewTest, APressedPowerUpShowsTheCellsItWouldReach) {
  auto powerUp = std::make_shared<AreaPowerUp>();
  powerUp->area = {{1, 3}, {1, 4}, {2, 4}};
  tower->SetPiece(1, 4, pieces.CreatePowerUpPiece(GamePlay::IPiece::kNoColour, powerUp));
  view->ShowPowerUpArea(0, 4);  // a plain piece
  view->ShowPowerUpArea(-1, 4);
  view->ShowPowerUpArea(1, 12);
  EXPECT_TRUE(Layer().GetPreviewSet().empty());
  view->ShowPowerUpArea(1, 4);
  EXPECT_EQ(Layer().GetPreviewSet(), (std::set<GamePlay::TCell>{{1, 3}, {1, 4}, {2, 4}}));
  EXPECT_EQ(Layer().GetPreviewPiece(), tower->GetPiece(1, 4));
  powerUp->area.clear();
  view->ShowPowerUpArea(1, 4);
  EXPECT_EQ(Layer().GetPreviewSet().size(), 3u) << "an empty area leaves the shown one";
}

// The area a pressed power-up shows follows its piece each frame, hides while
// it cannot go off, and ends three seconds after the press.
TEST_F(TowerViewTest, ThePowerUpAreaFollowsItsPieceAndEndsAfterThreeSeconds) {
  auto powerUp = std::make_shared<AreaPowerUp>();
  powerUp->area = {{2, 3}, {2, 4}, {2, 5}};
  tower->SetPiece(2, 4, pieces.CreatePowerUpPiece(GamePlay::IPiece::kNoColour, powerUp));
  GamePlay::TPiecePtr piece = tower->GetPiece(2, 4);
  view->ShowPowerUpArea(2, 4);
  view->DrawFirstPass();
  EXPECT_TRUE(Layer().IsPreviewShown());

  powerUp->area = {{0, 3}, {0, 4}, {0, 5}};  // the area from the cell it falls to
  tower->SetPiece(0, 4, piece);
  tower->SetPiece(2, 4, pieces.CreateStandard(2, nullptr));
  clock.Advance(1000);
  view->DrawFirstPass();
  EXPECT_TRUE(Layer().IsPreviewShown());
  EXPECT_EQ(Layer().GetPreviewSet(), (std::set<GamePlay::TCell>{{0, 3}, {0, 4}, {0, 5}}));

  view->SetRingAngle(0, 0.2f);
  view->DrawFirstPass();
  EXPECT_FALSE(Layer().IsPreviewShown()) << "its ring is turning";
  view->SetRingAngle(0, 0.0f);
  piece->ClearPowerUp(nullptr);
  view->DrawFirstPass();
  EXPECT_FALSE(Layer().IsPreviewShown()) << "it carries its power-up no more";
  tower->SetPiece(0, 4, pieces.CreatePowerUpPiece(GamePlay::IPiece::kNoColour, powerUp));
  view->DrawFirstPass();
  EXPECT_FALSE(Layer().IsPreviewShown()) << "its piece is gone";

  view->ShowPowerUpArea(0, 4);
  clock.Advance(TTowerLayer::kPreviewMs);
  view->DrawFirstPass();
  EXPECT_TRUE(Layer().IsPreviewShown()) << "still at 3,000 ms";
  clock.Advance(10);
  view->DrawFirstPass();
  EXPECT_FALSE(Layer().IsPreviewShown());
  EXPECT_TRUE(Layer().GetPreviewSet().empty());
  EXPECT_EQ(Layer().GetPreviewPiece(), nullptr);
}

// The rules never place a piece's view: the first pass tells each its cell.
TEST_F(TowerViewTest, TheFirstPassTellsEveryPieceViewItsCell) {
  const std::vector<GamePlay::TCell> cells = {{0, 0}, {1, 7}, {2, 11}};
  for (const GamePlay::TCell& cell : cells) tower->GetPiece(cell.ring, cell.slot)->GetView()->SetCell(-1, -1, true);
  view->DrawFirstPass();
  for (const GamePlay::TCell& cell : cells) {
    EXPECT_EQ(tower->GetPiece(cell.ring, cell.slot)->GetView()->GetRing(), cell.ring) << cell.slot;
  }
}

// The end messages and the level's end reach the model's sound and scoring
// once, however often they come.
TEST_F(TowerViewTest, EndsStopTheWarningLoopAndTheLevelEndExplodesWhatIsLeft) {
  auto count = [](const std::vector<std::string>& calls, const char* name) {
    return std::count(calls.begin(), calls.end(), name);
  };
  view->ShowTimeUpMessage();
  view->ShowNoMoveMessage();
  EXPECT_EQ(count(sound.played, "StopAlmostTimeOut"), 1);
  EXPECT_EQ(count(scoring.events, "ExplodeAll"), 0);
  view->OnLevelEnd();
  EXPECT_EQ(count(sound.played, "StopAlmostTimeOut"), 2);
  EXPECT_EQ(count(scoring.events, "ExplodeAll"), 1);
  EXPECT_TRUE(view->IsShowingMessage());
}

}  // namespace
}  // namespace GUI
