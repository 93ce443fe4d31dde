#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "game/rules/powerups/TChangeColorPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "platform/file/FileIndex.h"
#include "tests/game/rules/ScoringFixture.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

// Three rings that hold no move: each ring one colour of its own.
const std::vector<std::string> kNoMove = {Full('0'), Full('1'), Full('2')};

// Events ----------------------------------------------------------------

struct EventCase {
  const char* name;
  std::function<void(TScoring&)> score;
  int32_t points;
};

TEST_F(ScoringTest, EachSimpleEventAddsItsValueAndCountsDownTheGoal) {
  const EventCase cases[] = {
      {"single piece", [](TScoring& s) { s.AddSinglePiece(); }, 1},
      {"lock", [](TScoring& s) { s.AddLockExplode(); }, 20},
      {"gear", [](TScoring& s) { s.AddGearExplode(); }, 30},
      {"accepted piece bomb", [](TScoring& s) { s.AddPieceBomb(true); }, 45},
      {"piece bomb", [](TScoring& s) { s.AddPieceBomb(false); }, 4},
      {"blocker", [](TScoring& s) { s.AddBlockerExplode(); }, 5},
  };
  Build(kNoMove);
  int32_t total = 0;
  for (const EventCase& c : cases) {
    c.score(*scoring);
    total += c.points;
    EXPECT_EQ(scoring->GetLevelScore(), total) << c.name;
    EXPECT_EQ(scoring->GetRemaining(), 1000 - total) << c.name;
  }
  EXPECT_TRUE(observer.heard.empty()) << "observers hear of matches only";
}

TEST_F(ScoringTest, WithoutAGoalTheRemainderNeverChanges) {
  MakeScoring();
  MakeTower(kNoMove, false);
  TScoringStart start = Start();
  start.scoreGoal = 0;
  scoring->StartLevel(start);
  scoring->AddLockExplode();
  scoring->ScoreMatch(3, 1, {{{0, 3}, {1, 3}, {2, 3}}});
  EXPECT_EQ(scoring->GetRemaining(), 0);
  EXPECT_EQ(scoring->GetLevelScore(), 20 + 103);
}

// The level's record points at the tower being played from its start, for
// whoever reads the level after its end.
TEST_F(ScoringTest, StartingALevelPutsItsTowerInTheLevelResult) {
  Build(kNoMove);
  EXPECT_EQ(Result().tower, tower);
}

// Matches ---------------------------------------------------------------

TEST_F(ScoringTest, AMatchScoresByComboAndTellsEveryObserverOfEveryGroup) {
  Build(kNoMove);
  RecordingScoringObserver second;
  scoring->AddObserver(&second);
  scoring->ScoreMatch(7, 2, {{{0, 3}, {1, 3}, {2, 3}}, {{3, 8}, {4, 8}, {5, 8}, {6, 8}}});
  Strings expected = {"OnScore 7 2 0 3 207 0", "OnScore 7 2 3 8 207 0"};
  EXPECT_EQ(observer.heard, expected);
  EXPECT_EQ(second.heard, expected);
  EXPECT_EQ(scoring->GetLevelScore(), 207);
  EXPECT_EQ(sound.played, Strings({"PlayMatch 3", "PlayMatch 4"}));
}

TEST_F(ScoringTest, OnlyAMatchInACountsAsAMatch) {
  Build(kNoMove);
  const TGroupList run = {{{0, 0}, {1, 0}, {2, 0}}};
  scoring->ScoreMatch(3, 0, run);
  EXPECT_EQ(Result().matchCount, 0);
  scoring->ScoreMatch(3, 2, run);
  EXPECT_EQ(Result().matchCount, 1);
}

TEST_F(ScoringTest, BlockersDrawnInBesideARunMakeASideMatch) {
  Build(kNoMove);
  scoring->ScoreMatch(4, 1, {{{0, 3}, {1, 3}, {2, 3}}, {{1, 4}}});
  EXPECT_EQ(observer.heard, Strings({"OnScore 4 1 0 3 1004 1", "OnScore 4 1 1 4 1004 1"}));
  EXPECT_EQ(scoring->GetLevelScore(), 1004);
  EXPECT_EQ(sound.played, Strings({"PlayMatch 3"})) << "the blockers make no match sound";
}

