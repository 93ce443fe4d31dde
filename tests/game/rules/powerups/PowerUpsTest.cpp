#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/tower/LinkedRings.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TChangeColorPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "game/rules/pieces/TPieceSeqBomb.h"
#include "game/rules/powerups/TTimeBombPowerUp.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/rules/FakePieceJugs.h"
#include "tests/support/rules/FakeTimeController.h"
#include "tests/support/rules/StubTowerControl.h"

namespace GamePlay {
namespace {

using Cells = std::vector<TCell>;
using Strings = std::vector<std::string>;

std::string Text(const Cells& cells) {
  std::string text;
  for (const TCell& cell : cells) {
    if (!text.empty()) text += ", ";
    text += std::to_string(cell.ring) + " " + std::to_string(cell.slot);
  }
  return text;
}

class PowerUpTest : public RecordedTowerTest {
 protected:
  void Build(const std::vector<std::string>& rings, TTowerSetup setup = {}) {
    BuildTower(rings, setup);
  }

  // The ring as text: a digit per piece by its colour, "x" for a piece
  // taken out, "." vacant.
  std::string Ring(int32_t ring) {
    std::string text;
    for (int32_t slot = 0; slot < 12; ++slot) {
      IPiece& piece = *tower->GetPiece(ring, slot);
      if (piece.IsVoid()) {
        text += '.';
      } else if (dynamic_cast<TDisappearingPiece*>(&piece)) {
        text += 'x';
      } else {
        text += static_cast<char>('0' + piece.GetColour());
      }
    }
    return text;
  }
  // A standard piece at the cell carrying the power-up.
  void Carry(int32_t ring, int32_t slot, int32_t colour, const TPowerUpPtr& powerUp) {
    tower->SetPiece(ring, slot, pieces.CreateStandard(colour, powerUp));
  }
};

// Area bombs --------------------------------------------------------------

struct AreaCase {
  const char* name;
  int32_t halfHeight;
  int32_t halfWidth;
  bool cross;
  TCell at;
  uint32_t rings;
  const char* cells;
};

void PrintTo(const AreaCase& c, std::ostream* out) { *out << c.name; }

class AreaBombArea : public PowerUpTest, public testing::WithParamInterface<AreaCase> {};

TEST_P(AreaBombArea, CoversItsRectangleRoundTheRing) {
  const AreaCase& c = GetParam();
  Build(std::vector<std::string>(c.rings, ""));
  TBigAreaBombPowerUp bomb(c.halfHeight, c.halfWidth, c.cross, false, false);
  EXPECT_EQ(Text(bomb.GetArea(c.at.ring, c.at.slot, tower)), c.cells);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, AreaBombArea,
    testing::Values(
        AreaCase{"TopRingWrapsRound", 1, 1, false, {0, 0}, 5, "0 11, 0 1, 1 11, 1 0, 1 1"},
        AreaCase{"TopRingCross", 1, 1, true, {0, 0}, 5, "0 11, 0 1, 1 0"},
        AreaCase{"BottomRing", 1, 1, false, {4, 11}, 5, "3 10, 3 11, 3 0, 4 10, 4 0"},
        AreaCase{"BottomRingCross", 1, 1, true, {4, 11}, 5, "3 11, 4 10, 4 0"},
        AreaCase{"WideCross", 1, 2, true, {2, 5}, 5, "1 5, 2 3, 2 4, 2 6, 2 7, 3 5"},
        AreaCase{"TallerThanTheTower", 3, 0, false, {1, 7}, 3, "0 7, 2 7"},
        AreaCase{"OwnCellOnly", 0, 0, false, {1, 1}, 3, ""},
        AreaCase{"RingBomb",
                 0,
                 6,
                 false,
                 {1, 3},
                 3,
                 "1 9, 1 10, 1 11, 1 0, 1 1, 1 2, 1 4, 1 5, 1 6, 1 7, 1 8"}),
    [](const testing::TestParamInfo<AreaCase>& info) { return info.param.name; });

TEST_F(PowerUpTest, ARingBombHitsEachOtherCellOfItsRingOnce) {
  Build({"000000000000", "111111111111", "222222222222"});
  auto bomb = std::make_shared<TBigAreaBombPowerUp>(0, 6, false, false, true);
  Carry(1, 3, 1, bomb);
  tower->ActivateCell(1, 3, nullptr);
  EXPECT_EQ(Ring(0), "000000000000");
  EXPECT_EQ(Ring(1), "xxxxxxxxxxxx");
  EXPECT_EQ(Ring(2), "222222222222");
  EXPECT_EQ(scoring.Named("ScoreBombedPiece").size(), 11u);
  EXPECT_EQ(scoring.Named("AddPieceBomb").size(), 11u);
  EXPECT_EQ(sound.played, Strings({"PlayRingBomb", "PlayBigBomb"}));
}

TEST_F(PowerUpTest, AnAreaBombBreaksBlockersAndTakesPiecesOutAsTheirCause) {
  TTowerSetup setup;
  setup.blockerExplode = true;
  setup.blockerEnergyRatios = {{0, 1.0f}};
  Build({"0A2", "345"}, setup);
  auto bomb = std::make_shared<TBigAreaBombPowerUp>(1, 1, false, true, false);
  bomb->Activate(0, 1, tower, bomb);
  EXPECT_EQ(Ring(0), "x0x.........") << "the blocker at the bomb's own cell stays";
  EXPECT_EQ(Ring(1), "xxx.........");
  auto* taken = dynamic_cast<TDisappearingPiece*>(tower->GetPiece(1, 0).get());
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->GetCarriedPowerUps(), std::vector<TPowerUpPtr>({bomb}));
  EXPECT_EQ(scoring.Named("AddPieceBomb").size(), 5u) << "one for every cell of the area";
  EXPECT_TRUE(scoring.Named("AddBlockerExplode").empty()) << "no blocker in the area";
  EXPECT_EQ(sound.played.back(), "PlaySmallBomb");
}

TEST_F(PowerUpTest, BombsBreakTheBlockersInTheirArea) {
  TTowerSetup setup;
  setup.blockerExplode = true;
  setup.blockerEnergyRatios = {{0, 1.0f}};
  Build({"0A2"}, setup);
  auto bomb = std::make_shared<TBigAreaBombPowerUp>(0, 1, false, true, false);
  bomb->Activate(0, 0, tower, bomb);
  EXPECT_EQ(Ring(0).substr(0, 3), "0x2") << "broken at once by a ratio of 1, then taken out";
  EXPECT_EQ(scoring.Named("AddBlockerExplode").size(), 1u);
}

TEST_F(PowerUpTest, ABombThatSetsItselfOffAgainActsOnce) {
  Build({"000000000000"});
  auto bomb = std::make_shared<TBigAreaBombPowerUp>(0, 1, false, true, false);
  Carry(0, 4, 0, bomb);
  Carry(0, 5, 0, bomb);
  tower->ActivateCell(0, 4, nullptr);
  EXPECT_EQ(Ring(0), "000xxx000000");
  EXPECT_EQ(sound.played, Strings({"PlaySmallBomb"}));
  tower->ActivateCell(0, 7, nullptr);
  bomb->Activate(0, 8, tower, bomb);
  EXPECT_EQ(Ring(0), "000xxx0x0x00") << "acting again once the first action is over";
}

TEST_F(PowerUpTest, BombFormsFollowTheirBytes) {
  TBigAreaBombPowerUp crossBomb(1, 1, true, true, false);
  TBigAreaBombPowerUp areaBomb(2, 2, false, false, false);
  TBigAreaBombPowerUp ringBomb(0, 6, false, false, true);
  EXPECT_FALSE(crossBomb.IsAreaForm() || crossBomb.IsRingForm() || crossBomb.GetSizeFlag());
  EXPECT_TRUE(areaBomb.IsAreaForm() && !areaBomb.IsRingForm() && areaBomb.GetSizeFlag());
  EXPECT_TRUE(ringBomb.IsRingForm());
  EXPECT_FALSE(ringBomb.GetSizeFlag()) << "the ring form wins";
}

TEST_F(PowerUpTest, ADisappearingPieceTellsWhichBombsItCarries) {
  auto piece = [&](const TPowerUpPtr& powerUp) {
    return std::dynamic_pointer_cast<TDisappearingPiece>(
        pieces.CreateDisappearing(pieces.CreateStandard(0, powerUp), nullptr, nullptr));
  };
  bool size = true;
  EXPECT_FALSE(piece(nullptr)->FindAreaBomb(size));
  EXPECT_FALSE(piece(nullptr)->HasColorBomb());
  EXPECT_TRUE(piece(std::make_shared<TColorBombPowerUp>())->HasColorBomb());
  EXPECT_TRUE(piece(std::make_shared<TBigAreaBombPowerUp>(2, 2, false, false, false))
                  ->FindAreaBomb(size));
  EXPECT_TRUE(size);
  auto twice = pieces.CreateDisappearing(
      piece(std::make_shared<TBigAreaBombPowerUp>(0, 6, false, false, true)), nullptr, nullptr);
  EXPECT_TRUE(std::dynamic_pointer_cast<TDisappearingPiece>(twice)->FindAreaBomb(size));
  EXPECT_FALSE(size);
}

// Change colour -------------------------------------------------------------

struct ChangeCase {
  const char* name;
  int32_t jugColour;  // of slot 5; -2: no jugs at all
  const char* ring2;
  const char* ring3;
  const char* ring4;
};

void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.name; }

