#include "game/rules/tower/TPieceJug.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TPieceSeqBomb.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/game/rules/ScoringFixture.h"
#include "tests/support/rules/FakeTimeController.h"
#include "tests/support/rules/StubTowerControl.h"

namespace GamePlay {
namespace {

using Colours = std::vector<int32_t>;
using Strings = std::vector<std::string>;

constexpr int32_t kNo = IPieceJugModel::kNoJug;
constexpr int32_t kAny = IPieceJugModel::kAnyColour;

constexpr float kSingle = 0.05f;
constexpr float kMatch3 = 0.1f;
constexpr float kMatch4 = 0.2f;
constexpr float kMatch5 = 0.4f;
constexpr float kLinkFactor = 0.5f;
constexpr float kTimeBoost = 0.2f;

// Twelve jugs: the given colours, then slots without a jug.
Colours Pie(Colours colours) {
  colours.resize(12, kNo);
  return colours;
}

// Jugs over a real tower of real pieces, with a real colour-clearing
// sequence, a timer that writes down the time it is given, and energies
// that tell the match sizes apart.
class PieceJugTest : public RecordedTowerTest {
 protected:
  PieceJugTest() { Build(std::vector<std::string>(5, std::string(12, '0'))); }

  // rings as KitTower reads them.
  void Build(const std::vector<std::string>& rings) {
    BuildTower(rings);
    control.model = tower;
    jugs.SetTower(tower);
  }
  static TJugSetup Setup(ISoundFactoryView* sound) {
    return TJugSetup{{{3, kMatch3}, {4, kMatch4}, {5, kMatch5}}, kSingle, kLinkFactor, kTimeBoost,
                     sound};
  }
  // Pours a match of size pieces of the colour removed at ring 0; true
  // when every jug with a colour is full after it.
  bool Pour(int32_t colour, int32_t jug, int32_t size = 3) {
    int32_t blockingRing = -1;
    return jugs.AddEnergy(colour, 0, jug, size, blockingRing);
  }
  // Enough energy in one pour to fill any jug.
  void FillsAtOnce() { jugs.SetJugs(jugColours, 100.0f, false); }
  // The 10 ms updates until the sequence has cleared its colour.
  void RunSequence() {
    for (int update = 0; update < 200; ++update) {
      if (sequence.GetMode() == TPieceSeqBomb::TMode::Idle) return;
      clock.Update();
      sequence.Update();
    }
  }
  std::vector<float> Fills() {
    std::vector<float> fills;
    for (uint32_t jug = 0; jug < jugs.GetJugCount(); ++jug) {
      fills.push_back(jugs.GetFill(static_cast<int32_t>(jug)));
    }
    return fills;
  }