TEST_F(ScoringTest, AMatchPoursItsEnergyIntoTheJugOfItsColumn) {
  Build({Full('0'), Full('2'), Full('2'), Full('2')}, true);
  jugs->colours[5] = 2;
  scoring->ScoreMatch(3, 1, {{{1, 5}, {2, 5}, {3, 5}}});
  EXPECT_EQ(jugs->poured, Strings({"2 1 5 3"}));
}

TEST_F(ScoringTest, AMatchPassOfTheTowerScoresWhenItsReactionFires) {
  Build({"0", "2", "2", "2"}, true);
  jugs->colours[0] = 2;
  FinishFill();
  ASSERT_TRUE(tower->CheckMatches());
  EXPECT_EQ(scoring->GetLevelScore(), 3) << "three single pieces so far";
  EXPECT_EQ(tower->GetPiece(3, 0)->GetJugMark(), TIntPair(-1, -1));
  EXPECT_TRUE(observer.heard.empty());
  tower->FireReaction(tower->GetPiece(2, 0));
  EXPECT_EQ(scoring->GetLevelScore(), 3 + 103);
  EXPECT_EQ(observer.heard, Strings({"OnScore 3 1 1 0 103 0"}));
  EXPECT_EQ(jugs->poured, Strings({"2 1 0 3"}));
  EXPECT_EQ(Result().matchCount, 1);
}