class ChangeColour : public PowerUpTest, public testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangeColour, TurnsItsNeighboursToTheColourOfItsJug) {
  const ChangeCase& c = GetParam();
  Build({"", "", "000000000000", "111111111111", "222222222222"});
  FakePieceJugs jugs{TJugSetup{}};
  jugs.colours[5] = c.jugColour;
  auto change = std::make_shared<TChangeColorPowerUp>();
  if (c.jugColour != -2) change->SetJugs(&jugs);
  Carry(3, 5, 1, change);
  tower->ActivateCell(3, 5, nullptr);
  EXPECT_EQ(Ring(2), c.ring2);
  EXPECT_EQ(Ring(3), c.ring3);
  EXPECT_EQ(Ring(4), c.ring4);
  EXPECT_EQ(sound.played, Strings({"PlayColorChange"}));
}

INSTANTIATE_TEST_SUITE_P(
    Jugs, ChangeColour,
    testing::Values(ChangeCase{"OfOneColour", 4, "000004000000", "11114x411111", "222244422222"},
                    ChangeCase{"SameColourStays", 1, "000001000000", "11111x111111",
                               "222211122222"},
                    ChangeCase{"OfAnyColour", 9, "000000000000", "11111x111111",
                               "222222222222"},
                    ChangeCase{"NoJugInTheSlot", -1, "000000000000", "11111x111111",
                               "222222222222"},
                    ChangeCase{"NoJugsAtAll", -2, "000000000000", "11111x111111",
                               "222222222222"}),
    [](const testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });

TEST_F(PowerUpTest, ChangeColourActsOnTheCellsRoundItsOwn) {
  Build({"", "", "", "", ""});
  FakePieceJugs jugs{TJugSetup{}};
  TChangeColorPowerUp change;
  EXPECT_TRUE(change.GetArea(3, 5, tower).empty()) << "without jugs";
  change.SetJugs(&jugs);
  EXPECT_EQ(Text(change.GetArea(3, 5, tower)), "2 5, 3 4, 3 6, 4 4, 4 5, 4 6");
  EXPECT_EQ(Text(change.GetArea(0, 0, tower)), "0 11, 0 1, 1 11, 1 0, 1 1");
}

// Colour bombs ----------------------------------------------------------------

TEST_F(PowerUpTest, AColourBombClearsItsColourThroughTheSequence) {
  Build({"2.2", "12", "02"});
  StubTowerControl control(tower);
  TPieceSeqBomb sequence(&control, 100);
  auto bomb = std::make_shared<TColorBombPowerUp>();
  EXPECT_TRUE(bomb->GetArea(0, 0, tower).empty()) << "no colour";
  bomb->Activate(0, 0, tower, bomb);
  EXPECT_FALSE(control.locks.IsLocked(TInputLock::Explosion));

  bomb->Set(2, &sequence);
  EXPECT_EQ(Text(bomb->GetArea(0, 0, tower)), "0 2, 1 1, 2 1");
  bomb->Activate(0, 0, tower, bomb);
  EXPECT_EQ(sequence.GetMode(), TPieceSeqBomb::TMode::RemoveColour);
  EXPECT_TRUE(control.locks.IsLocked(TInputLock::Explosion));
  EXPECT_EQ(sound.played, Strings({"OnColorBomb"}));
}

TEST_F(PowerUpTest, AColourBombOfColourZeroLeavesVacantCellsOut) {
  Build({"0.0"});
  TColorBombPowerUp bomb;
  bomb.Set(0, nullptr);
  EXPECT_EQ(Text(bomb.GetArea(0, 0, tower)), "0 2");
}

// Time bombs ------------------------------------------------------------------

TEST_F(PowerUpTest, ATimeBombGivesTheTimerItsShareBack) {
  Build({"0"});
  FakeTimeController timer;
  auto bomb = std::make_shared<TTimeBombPowerUp>(&timer, 0.15f);
  bomb->Activate(0, 0, tower, bomb);
  EXPECT_EQ(timer.added, std::vector<float>({-0.15f}));
  EXPECT_EQ(sound.played, Strings({"PlayTimeBomb"}));
  EXPECT_TRUE(bomb->GetArea(0, 0, tower).empty());
}