  FakeTimeController timer;
  StubTowerControl control{nullptr, nullptr, &sound};
  TPieceSeqBomb sequence{&control, 100};
  TPieceJug jugs{Setup(&sound)};
  Colours jugColours;
};

// Links and groups --------------------------------------------------------

TEST_F(PieceJugTest, NeighboursOfOneColourAreLinkedRoundTheRing) {
  jugs.SetJugs({1, 1, 2, 1}, 1.0f, false);
  EXPECT_EQ(jugs.GetLinkedCount(0), 2u) << "jugs 1 and 3, across the wrap";
  EXPECT_EQ(jugs.GetLinkedCount(1), 2u);
  EXPECT_EQ(jugs.GetLinkedCount(2), 0u);
  EXPECT_EQ(jugs.GetLinkedCount(3), 2u);
  jugs.SetFill(0, 0.4f);
  EXPECT_EQ(Fills(), std::vector<float>({0.4f, 0.4f, 0.0f, 0.4f}));
  EXPECT_EQ(jugs.GetGroupStarts(), std::vector<uint32_t>({2, 3}));
}

// Tuning kept on purpose: walking both ways round a ring of one colour
// meets every other jug twice, so the energy is shared more thinly.
TEST_F(PieceJugTest, TwelveJugsOfOneColourCountEachNeighbourTwice) {
  jugs.SetJugs(Colours(12, 3), 1.0f, false);
  EXPECT_EQ(jugs.GetLinkedCount(0), 22u);
  EXPECT_FALSE(Pour(3, 0));
  EXPECT_FLOAT_EQ(jugs.GetFill(7), kMatch3 / (kLinkFactor * 22 + 1));
  EXPECT_EQ(jugs.GetGroupStarts(), std::vector<uint32_t>({0}));
}

// The separators of the pie go between a jug and a run of slots without one.
TEST_F(PieceJugTest, RunsOfSlotsWithoutJugsAreGroupsToo) {
  jugs.SetJugs(Pie({2, kNo, kNo, 2}), 1.0f, false);
  EXPECT_EQ(jugs.GetGroupStarts(), std::vector<uint32_t>({0, 1, 3, 4}));
}

struct GroupCase {
  int32_t current;
  int32_t group;
};

class PieceJugCurrentGroup : public PieceJugTest, public testing::WithParamInterface<GroupCase> {};

// Groups start at jugs 2, 4 and 5 (jugs 5, 0 and 1 make one group across
// the wrap); jug 4 is full.
TEST_P(PieceJugCurrentGroup, IsTheFirstGroupStartingAfterTheCurrentJug) {
  jugs.SetJugs({1, 1, 2, 2, 3, 1}, 1.0f, false);
  jugs.SetFill(4, 1.0f);
  jugs.SetCurrentJug(GetParam().current);
  EXPECT_EQ(jugs.GetCurrentGroup(), GetParam().group);
}

INSTANTIATE_TEST_SUITE_P(Cases, PieceJugCurrentGroup,
                         testing::Values(GroupCase{-1, -1}, GroupCase{0, 0}, GroupCase{2, 1},
                                         GroupCase{3, 1}, GroupCase{4, -1}, GroupCase{5, 0},
                                         GroupCase{6, -1}));

TEST_F(PieceJugTest, OneGroupIsAlwaysTheCurrentOne) {
  jugs.SetJugs(Colours(12, 0), 1.0f, false);
  jugs.SetCurrentJug(6);
  EXPECT_EQ(jugs.GetCurrentGroup(), 0);
}

// Energy ------------------------------------------------------------------

struct EnergyCase {
  int32_t size;
  float energy;
};

class PieceJugEnergy : public PieceJugTest, public testing::WithParamInterface<EnergyCase> {};

// Jugs 0 and 2 are of one colour but not neighbours; the rate doubles it all.
TEST_P(PieceJugEnergy, ComesFromTheScaleOfTheMatchSize) {
  jugs.SetJugs({0, 1, 0, 1}, 2.0f, false);
  EXPECT_FALSE(Pour(0, 0, GetParam().size));
  EXPECT_EQ(Fills(), std::vector<float>({2 * GetParam().energy, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PieceJugEnergy,
                         testing::Values(EnergyCase{1, kSingle}, EnergyCase{2, kMatch3},
                                         EnergyCase{3, kMatch3}, EnergyCase{4, kMatch4},
                                         EnergyCase{5, kMatch5}, EnergyCase{7, kMatch5}));

TEST_F(PieceJugTest, LinkedJugsShareTheEnergyAndTheFill) {
  jugs.SetJugs({2, 2, 0}, 1.0f, false);
  Pour(2, 1);
  Pour(2, 0);
  float share = kMatch3 / (kLinkFactor * 1 + 1);
  EXPECT_EQ(Fills(), std::vector<float>({2 * share, 2 * share, 0}));
}

TEST_F(PieceJugTest, AJugTakesItsColourOrAnyColourWhenItIsTheJugOfEveryColour) {
  jugs.SetJugs({2, kAny}, 1.0f, false);
  int32_t blockingRing = 7;
  EXPECT_FALSE(jugs.CanAccept(3, 0, 0, blockingRing));
  EXPECT_EQ(blockingRing, -1);
  EXPECT_FALSE(Pour(3, 0));
  EXPECT_TRUE(jugs.CanAccept(2, 0, 0, blockingRing));
  for (int32_t colour = 0; colour <= 5; ++colour) {
    EXPECT_TRUE(jugs.CanAccept(colour, 0, 1, blockingRing)) << colour;
  }
  EXPECT_EQ(Fills(), std::vector<float>({0, 0}));
}

TEST_F(PieceJugTest, EnergyThatIsNoPositiveNumberLeavesTheFill) {
  // Two jugs meet each other twice: the share is 3 / (-0.5 x 2 + 1).
  TPieceJug cancelled{TJugSetup{{{3, kMatch3}}, kSingle, -0.5f, kTimeBoost, &sound}};
  cancelled.SetJugs({2, 2}, 1.0f, false);
  int32_t blockingRing = -1;
  EXPECT_FALSE(cancelled.AddEnergy(2, 0, 0, 3, blockingRing)) << "shared by no jug";
  EXPECT_FLOAT_EQ(cancelled.GetFill(0), 0.0f);
  jugs.SetJugs({2, 2}, -1.0f, false);
  EXPECT_FALSE(Pour(2, 0));
  EXPECT_FLOAT_EQ(jugs.GetFill(0), 0.0f);
}

// Blockers ----------------------------------------------------------------

TEST_F(PieceJugTest, AnUnbrokenBlockerBelowStopsTheEnergyAndReportsItsRing) {
  Build({"A00", "000", "000", "0C0", "000"});
  jugs.SetJugs({0, 1, kAny}, 1.0f, false);
  int32_t blockingRing = -1;
  EXPECT_FALSE(jugs.CanAccept(2, 1, 1, blockingRing)) << "another colour's jug";
  EXPECT_EQ(blockingRing, -1);
  EXPECT_FALSE(jugs.CanAccept(1, 1, 1, blockingRing));
  EXPECT_EQ(blockingRing, 3);
  EXPECT_FALSE(jugs.AddEnergy(1, 1, 1, 3, blockingRing));
  EXPECT_EQ(blockingRing, 3);
  blockingRing = -1;
  EXPECT_FALSE(jugs.AddEnergy(2, 1, 1, 3, blockingRing)) << "another colour's jug";
  EXPECT_EQ(blockingRing, 3) << "pouring looks for the blocker before the colour";
  EXPECT_FLOAT_EQ(jugs.GetFill(1), 0.0f);

  EXPECT_TRUE(jugs.CanAccept(1, 4, 1, blockingRing)) << "removed below the blocker";
  EXPECT_TRUE(jugs.CanAccept(0, 1, 0, blockingRing)) << "a blocker above stops nothing";
  EXPECT_EQ(blockingRing, -1);
  jugs.AddEnergy(0, 1, 0, 3, blockingRing);
  EXPECT_GT(jugs.GetFill(0), 0.0f);
}

// Full jugs ---------------------------------------------------------------

TEST_F(PieceJugTest, AFullJugTakesNothingMore) {
  jugColours = {0, 0, 1};
  FillsAtOnce();
  jugs.SetColourBombSequence(&control, &sequence);
  EXPECT_FALSE(Pour(0, 0)) << "jug 2 is not full yet";
  EXPECT_EQ(Fills(), std::vector<float>({1, 1, 0}));
  int32_t blockingRing = -1;
  EXPECT_FALSE(jugs.CanAccept(0, 0, 0, blockingRing));
  EXPECT_FALSE(jugs.CanAccept(0, 0, 1, blockingRing)) << "linked to the full jug";
  jugs.SetFill(0, 1.5f);
  EXPECT_FALSE(Pour(0, 1));
  EXPECT_EQ(Fills(), std::vector<float>({1.5f, 1.5f, 0}));
}

TEST_F(PieceJugTest, FillingAJugStartsOneColourClearingThatGivesTimeBack) {
  Build({"012345012345"});
  jugColours = {0, 0, 1};
  FillsAtOnce();
  jugs.SetTimeController(&timer);
  jugs.SetColourBombSequence(&control, &sequence);
  Pour(0, 0);
  Pour(0, 1);
  Pour(0, 0);
  EXPECT_EQ(sound.played, Strings({"PlayJugFull"}));
  EXPECT_EQ(sequence.GetMode(), TPieceSeqBomb::TMode::RemoveColour);
  EXPECT_TRUE(timer.added.empty()) << "not before the colour is cleared";
  RunSequence();
  EXPECT_TRUE(dynamic_cast<TDisappearingPiece*>(tower->GetPiece(0, 6).get())) << "colour 0 cleared";
  EXPECT_FALSE(dynamic_cast<TDisappearingPiece*>(tower->GetPiece(0, 1).get()));
  EXPECT_EQ(timer.added, std::vector<float>({-kTimeBoost}));
  EXPECT_EQ(sound.played.back(), "PlayTimeBomb");
}

TEST_F(PieceJugTest, TheJugOfEveryColourClearsTheColourThatFilledIt) {
  Build({"012345012345"});
  jugColours = {kAny};
  FillsAtOnce();
  jugs.SetColourBombSequence(&control, &sequence);
  EXPECT_TRUE(Pour(4, 0)) << "the only jug is full";
  RunSequence();
  EXPECT_TRUE(dynamic_cast<TDisappearingPiece*>(tower->GetPiece(0, 10).get()));
  EXPECT_FALSE(dynamic_cast<TDisappearingPiece*>(tower->GetPiece(0, 0).get()));
  EXPECT_EQ(sound.played.back(), "PlayTimeBomb") << "no timer, still the sound";
}

TEST_F(PieceJugTest, FillingTheLastJugWithAColourReportsAllFull) {
  jugColours = Pie({0, kAny, 3});
  FillsAtOnce();
  EXPECT_FALSE(Pour(0, 0));
  EXPECT_FALSE(Pour(5, 1));
  EXPECT_TRUE(Pour(3, 2)) << "the slots without a jug do not count";
  EXPECT_EQ(sound.played, Strings({"PlayJugFull", "PlayJugFull", "PlayJugFull"}));
}

// Slots without jugs and colours that are no piece colours ----------------

TEST_F(PieceJugTest, ASlotWithoutAJugNeverTakesEnergy) {
  jugColours = Pie({kNo, 0});
  FillsAtOnce();
  jugs.SetColourBombSequence(&control, &sequence);
  for (int32_t colour : {-1, 0, 5, kAny}) {
    int32_t blockingRing = -1;
    EXPECT_FALSE(jugs.CanAccept(colour, 0, 0, blockingRing)) << colour;
    EXPECT_FALSE(jugs.AddEnergy(colour, 0, 0, 5, blockingRing)) << colour;
  }
  jugs.SetFill(0, 1.0f);
  EXPECT_EQ(jugs.GetFill(0), 0.0f);
  EXPECT_EQ(jugs.GetColour(0), kNo);
  EXPECT_TRUE(sound.played.empty()) << "no jug fills";
  EXPECT_EQ(sequence.GetMode(), TPieceSeqBomb::TMode::Idle) << "no colour bomb of colour -1";
}

TEST_F(PieceJugTest, OnlyThePieceColoursFeedJugs) {
  jugColours = {kAny};
  FillsAtOnce();
  for (int32_t colour : {-1, 6, kAny, 255}) {
    EXPECT_FALSE(Pour(colour, 0)) << colour;
    EXPECT_FLOAT_EQ(jugs.GetFill(0), 0.0f) << colour;
  }
}

TEST_F(PieceJugTest, ColoursThatAreNoJugColourMakeSlotsWithoutJugs) {
  jugs.SetJugs({7, -5, kAny, 2, 10}, 1.0f, false);
  EXPECT_EQ(jugs.GetColour(0), kNo);
  EXPECT_EQ(jugs.GetColour(1), kNo);
  EXPECT_EQ(jugs.GetColour(2), kAny);
  EXPECT_EQ(jugs.GetColour(3), 2);
  EXPECT_EQ(jugs.GetColour(4), kNo);
}

TEST_F(PieceJugTest, JugsOutsideTheRingAreSlotsWithoutJugs) {
  jugs.SetJugs(Colours(12, 1), 1.0f, false);
  for (int32_t jug : {-1, 12, 1000}) {
    jugs.SetFill(jug, 0.5f);
    EXPECT_EQ(jugs.GetFill(jug), 0.0f) << jug;
    EXPECT_EQ(jugs.GetColour(jug), kNo) << jug;
    EXPECT_EQ(jugs.GetLinkedCount(jug), 0u) << jug;
    int32_t blockingRing = -1;
    EXPECT_FALSE(jugs.CanAccept(1, 0, jug, blockingRing)) << jug;
    EXPECT_FALSE(jugs.AddEnergy(1, 0, jug, 3, blockingRing)) << jug;
    jugs.SetCurrentJug(jug);
    EXPECT_EQ(jugs.GetCurrentGroup(), -1) << jug;
  }
  EXPECT_EQ(Fills(), std::vector<float>(12, 0.0f));
}

// The scoring model with the real jugs --------------------------------------

class ScoringWithJugsTest : public ScoringTest {
 protected:
  void Build(const std::vector<std::string>& rings) {
    tables.energyScale = {{3, 0.5f}, {4, 0.5f}, {5, 0.5f}};
    scoring = std::make_unique<TScoring>(&scheme, tables, records.Records());
    MakeTower(rings, true);
    scoring->StartLevel(Start());
    scoring->SetTowerControl(&control);
    scoring->ResetJugEnergyRate(2, 1.0f, 0, Pie({kAny, 3}));
  }
  IPieceJugModel& Jugs() { return *scoring->GetPieceJug(); }
};

TEST_F(ScoringWithJugsTest, ALevelWithJugsGetsTheRealOnes) {
  Build({"3333"});
  EXPECT_NE(dynamic_cast<TPieceJug*>(scoring->GetPieceJug()), nullptr);
  EXPECT_EQ(Jugs().GetColour(1), 3);
}

TEST_F(ScoringWithJugsTest, ABombedVacantCellOrColourlessPiecePoursNothing) {
  Build({".PP"});
  bool allFull = false;
  EXPECT_FALSE(scoring->ScoreBombedPiece(0, 0, 1, allFull)) << "vacant under the jug of any colour";
  EXPECT_FALSE(scoring->ScoreBombedPiece(0, 1, 1, allFull)) << "a power-up piece";
  EXPECT_FALSE(scoring->ScoreBombedPiece(0, 2, 1, allFull)) << "a power-up piece over no jug";
  EXPECT_FLOAT_EQ(Jugs().GetFill(0), 0.0f);
  EXPECT_FLOAT_EQ(Jugs().GetFill(1), 0.0f);
  EXPECT_FALSE(allFull);
  EXPECT_TRUE(sound.played.empty());
  EXPECT_FALSE(control.locks.IsLocked(TInputLock::Explosion)) << "no colour bomb";
}

TEST_F(ScoringWithJugsTest, MatchesThatFillEveryJugWinTheLevel) {
  Build({"03", "03", "03"});
  scoring->ScoreMatch(3, 1, {{{0, 1}, {1, 1}, {2, 1}}});
  EXPECT_FLOAT_EQ(Jugs().GetFill(1), 0.5f);
  scoring->ScoreMatch(3, 1, {{{0, 1}, {1, 1}, {2, 1}}});
  EXPECT_FLOAT_EQ(Jugs().GetFill(1), 1.0f);
  EXPECT_TRUE(control.locks.IsLocked(TInputLock::Explosion)) << "clearing colour 3";
  EXPECT_TRUE(control.events.empty()) << "the jug of any colour is not full";
  scoring->ScoreMatch(3, 1, {{{0, 0}, {1, 0}, {2, 0}}});
  scoring->ScoreMatch(3, 1, {{{0, 0}, {1, 0}, {2, 0}}});
  EXPECT_EQ(control.events, Strings({"EndLevel"}));
}

}  // namespace
}  // namespace GamePlay