TEST_F(ScoringTest, MatchedPiecesLearnWhetherAJugTakesThem) {
  Build({"012", "012", "012"}, true);
  jugs->colours = {0, 1, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  jugs->blockingRings[1] = 2;
  scoring->MarkJugTargets(9, 1, {{{0, 0}, {1, 0}, {2, 0}}, {{0, 1}}, {{0, 2}}});
  EXPECT_EQ(tower->GetPiece(2, 0)->GetJugMark(), TIntPair(-1, -1)) << "taken";
  EXPECT_EQ(tower->GetPiece(0, 1)->GetJugMark(), TIntPair(-1, 2)) << "stopped by a blocker";
  EXPECT_EQ(tower->GetPiece(0, 2)->GetJugMark(), TIntPair(0, 0)) << "another colour's jug";
  EXPECT_TRUE(jugs->poured.empty()) << "marking pours nothing";
}

// Bombed pieces ---------------------------------------------------------

struct BombCase {
  const char* name;
  char piece;
  int32_t count;
  int32_t jugColour;     // of jug 4
  int32_t blockingRing;  // of jug 4, -1 none
  bool accepted;
  TIntPair mark;
  size_t poured;
};

void PrintTo(const BombCase& c, std::ostream* out) { *out << c.name; }

class ScoringBombedPiece : public ScoringTest, public testing::WithParamInterface<BombCase> {};

TEST_P(ScoringBombedPiece, FeedsTheJugOfItsSlot) {
  const BombCase& c = GetParam();
  std::string ring = Full('1');
  ring[4] = c.piece;
  Build({ring}, true);
  jugs->colours[4] = c.jugColour;
  if (c.blockingRing >= 0) jugs->blockingRings[4] = c.blockingRing;
  bool allFull = false;
  EXPECT_EQ(scoring->ScoreBombedPiece(0, 4, c.count, allFull), c.accepted);
  EXPECT_EQ(tower->GetPiece(0, 4)->GetJugMark(), c.mark);
  EXPECT_EQ(jugs->poured.size(), c.poured);
  EXPECT_FALSE(allFull);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScoringBombedPiece,
    testing::Values(BombCase{"Taken", '3', 1, 3, -1, true, {-1, -1}, 1},
                    BombCase{"TakenByAJugOfAnyColour", '3', 1, 9, -1, true, {-1, -1}, 1},
                    BombCase{"StoppedByABlocker", '3', 1, 3, 2, false, {-1, 2}, 0},
                    BombCase{"AMatchMarksNothing", '3', 4, 3, 2, false, {0, 0}, 0},
                    BombCase{"AMatchIsTakenUnmarked", '3', 4, 3, -1, true, {0, 0}, 1},
                    BombCase{"OtherColour", '2', 1, 3, -1, false, {0, 0}, 0},
                    BombCase{"VacantCell", '.', 1, 9, -1, false, {0, 0}, 0},
                    BombCase{"PlainBlocker", 'Z', 1, 9, -1, false, {0, 0}, 0}),
    [](const testing::TestParamInfo<BombCase>& info) { return info.param.name; });

TEST_F(ScoringTest, WithoutJugsNoBombedPieceIsTaken) {
  Build({Full('3')});
  bool allFull = false;
  EXPECT_EQ(scoring->GetPieceJug(), nullptr);
  EXPECT_FALSE(scoring->ScoreBombedPiece(0, 4, 1, allFull));
}

TEST_F(ScoringTest, FillingTheLastJugWinsTheLevel) {
  Build({Full('3')}, true);
  jugs->colours[4] = 3;
  jugs->fillsAll = true;
  bool allFull = false;
  EXPECT_TRUE(scoring->ScoreBombedPiece(0, 4, 1, allFull));
  EXPECT_TRUE(allFull);
  EXPECT_EQ(control.events, Strings({"EndLevel"}));
  EXPECT_EQ(view.events, Strings({"OnLevelEnd"}));
}

// Power-ups earned by matches --------------------------------------------

class ScoringGroups : public ScoringTest {
 protected:
  // A level whose piece table hands out the kinds after its colon.
  void BuildWithKinds(const std::string& pieceTable, const std::vector<std::string>& rings,
                      bool hasJugs = false) {
    files.WriteAsset("levels/piecetable/piece0101.txt", pieceTable);
    ClearFileIndex();
    BuildFileIndex();
    tables.match[{1, 5}] = 1;
    Build(rings, hasJugs);
  }
  TPowerUpPiece* PowerUpPieceAt(int32_t ring, int32_t slot) {
    return dynamic_cast<TPowerUpPiece*>(tower->GetPiece(ring, slot).get());
  }
  // A column of five pieces of colour 2 in slot 0.
  const std::vector<std::string> kFive = {"2", "2", "2", "2", "2"};
  const TGroupList kFiveGroup = {{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}};
};

TEST_F(ScoringGroups, AMatchOfFiveGetsAPowerUpPieceInItsMiddle) {
  BuildWithKinds("0123:x", kFive);
  scoring->ScoreGroups(5, 1, kFiveGroup);
  EXPECT_EQ(powerUps.codes, std::vector<int32_t>({IPowerUpFactory::kSmallCrossBomb}));
  TPowerUpPiece* placed = PowerUpPieceAt(2, 0);
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(placed->GetPowerUp(), powerUps.made.at(0));
  EXPECT_EQ(placed->GetColour(), IPiece::kNoColour);
  EXPECT_NE(placed->GetClock(), nullptr) << "its timer runs";
  EXPECT_EQ(sound.played, Strings({"PlayPowerUpCreation"}));
}

TEST_F(ScoringGroups, KindsComeInTurnAndMapToTheirPowerUps) {
  BuildWithKinds("0:xXCcR", {Full('2'), Full('2'), Full('2'), Full('2'), Full('2')});
  for (int32_t slot = 0; slot < 6; ++slot) {
    scoring->ScoreGroups(5, 1, {{{0, slot}, {1, slot}, {2, slot}, {3, slot}, {4, slot}}});
  }
  EXPECT_EQ(powerUps.codes,
            std::vector<int32_t>({IPowerUpFactory::kSmallCrossBomb, IPowerUpFactory::kAreaBomb,
                                  IPowerUpFactory::kColourBomb, IPowerUpFactory::kChangeColour,
                                  IPowerUpFactory::kRingBomb, IPowerUpFactory::kSmallCrossBomb}));
}

TEST_F(ScoringGroups, AColourBombPieceTakesTheColourOfItsCell) {
  BuildWithKinds("0:C", kFive);
  scoring->ScoreGroups(5, 1, kFiveGroup);
  ASSERT_NE(PowerUpPieceAt(2, 0), nullptr);
  EXPECT_EQ(PowerUpPieceAt(2, 0)->GetColour(), 2);
}

// Makes the power-ups that take parts of the level from the scoring model.
class LevelBoundPowerUps final : public IPowerUpFactory {
 public:
  TPowerUpPtr CreatePowerUp(int32_t code) override {
    if (code == kColourBomb) return std::make_shared<TColorBombPowerUp>();
    if (code == kChangeColour) return std::make_shared<TChangeColorPowerUp>();
    return nullptr;
  }
  TPowerUpPtr CreateLock() override { return nullptr; }
  TPowerUpPtr CreateGear() override { return nullptr; }
  TPowerUpPtr CreateNone() override { return nullptr; }
};

TEST_F(ScoringGroups, PowerUpsGetTheColourExplosionsAndJugsOfTheLevel) {
  LevelBoundPowerUps levelBound;
  powerUpFactory = &levelBound;
  BuildWithKinds("0:Cc", {Full('2'), Full('2'), Full('2'), Full('2'), Full('2')}, true);
  jugs->colours.assign(12, 3);
  for (int32_t slot = 0; slot < 2; ++slot) {
    scoring->ScoreGroups(5, 1, {{{0, slot}, {1, slot}, {2, slot}, {3, slot}, {4, slot}}});
  }
  TPowerUpPtr colourBomb = tower->GetPiece(2, 0)->GetPowerUp();
  ASSERT_NE(dynamic_cast<TColorBombPowerUp*>(colourBomb.get()), nullptr);
  EXPECT_EQ(static_cast<TColorBombPowerUp&>(*colourBomb).GetColour(), 2);
  colourBomb->Activate(2, 0, tower, colourBomb);
  EXPECT_EQ(scoring->GetExplosions()->GetMode(), TPieceSeqBomb::TMode::RemoveColour);

  TPowerUpPtr change = tower->GetPiece(2, 1)->GetPowerUp();
  ASSERT_NE(dynamic_cast<TChangeColorPowerUp*>(change.get()), nullptr);
  change->Activate(2, 1, tower, change);
  EXPECT_EQ(tower->GetPiece(1, 1)->GetColour(), 3) << "the jug of its slot gave the colour";
}

TEST_F(ScoringGroups, SmallerMatchesEarnNothingAndDrawNoKind) {
  BuildWithKinds("0:XC", kFive);
  scoring->ScoreGroups(4, 1, {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}});
  EXPECT_TRUE(powerUps.codes.empty());
  scoring->ScoreGroups(5, 1, kFiveGroup);
  EXPECT_EQ(powerUps.codes, std::vector<int32_t>({IPowerUpFactory::kAreaBomb}));
}