// Locks and gears ---------------------------------------------------------------

class LinkTest : public PowerUpTest {
 protected:
  // Five rings; a lock or gear is carried by slot 3 of the rings named.
  void BuildLinks(const std::string& links) {
    Build(std::vector<std::string>(5, "000000000000"));
    for (int32_t ring = 0; ring < static_cast<int32_t>(links.size()); ++ring) {
      if (links[ring] == 'L') Carry(ring, 3, 0, std::make_shared<TLockPowerUp>());
      if (links[ring] == 'G') Carry(ring, 3, 0, std::make_shared<TGearPowerUp>());
    }
  }
  std::map<int32_t, int32_t> Linked(int32_t ring) {
    bool turnsGears = false;
    return FindLinkedRings(*tower, ring, turnsGears);
  }
};

TEST_F(LinkTest, LocksTurnTheRingBelowAlongAndGearsAgainst) {
  struct Case {
    const char* links;
    int32_t ring;
    std::map<int32_t, int32_t> linked;
    bool turnsGears;
  };
  const Case cases[] = {
      {".....", 2, {{2, 1}}, false},
      {"..L..", 2, {{2, 1}, {3, 1}}, false},
      {"..L..", 3, {{2, 1}, {3, 1}}, false},
      {"..G..", 2, {{2, 1}, {3, -1}}, true},
      {"..G..", 3, {{2, -1}, {3, 1}}, true},
      {"..G..", 0, {{0, 1}}, false},
      {".LG..", 1, {{1, 1}, {2, 1}, {3, -1}}, true},
      {"GGGGG", 4, {{0, 1}, {1, -1}, {2, 1}, {3, -1}, {4, 1}}, true},
      {"L.L.L", 4, {{4, 1}}, false},
  };
  for (const Case& c : cases) {
    BuildLinks(c.links);
    bool turnsGears = !c.turnsGears;
    EXPECT_EQ(FindLinkedRings(*tower, c.ring, turnsGears), c.linked) << c.links << " " << c.ring;
    EXPECT_EQ(turnsGears, c.turnsGears) << c.links << " " << c.ring;
  }
}

TEST_F(LinkTest, LocksAndGearsDoNothingWhenSetOffAndLookWhole) {
  BuildLinks("");
  auto lock = std::make_shared<TLockPowerUp>();
  lock->SetTimer(0.2f);
  EXPECT_EQ(lock->GetTimer(), 1.0f);
  lock->Activate(0, 0, tower, lock);
  EXPECT_TRUE(scoring.events.empty());
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(LinkTest, BreakersTakeOffEveryLockOrEveryGear) {
  BuildLinks("LG.L.");
  auto lockBreaker = std::make_shared<TLockBreakerPowerUp>();
  lockBreaker->Activate(2, 0, tower, lockBreaker);
  EXPECT_EQ(Linked(0), (std::map<int32_t, int32_t>{{0, 1}}));
  EXPECT_EQ(Linked(1), (std::map<int32_t, int32_t>{{1, 1}, {2, -1}})) << "gears remain";
  EXPECT_EQ(Linked(3), (std::map<int32_t, int32_t>{{3, 1}}));
  auto gearBreaker = std::make_shared<TGearBreakerPowerUp>();
  gearBreaker->Activate(2, 0, tower, gearBreaker);
  EXPECT_EQ(Linked(1), (std::map<int32_t, int32_t>{{1, 1}}));
  EXPECT_TRUE(gearBreaker->GetArea(2, 0, tower).empty());
}

// Each power-up's view is held weakly, and its carrying piece too.
TEST_F(PowerUpTest, APowerUpKeepsNeitherItsViewNorItsPieceAlive) {
  auto bomb = std::make_shared<TTimeBombPowerUp>(nullptr, 0.1f);
  auto view = std::make_shared<NullPowerUpView>();
  bomb->SetView(view);
  EXPECT_EQ(bomb->GetView(), view);
  TPiecePtr piece = pieces.CreateStandard(1, bomb);
  bomb->SetCell(piece, 2, 7);
  TCell cell;
  EXPECT_EQ(bomb->GetCell(cell), piece);
  EXPECT_EQ(cell, (TCell{2, 7}));
  std::weak_ptr<IPiece> gone = piece;
  piece.reset();
  view.reset();
  EXPECT_TRUE(gone.expired());
  EXPECT_EQ(bomb->GetView(), nullptr);
  EXPECT_EQ(bomb->GetCell(cell), nullptr);
}

}  // namespace
}  // namespace GamePlay
