#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/rules/tower/TMatchFinder.h"
#include "game/rules/tower/TPieceMatchReaction.h"
#include "tests/game/rules/TowerFixture.h"
#include "tests/support/rules/CountingTutorialView.h"
#include "tests/support/rules/KitPowerUps.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

struct RunCase {
  const char* name;
  const char* column;  // codes as the tower fixture places them, plus the passing kinds
  const char* runs;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class ColumnRuns : public TowerTest, public testing::WithParamInterface<RunCase> {
 protected:
  // Besides the fixture's codes: "v" falling, "^" moving, "r" raising, "x"
  // disappearing red pieces, "P" a power-up piece of red.
  TPiecePtr MakeAny(char code) {
    TPiecePtr red = pieces.CreateStandard(kRed, nullptr);
    switch (code) {
      case 'v':
        return pieces.CreateFalling(red, 0, 1);
      case '^':
        return pieces.CreateMoving(red, 1, 0);
      case 'r':
        return pieces.CreateRaising(red, 0);
      case 'x':
        return pieces.CreateDisappearing(red, nullptr, nullptr);
      case 'P':
        return std::make_shared<TPowerUpPiece>(kRed, nullptr, nullptr);
      default:
        return Make(code);
    }
  }
};

TEST_P(ColumnRuns, AreRunsOfThreeOrMoreLikePieces) {
  std::vector<TPiecePtr> column;
  for (const char* code = GetParam().column; *code; ++code) column.push_back(MakeAny(*code));
  EXPECT_EQ(DescribeGroups(TMatchFinder::FindColumnRuns(column, 7)), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ColumnRuns,
    testing::Values(RunCase{"FiveAlikeAreOneGroup", "00000", "{0 7, 1 7, 2 7, 3 7, 4 7}"},
                    RunCase{"TwoAreNoRun", "00.", ""},
                    RunCase{"RunAfterAnOtherPiece", "001000", "{3 7, 4 7, 5 7}"},
                    RunCase{"TwoRunsInOneColumn", "000111", "{0 7, 1 7, 2 7} {3 7, 4 7, 5 7}"},
                    RunCase{"AFallingPieceBreaksARun", "0v00", ""},
                    RunCase{"AMovingPieceBreaksARun", "00^0", ""},
                    RunCase{"ADisappearingPieceBreaksARun", "0x00", ""},
                    RunCase{"AVacantCellBreaksARun", "00.0", ""},
                    RunCase{"RaisingPiecesNeverMatch", "rrr", ""},
                    RunCase{"PowerUpPiecesNeverMatch", "PPP", ""},
                    RunCase{"PlainBlockersNeverMatch", "ZZZ", ""},
                    RunCase{"ABlockerJoinsThePiecesOfItsColour", "A00F55",
                            "{0 7, 1 7, 2 7} {3 7, 4 7, 5 7}"},
                    RunCase{"BlockersOfOneColourMatch", ".AAA", "{1 7, 2 7, 3 7}"}),
    [](const testing::TestParamInfo<RunCase>& info) { return info.param.name; });

TEST_F(TowerTest, ARealPassTakesTheFirstColumnWithRunsOnly) {
  TTower& t = Build(3);
  PlaceColumn(4, "111");
  PlaceColumn(9, "222");
  TMatchFinder finder(&t, false);
  EXPECT_EQ(DescribeGroups(finder.FindMatches(true).groups), "{0 4, 1 4, 2 4}");
  TMatches all = finder.FindMatches(false);
  EXPECT_EQ(DescribeGroups(all.groups), "{0 4, 1 4, 2 4} {0 9, 1 9, 2 9}");
  EXPECT_EQ(all.cells.size(), 6u);
}

struct BlockerCase {
  const char* name;
  const char* run;  // the column at slot 1
  TCell blocker;    // placed after the run
  char code;
  bool sideMatch;
  float hit;  // how far the pass wore the blocker
};

void PrintTo(const BlockerCase& c, std::ostream* out) { *out << c.name; }

class BlockersDrawnIn : public TowerTest, public testing::WithParamInterface<BlockerCase> {};

TEST_P(BlockersDrawnIn, AreWornByTheRatioOfTheirRunsSize) {
  const BlockerCase& c = GetParam();
  TTower& t = Build(8, {.blockerEnergyRatios = {{0, 0.9f}, {3, 0.1f}, {4, 0.2f}, {5, 0.3f}},
                        .sideMatch = c.sideMatch});
  FinishFill();
  PlaceColumn(1, c.run);
  t.SetPiece(c.blocker.ring, c.blocker.slot, Make(c.code));
  TPiecePtr blocker = t.GetPiece(c.blocker.ring, c.blocker.slot);
  ASSERT_TRUE(t.CheckMatches());
  EXPECT_FLOAT_EQ(static_cast<TBlockedPiece&>(*blocker).GetProgress(), c.hit);
  EXPECT_EQ(t.GetBreakingList().size(), c.hit > 0 ? 1u : 0u);
  std::string blockerGroup =
      "{" + std::to_string(c.blocker.ring) + " " + std::to_string(c.blocker.slot) + "}";
  std::string groups = scoring.Named("ScoreGroups").at(0);
  EXPECT_EQ(groups.ends_with(blockerGroup), c.hit > 0) << groups;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockersDrawnIn,
    testing::Values(BlockerCase{"BesideWithoutSideMatch", "0000", {1, 2}, 'A', false, 0},
                    BlockerCase{"BesideARunOfThree", "000", {1, 2}, 'A', true, 0.1f},
                    BlockerCase{"BesideARunOfFour", "0000", {1, 0}, 'A', true, 0.2f},
                    BlockerCase{"BesideARunOfSeven", "0000000", {6, 2}, 'A', true, 0.3f},
                    BlockerCase{"InsideTheRunItBelongsTo", "00.00", {2, 1}, 'A', false, 0.3f},
                    BlockerCase{"OfAnotherColour", "000", {1, 2}, 'F', true, 0},
                    BlockerCase{"PlainBlockersStayOut", "000", {1, 2}, 'Z', true, 0}),
    [](const testing::TestParamInfo<BlockerCase>& info) { return info.param.name; });

TEST_F(TowerTest, SideNeighboursWrapRoundTheRing) {
  TTower& t = Build(3, {.blockerEnergyRatios = {{3, 0.1f}}, .sideMatch = true});
  FinishFill();
  PlaceColumn(0, "000");
  t.SetPiece(1, 11, Make('A'));
  ASSERT_TRUE(t.CheckMatches());
  EXPECT_FLOAT_EQ(static_cast<TBlockedPiece&>(*t.GetPiece(1, 11)).GetProgress(), 0.1f);
}

TEST_F(TowerTest, AMatchPassReportsAndLeavesTheGroupsGatheringOnTheirMiddlePiece) {
  TTower& t = Build(7);
  PlaceColumn(3, "0000111");
  std::vector<TPiecePtr> before;
  for (int32_t ring = 0; ring < 7; ++ring) before.push_back(t.GetPiece(ring, 3));
  ASSERT_TRUE(t.CheckMatches());
  const std::string groups = "{0 3, 1 3, 2 3, 3 3} {4 3, 5 3, 6 3}";
  EXPECT_EQ(scoring.events,
            Strings({"AddSinglePiece", "AddSinglePiece", "AddSinglePiece", "AddSinglePiece",
                     "AddSinglePiece", "AddSinglePiece", "AddSinglePiece",
                     "MarkJugTargets 7 1 " + groups, "ScoreGroups 7 1 " + groups}));
  std::vector<std::shared_ptr<TDisappearingPiece>> gone;
  for (int32_t ring = 0; ring < 7; ++ring) {
    gone.push_back(std::dynamic_pointer_cast<TDisappearingPiece>(t.GetPiece(ring, 3)));
    ASSERT_NE(gone.back(), nullptr);
    EXPECT_EQ(gone.back()->GetInner(), before[ring]);
    EXPECT_EQ(gone.back()->GetReaction(), gone[0]->GetReaction()) << "one reaction per pass";
  }
  ASSERT_NE(gone[0]->GetReaction(), nullptr);
  for (int32_t ring : {0, 1, 2, 3}) EXPECT_EQ(gone[ring]->GetTargetPiece(), gone[2]) << ring;
  for (int32_t ring : {4, 5, 6}) EXPECT_EQ(gone[ring]->GetTargetPiece(), gone[5]) << ring;
}

TEST_F(TowerTest, TheComboCountsPassesInARowAndAFruitlessPassAtRestEndsIt) {
  TTower& t = Build(3);
  CountingTutorialView tutorial;
  t.SetListener(&tutorial);
  PlaceColumn(0, "000");
  PlaceColumn(1, "111");
  ASSERT_TRUE(t.CheckMatches());
  clock.Advance(265);
  ASSERT_TRUE(t.CheckMatches());
  EXPECT_EQ(scoring.Named("ScoreGroups"),
            Strings({"ScoreGroups 3 1 {0 0, 1 0, 2 0}", "ScoreGroups 3 2 {0 1, 1 1, 2 1}"}));
  EXPECT_TRUE(t.IsComboRunning());
  t.ApplyGravity();
  EXPECT_EQ(tutorial.steps, 1) << "the pending reaction is handed on once";
  clock.Advance(265);
  EXPECT_FALSE(t.CheckMatches());
  EXPECT_TRUE(t.IsComboRunning()) << "the matched pieces are still vanishing";
  t.ApplyGravity();
  EXPECT_EQ(tutorial.steps, 1) << "a fruitless pass leaves no reaction";
  for (int32_t slot : {0, 1}) {
    for (int32_t ring = 0; ring < 3; ++ring) {
      std::dynamic_pointer_cast<TDisappearingPiece>(t.GetPiece(ring, slot))
          ->SetDisappearFlag(true);
    }
  }
  t.ApplyGravity();
  EXPECT_EQ(Column(0) + Column(1), "......");
  clock.Advance(265);
  EXPECT_FALSE(t.CheckMatches());
  EXPECT_FALSE(t.IsComboRunning());
}

// Each kind of piece on its way in or out of a cell keeps the tower from
// rest: a pass that finds nothing while one is there leaves the combo.
TEST_F(TowerTest, AFruitlessPassWhilePiecesPassKeepsTheCombo) {
  struct Case {
    const char* kind;
    TPiecePtr (*make)(IPieceFactory&, const TPiecePtr&);
  };
  const Case cases[] = {
      {"disappearing", [](IPieceFactory& f, const TPiecePtr& p) {
         return f.CreateDisappearing(p, nullptr, nullptr);
       }},
      {"falling", [](IPieceFactory& f, const TPiecePtr& p) { return f.CreateFalling(p, 0, 2); }},
      {"moving", [](IPieceFactory& f, const TPiecePtr& p) { return f.CreateMoving(p, 3, 2); }},
      {"raising", [](IPieceFactory& f, const TPiecePtr& p) { return f.CreateRaising(p, 2); }},
  };
  for (const Case& c : cases) {
    TTower& t = Build(3);
    PlaceColumn(0, "222");
    ASSERT_TRUE(t.CheckMatches());
    PlaceColumn(0, "...");
    t.SetPiece(2, 5, c.make(pieces, Make('4')));
    clock.Advance(265);
    EXPECT_FALSE(t.CheckMatches());
    EXPECT_TRUE(t.IsComboRunning()) << c.kind;
    t.SetPiece(2, 5, Make('4'));
    clock.Advance(265);
    EXPECT_FALSE(t.CheckMatches());
    EXPECT_FALSE(t.IsComboRunning()) << c.kind << " piece arrived, the tower is at rest";
  }
}

class MatchReactionTest : public TowerTest {
 protected:
  // A tower with one pass made: two groups in column 0 (0-2 red, 3-6 blue).
  MatchReactionTest() {
    TTower& t = Build(7);
    t.SetListener(&tutorial);
    PlaceColumn(0, "0005555");
    EXPECT_TRUE(t.CheckMatches());
    for (int32_t ring = 0; ring < 7; ++ring) {
      gone.push_back(std::dynamic_pointer_cast<TDisappearingPiece>(t.GetPiece(ring, 0)));
    }
  }

  Strings Scored() const { return scoring.Named("ScoreMatch"); }

  const Strings kOnce{"ScoreMatch 7 1 {0 0, 1 0, 2 0} {3 0, 4 0, 5 0, 6 0}"};
  CountingTutorialView tutorial;
  std::vector<std::shared_ptr<TDisappearingPiece>> gone;
};

TEST_F(MatchReactionTest, ScoresOnceThroughWhicheverPieceFiresIt) {
  EXPECT_TRUE(Scored().empty()) << "nothing scores before the reaction fires";
  for (const auto& piece : gone) tower->FireReaction(piece);
  EXPECT_EQ(Scored(), kOnce);
  EXPECT_EQ(tutorial.steps, 7) << "one step per matched cell";
  for (const auto& piece : gone) piece->SetDisappearFlag(true);
  EXPECT_EQ(Scored(), kOnce);
  EXPECT_EQ(tutorial.steps, 7);
}

TEST_F(MatchReactionTest, PiecesNobodyDrawsScoreOnceAsTheyFade) {
  for (int step = 0; step < 99; ++step) {
    for (const auto& piece : gone) piece->Advance();
  }
  EXPECT_TRUE(Scored().empty());
  gone[6]->Advance();
  EXPECT_TRUE(gone[6]->IsVoid());
  EXPECT_EQ(Scored(), kOnce);
  for (const auto& piece : gone) piece->Advance();
  EXPECT_EQ(Scored(), kOnce);
}

TEST_F(MatchReactionTest, APieceDrawnToTheEndOfItsVanishingFiresIt) {
  clock.Advance(439);
  gone[1]->GetView()->DrawInPlace();
  EXPECT_TRUE(Scored().empty());
  clock.Advance(1);
  gone[1]->GetView()->DrawInPlace();
  EXPECT_EQ(Scored(), kOnce);
}

TEST_F(MatchReactionTest, APieceClearedFromTheTowerFiresItsReaction) {
  tower->SetPiece(4, 0, pieces.GetNullPiece());
  EXPECT_EQ(Scored(), kOnce);
}

TEST_F(MatchReactionTest, APieceWrappedAgainFiresWithItsWrapper) {
  auto bomb = std::make_shared<RecordingPowerUp>();
  tower->ActivateCell(3, 0, bomb);
  auto wrapper = std::dynamic_pointer_cast<TDisappearingPiece>(tower->GetPiece(3, 0));
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->GetInner(), gone[3]);
  EXPECT_TRUE(Scored().empty()) << "the match's piece is still in the tower";
  wrapper->SetDisappearFlag(true);
  EXPECT_EQ(Scored(), kOnce);
}

TEST_F(MatchReactionTest, GravityHandsThePendingReactionToTheTutorialOnce) {
  tower->ApplyGravity();
  tower->ApplyGravity();
  EXPECT_EQ(tutorial.steps, 1);
  EXPECT_TRUE(Scored().empty()) << "handing on is not firing";
}

TEST_F(MatchReactionTest, AReactionOutlivingItsTowerDoesNothing) {
  tower.reset();
  for (const auto& piece : gone) piece->SetDisappearFlag(true);
  EXPECT_TRUE(Scored().empty());
  EXPECT_EQ(tutorial.steps, 0);
}

TEST_F(TowerTest, PiecesFallingAfterAMatchKeepTheirReactionForLater) {
  TTower& t = Build(4);
  PlaceColumn(0, "000.");
  ASSERT_TRUE(t.CheckMatches());
  auto top = std::dynamic_pointer_cast<TDisappearingPiece>(t.GetPiece(0, 0));
  ASSERT_TRUE(t.ApplyGravity());
  EXPECT_EQ(Column(0), ".vvv");
  EXPECT_EQ(t.GetPiece(1, 0)->GetInner(), top);
  EXPECT_TRUE(scoring.Named("ScoreMatch").empty()) << "no piece left the tower";
  top->SetDisappearFlag(true);
  EXPECT_EQ(scoring.Named("ScoreMatch").size(), 1u);
}

}  // namespace
}  // namespace GamePlay