TEST_F(ScoringGroups, AGroupWithoutASetOffCellPlacesNothingButUsesItsKind) {
  BuildWithKinds("0:XC", {"C", "C", "C", "C", "C", "2", "2", "2", "2", "2"});
  FinishFill();
  const TCellGroup blockers = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
  const TCellGroup run = {{5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}};
  scoring->ScoreGroups(10, 1, {blockers, run});
  EXPECT_EQ(powerUps.codes, std::vector<int32_t>({IPowerUpFactory::kColourBomb}));
  EXPECT_NE(PowerUpPieceAt(7, 0), nullptr);
  for (int32_t ring = 0; ring < 5; ++ring) EXPECT_EQ(PowerUpPieceAt(ring, 0), nullptr) << ring;
}

TEST_F(ScoringGroups, WithoutAMatchTableOrAPieceTableTheDefaults) {
  tables.match.clear();
  Build(kFive);
  scoring->ScoreGroups(5, 1, kFiveGroup);
  EXPECT_TRUE(powerUps.codes.empty()) << "an empty match table earns nothing";

  tables.match[{1, 5}] = 1;
  Build(kFive);
  scoring->ScoreGroups(5, 1, kFiveGroup);
  EXPECT_EQ(powerUps.codes, std::vector<int32_t>({IPowerUpFactory::kSmallCrossBomb}))
      << "a level without a piece table hands out kind 1";
}

// No move left ------------------------------------------------------------

struct StuckCase {
  const char* name;
  std::vector<std::string> rings;
  bool stuck;
};

void PrintTo(const StuckCase& c, std::ostream* out) { *out << c.name; }

class ScoringStuck : public ScoringTest, public testing::WithParamInterface<StuckCase> {};

TEST_P(ScoringStuck, AnswersWhetherAMoveIsLeft) {
  Build(GetParam().rings);
  FinishFill();
  EXPECT_EQ(scoring->IsStuck(), GetParam().stuck);
}

// Rings 1 and 2 hold a blue blocker (slot 0), which keeps them from turning.
INSTANTIATE_TEST_SUITE_P(
    Towers, ScoringStuck,
    testing::Values(
        StuckCase{"EachRingItsOwnColour", kNoMove, true},
        StuckCase{"TurningLinesUpAColour", {Full('0'), "111110111111", "222222222022"}, false},
        StuckCase{"BusyRingsShowOnlyTheirOwnSlot",
                  {Full('0'), "F11110111111", "F22222222022"},
                  true},
        StuckCase{"BusyRingsAlreadyLinedUp", {Full('0'), "F11110111111", "F22220222222"}, false},
        StuckCase{"APowerUpPieceIsLeft", {"P00000000000", Full('1'), Full('2')}, false},
        StuckCase{"AVacantCellAboveABlocker",
                  {"000.00000000", Full('1'), "222D22222222"},
                  false},
        // Every ring but ring 1 holds a blocker; column 3 takes no new piece.
        StuckCase{"RingOneDoesNotCountAVacancyOfRingZero",
                  {"A00.00000000", Full('1'), "222C22222222"},
                  true},
        StuckCase{"RingTwoCountsAVacancyOfRingOne",
                  {"A00000000000", "B11.11111111", Full('2'), "333D33333333"},
                  false}),
    [](const testing::TestParamInfo<StuckCase>& info) { return info.param.name; });

TEST_F(ScoringTest, NoMoveIsJudgedWhileTheTowerIsBusy) {
  Build(kNoMove);
  EXPECT_FALSE(scoring->IsStuck()) << "still filling";
  FinishFill();
  control.locks.Lock(TInputLock::MatchRemoval);
  EXPECT_FALSE(scoring->IsStuck()) << "a lock is held";
  control.locks.Unlock(TInputLock::MatchRemoval);
  EXPECT_TRUE(scoring->IsStuck());
}

// Fill and step -------------------------------------------------------------

TEST_F(ScoringTest, TheFillCountsPiecesThatStayExceptDuringTheStart) {
  Build({"0.", "1e", "P2"});
  TPiecePtr removed = tower->GetPiece(2, 1);
  tower->SetPiece(2, 1, pieces.CreateDisappearing(removed, nullptr, tower));
  // 36 cells: 32 vacant, one disappearing; the empty piece counts.
  EXPECT_FLOAT_EQ(scoring->GetFillFraction(), 4.0f / 36.0f);
  control.locks.Lock(TInputLock::StartUpDelivery);
  EXPECT_EQ(scoring->GetFillFraction(), 0.0f);
}

TEST_F(ScoringTest, AStepHoldsTheScoringLockWhileAnObserverIsBusy) {
  Build(kNoMove);
  observer.busy = true;
  scoring->Step();
  EXPECT_TRUE(control.locks.IsLocked(TInputLock::ScoringBusy));
  observer.busy = false;
  scoring->Step();
  EXPECT_FALSE(control.locks.IsLocked(TInputLock::ScoringBusy));
}

TEST_F(ScoringTest, ExplosionsWaitForTheStartOfTheLevel) {
  Build({Full('0')});
  control.locks.Lock(TInputLock::StartUpDelivery);
  scoring->ExplodeAll();
  for (int i = 0; i < 10; ++i) {
    clock.Update();
    scoring->Step();
  }
  EXPECT_EQ(dynamic_cast<TDisappearingPiece*>(tower->GetPiece(0, 0).get()), nullptr);
  control.locks.Unlock(TInputLock::StartUpDelivery);
  clock.Update();
  scoring->Step();
  EXPECT_NE(dynamic_cast<TDisappearingPiece*>(tower->GetPiece(0, 0).get()), nullptr);
  EXPECT_FALSE(control.locks.IsLocked(TInputLock::Explosion)) << "one ring: done";
}

// Level end -----------------------------------------------------------------

TEST_F(ScoringTest, PowerUpPiecesAndAClearTowerEarnTheirBonuses) {
  Build({"P00000000000", "1111P1111111", Full('2')});
  scoring->AddLockExplode();
  scoring->LevelEndTally();
  EXPECT_EQ(Result().powerUpBonus, 100);
  EXPECT_EQ(Result().blockerBonus, 1000);
  EXPECT_EQ(Result().levelScore, 20) << "before bonuses";
  EXPECT_EQ(Result().totalScore, 1120);
  EXPECT_EQ(Result().timeBonus, 0) << "no timer";
  EXPECT_EQ(observer.heard, Strings({"OnLevelEnd"}));
  EXPECT_EQ(control.events, Strings({"EndLevel"}));
}

TEST_F(ScoringTest, ABlockerLeftEarnsNoBlockerBonus) {
  Build({Full('0'), "11111111111A"});
  scoring->LevelEndTally();
  EXPECT_EQ(Result().blockerBonus, 0);
  EXPECT_EQ(Result().totalScore, 0);
}

struct TimeCase {
  const char* name;
  float elapsed;
  float levelTime;
  int32_t secondsLeft;
  int32_t timeBonus;
  uint32_t levelTimeMs;
};

void PrintTo(const TimeCase& c, std::ostream* out) { *out << c.name; }

class ScoringTimeBonus : public ScoringTest, public testing::WithParamInterface<TimeCase> {};

TEST_P(ScoringTimeBonus, PaysForTheSecondsLeft) {
  const TimeCase& c = GetParam();
  FakeTimeController timer;
  timer.elapsed = c.elapsed;
  MakeScoring();
  MakeTower({Full('0'), Full('A')}, false);  // a blocker left: no blocker bonus
  scoring->SetTimeSource(&timer, c.levelTime);
  scoring->StartLevel(Start());
  scoring->LevelEndTally();
  EXPECT_EQ(Result().secondsLeft, c.secondsLeft);
  EXPECT_EQ(Result().timeBonus, c.timeBonus);
  EXPECT_EQ(Result().totalScore, c.timeBonus);
  EXPECT_EQ(Result().levelTimeMs, c.levelTimeMs);
  EXPECT_EQ(Result().timer, &timer);
}

INSTANTIATE_TEST_SUITE_P(
    Timers, ScoringTimeBonus,
    testing::Values(
        TimeCase{"AQuarterGone", 0.25f, 60, 45, 112, 60000},
        TimeCase{"NoneGone", 0.0f, 60, 60, 150, 60000},
        TimeCase{"TimedOut", 1.3f, 60, 0, 0, 60000},
        TimeCase{"MoreThanTheWholeTime", -0.5f, 60, 60, 150, 60000},
        TimeCase{"NotANumber", std::numeric_limits<float>::quiet_NaN(), 60, 0, 0, 60000},
        TimeCase{"NoLevelTime", 0.5f, 0, 0, 0, 0},
        // Times that a damaged level file can give: the counts stop at the
        // ends of their range.
        TimeCase{"MillisecondsPastTheirRange", 0.0f, 5e6f, 5000000, 12500000, UINT32_MAX},
        TimeCase{"SecondsPastTheirRange", 0.0f, 1e30f, INT32_MAX, INT32_MAX, UINT32_MAX},
        TimeCase{"EndlessTime", 0.0f, std::numeric_limits<float>::infinity(), INT32_MAX,
                 INT32_MAX, UINT32_MAX},
        TimeCase{"NegativeTime", 0.5f, -60, 0, 0, 0},
        TimeCase{"TimeThatIsNotANumber", 0.5f, std::numeric_limits<float>::quiet_NaN(), 0, 0,
                 0}),
    [](const testing::TestParamInfo<TimeCase>& info) { return info.param.name; });

// A damaged scheme whose every value is the largest a score holds.
class LargestScoringScheme final : public IScoringSchemeModel {
 public:
  int32_t GetSinglePiece() override { return INT32_MAX; }
  int32_t GetLockExplode() override { return INT32_MAX; }
  int32_t GetGearExplode() override { return INT32_MAX; }
  int32_t GetPieceBombBonus(bool) override { return INT32_MAX; }
  int32_t GetBlockerExplode() override { return INT32_MAX; }
  int32_t GetComboMatch(int32_t, int32_t) override { return INT32_MAX; }
  int32_t GetSideMatch(int32_t, int32_t) override { return INT32_MAX; }
  int32_t GetPowerUp() override { return INT32_MAX; }
  int32_t GetPowerUpBonus() override { return INT32_MAX; }
  float GetTimeBonus() override { return 1e30f; }
};

TEST_F(ScoringTest, ScoresStopAtTheEndsOfTheirRangeInsteadOfWrapping) {
  records.totalScore = 5000;  // saved before this level
  LargestScoringScheme largest;
  schemeModel = &largest;
  Build({"P00000000000", "1111P1111111", Full('2')});
  scoring->AddSinglePiece();
  scoring->AddLockExplode();
  scoring->ScoreMatch(3, 1, {{{0, 3}, {1, 3}, {2, 3}}});
  EXPECT_EQ(scoring->GetLevelScore(), INT32_MAX);
  EXPECT_EQ(scoring->GetRemaining(), INT32_MIN);
  EXPECT_EQ(scoring->GetDisplayScore(), INT32_MAX);
  scoring->LevelEndTally();
  EXPECT_EQ(Result().powerUpBonus, INT32_MAX) << "two power-up pieces";
  EXPECT_EQ(Result().levelScore, INT32_MAX);
  EXPECT_EQ(Result().totalScore, INT32_MAX);
  ASSERT_EQ(records.recorded.size(), 1u);
  EXPECT_EQ(records.recorded[0].levelScore, INT32_MAX);
  EXPECT_EQ(records.recorded[0].totalScore, INT32_MAX);
}

TEST_F(ScoringTest, TheLevelIsTalliedOnceAndItsTotalCountedOnce) {
  records.totalScore = 5000;  // saved before this level
  Build({Full('0'), Full('1'), "2222222222P2"});
  scoring->ScoreMatch(3, 1, {{{0, 0}, {1, 0}, {2, 0}}});
  EXPECT_EQ(scoring->GetDisplayScore(), 5000 + 103);
  scoring->LevelEndTally();
  scoring->LevelEndTally();
  EXPECT_EQ(Result().totalScore, 5000 + 103 + 50 + 1000);
  EXPECT_EQ(records.recorded, (std::vector<RecordingGameRecords::RecordedResult>{
                                  {103 + 50 + 1000, 5000 + 103 + 50 + 1000, kLevel}}));
  EXPECT_EQ(control.events, Strings({"EndLevel"}));
  EXPECT_EQ(observer.heard, Strings({"OnScore 3 1 0 0 103 0", "OnLevelEnd"}));
  EXPECT_EQ(scoring->GetLevelScore(), 103) << "the score before bonuses once tallied";
  EXPECT_EQ(scoring->GetDisplayScore(), 5000 + 103);
}

TEST_F(ScoringTest, JugsFilledAgainDuringTheClosingExplosionDoNotTallyAgain) {
  Build({Full('0'), Full('0')}, true);
  jugs->colours.assign(12, 0);
  jugs->fillsAll = true;
  bool allFull = false;
  scoring->ScoreBombedPiece(0, 0, 1, allFull);
  int32_t total = Result().totalScore;
  scoring->ExplodeAll();
  for (int i = 0; i < 20; ++i) {
    clock.Update();
    scoring->Step();
  }
  EXPECT_GT(jugs->poured.size(), 12u) << "the explosion fed the jugs";
  EXPECT_EQ(Result().totalScore, total);
  EXPECT_EQ(control.events, Strings({"EndLevel"}));
  EXPECT_EQ(observer.heard, Strings({"OnLevelEnd"}));
}

TEST_F(ScoringTest, TheNextLevelStartsAfreshOnTheCommittedTotal) {
  Build({Full('0')});
  scoring->AddGearExplode();
  scoring->LevelEndTally();
  records.totalScore = records.recorded.back().totalScore;  // the game commits it
  scoring->StartLevel(Start());
  EXPECT_EQ(Result().totalScore, 0) << "the level result is cleared";
  EXPECT_EQ(scoring->GetDisplayScore(), 1030);
  scoring->AddGearExplode();
  scoring->LevelEndTally();
  EXPECT_EQ(Result().totalScore, 1030 + 1030) << "a new level is tallied again";
}

TEST_F(ScoringTest, ATutorialLevelEndsWithoutATally) {
  records.tutorialMode = true;
  Build({Full('0')});
  records.tutorialMode = false;
  scoring->AddGearExplode();
  scoring->LevelEndTally();
  EXPECT_EQ(Result().blockerBonus, 0);
  EXPECT_EQ(Result().totalScore, 0);
  EXPECT_TRUE(records.recorded.empty());
  EXPECT_EQ(control.events, Strings({"EndLevel"}));
  EXPECT_EQ(observer.heard, Strings({"OnLevelEnd"}));
}

TEST_F(ScoringTest, TheMedalTargetIsTheGamesTargetForTheLevel) {
  records.targets = {{{1, 2}, 900}};
  Build({Full('0')});
  EXPECT_EQ(scoring->GetMedalTarget(), 0) << "none for this level";
  records.targets[kLevel] = 2500;
  EXPECT_EQ(scoring->GetMedalTarget(), 2500);
}

TEST_F(ScoringTest, EndingThePlayCommitsTheSavedTotal) {
  records.totalScore = 700;
  Build(kNoMove);
  control.EndPlay();
  EXPECT_EQ(Result().totalScore, 700);
}

// The level's parts ---------------------------------------------------------

TEST_F(ScoringTest, ALevelWithJugsMakesThemWithItsValues) {
  tables.energyScale = {{3, 0.1f}, {4, 0.2f}};
  FakeTimeController timer;
  MakeScoring();
  MakeTower(kNoMove, true);
  scoring->SetTimeSource(&timer, 90);
  scoring->StartLevel(Start());
  ASSERT_NE(jugs, nullptr);
  EXPECT_EQ(scoring->GetPieceJug(), jugs);
  EXPECT_EQ(jugs->setup.energyScale, tables.energyScale);
  EXPECT_FLOAT_EQ(jugs->setup.singlePieceEnergy, 0.25f);
  EXPECT_FLOAT_EQ(jugs->setup.linkFactor, 0.5f);
  EXPECT_FLOAT_EQ(jugs->setup.timeBoost, 0.2f);
  EXPECT_EQ(jugs->setup.sound, &sound);
  EXPECT_EQ(jugs->tower, tower);
  EXPECT_EQ(jugs->timer, &timer);
  scoring->SetTowerControl(&control);
  EXPECT_EQ(jugs->control, &control);
  EXPECT_EQ(jugs->sequence, scoring->GetExplosions());
  scoring->ResetJugEnergyRate(3, 1.5f, 1, {9, 0, -1});
  EXPECT_EQ(jugs->colours, std::vector<int32_t>({9, 0, -1}));
  EXPECT_FLOAT_EQ(jugs->energyRate, 1.5f);
  EXPECT_TRUE(jugs->rateFlag);
}

TEST_F(ScoringTest, ALevelWithoutJugsStillHasItsExplosions) {
  Build({Full('0')});
  EXPECT_EQ(scoring->GetPieceJug(), nullptr);
  ASSERT_NE(scoring->GetExplosions(), nullptr);
  scoring->ExplodeAll();
  EXPECT_TRUE(control.locks.IsLocked(TInputLock::Explosion));
}

TEST_F(ScoringTest, ANewLevelKeepsNothingOfThePreviousLevelsControlOrTimer) {
  FakeTimeController timer;
  MakeScoring();
  MakeTower({Full('0')}, true);
  scoring->SetTimeSource(&timer, 60);
  scoring->StartLevel(Start());
  scoring->SetTowerControl(&control);
  // The next level has no timer and its control is not there yet.
  jugs = nullptr;
  MakeTower({Full('1')}, true);
  scoring->StartLevel(Start());
  EXPECT_EQ(scoring->GetExplosions(), nullptr);
  ASSERT_NE(jugs, nullptr);
  EXPECT_EQ(jugs->timer, nullptr);
  scoring->ExplodeAll();
  scoring->Step();
  EXPECT_FALSE(control.locks.IsLocked(TInputLock::Explosion)) << "the old control is left alone";
  scoring->LevelEndTally();
  EXPECT_EQ(Result().timeBonus, 0);
  EXPECT_EQ(Result().timer, nullptr);
}

TEST_F(ScoringTest, ATimeSourceSetDuringTheLevelCounts) {
  FakeTimeController timer;
  Build({Full('0'), Full('A')}, true);
  scoring->SetTimeSource(&timer, 10);
  EXPECT_EQ(jugs->timer, &timer);
  scoring->LevelEndTally();
  EXPECT_EQ(Result().secondsLeft, 10);
}

TEST_F(ScoringTest, TheLevelTimeRunsFromTheLevelsStart) {
  Build({Full('0')});
  clock.Advance(5000);
  scoring->StartLevel(Start());
  clock.Advance(1234);
  scoring->LevelEndTally();
  EXPECT_EQ(Result().elapsedMs, 1234u);
}

}  // namespace
}  // namespace GamePlay
