#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/rules/tower/TTower.h"
#include "tests/game/rules/TowerFixture.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/KitPowerUps.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

TEST_F(TowerTest, StartsVacantAndAttachedToItsGenerator) {
  TTower& t = Build(5);
  EXPECT_EQ(generator->tower, &t);
  EXPECT_EQ(t.GetRingCount(), 5u);
  EXPECT_EQ(t.GetSlotCount(), 12u);
  EXPECT_EQ(t.GetCellCodes(), std::vector<int32_t>(60, 0));
  EXPECT_EQ(t.GetPiece(4, 11), pieces.GetNullPiece());
  EXPECT_TRUE(t.IsFilling());
  EXPECT_FALSE(t.IsComboRunning());
  EXPECT_EQ(t.GetTopOccupiedRing(), 12u) << "an empty tower answers the slot count";
}

TEST_F(TowerTest, CellsOutsideTheTowerReadAsNullAndTakeNothing) {
  TTower& t = Build(3);
  for (TCell cell : {TCell{-1, 0}, TCell{3, 0}, TCell{0, -1}, TCell{0, 12}}) {
    t.SetPiece(cell.ring, cell.slot, Make('1'));
    EXPECT_EQ(t.GetPiece(cell.ring, cell.slot), pieces.GetNullPiece());
  }
  EXPECT_EQ(t.GetCellCodes(), std::vector<int32_t>(36, 0));
}

TEST_F(TowerTest, CellCodesAreColourPlusOne) {
  TTower& t = Build(1);
  PlaceColumn(0, "0");
  PlaceColumn(1, "5");
  PlaceColumn(2, "C");
  PlaceColumn(3, "Z");
  std::vector<int32_t> expected(12, 0);
  expected[0] = 1;
  expected[1] = 6;
  expected[2] = 3;
  EXPECT_EQ(t.GetCellCodes(), expected);
}

TEST_F(TowerTest, RotationMovesOneSlotAndTellsTheScoringModel) {
  TTower& t = Build(2);
  for (int32_t slot = 0; slot < 12; ++slot) t.SetPiece(1, slot, Make('0' + slot % 6));
  std::vector<IPiece*> before = Identities();
  t.RotateLeft(1);
  EXPECT_EQ(Ring(1), "123450123450");
  t.RotateRight(1);
  t.RotateRight(1);
  EXPECT_EQ(Ring(1), "501234501234");
  t.RotateLeft(1);
  EXPECT_EQ(Identities(), before);
  EXPECT_EQ(scoring.events,
            Strings({"OnRingTurned 1", "OnRingTurned 1", "OnRingTurned 1", "OnRingTurned 1"}));
  t.RotateLeft(2);
  t.RotateRight(-1);
  EXPECT_EQ(scoring.events.size(), 4u) << "rings outside the tower do not turn";
}

struct GravityCase {
  const char* name;
  const char* before;
  bool filling;
  const char* after;
};

void PrintTo(const GravityCase& c, std::ostream* out) { *out << c.name; }

class TowerGravity : public TowerTest, public testing::WithParamInterface<GravityCase> {};

TEST_P(TowerGravity, LetsSettledPiecesFallIntoVacantCells) {
  const GravityCase& c = GetParam();
  Build(static_cast<uint32_t>(std::string(c.before).size()));
  if (!c.filling) FinishFill();
  PlaceColumn(3, c.before);
  EXPECT_EQ(tower->ApplyGravity(), std::string(c.after).find('v') != std::string::npos);
  EXPECT_EQ(Column(3), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, TowerGravity,
    testing::Values(GravityCase{"PieceGapPieceGap", "0.1.", false, "..vv"},
                    GravityCase{"NothingToFall", "..01", false, "..01"},
                    GravityCase{"GapsAtTheTop", "0..1.2", false, "...vv2"},
                    GravityCase{"PieceRestsOnABlocker", "0A.", false, "0A."},
                    GravityCase{"BlockerFallsWhileFilling", "0A.", true, ".vv"}),
    [](const testing::TestParamInfo<GravityCase>& info) { return info.param.name; });

TEST_F(TowerTest, FallingPiecesCarryTheirPieceAndRings) {
  TTower& t = Build(4);
  PlaceColumn(0, "0.1.");
  TPiecePtr top = t.GetPiece(0, 0);
  TPiecePtr middle = t.GetPiece(2, 0);
  ASSERT_TRUE(t.ApplyGravity());
  auto lower = std::dynamic_pointer_cast<TFallingPiece>(t.GetPiece(3, 0));
  auto upper = std::dynamic_pointer_cast<TFallingPiece>(t.GetPiece(2, 0));
  ASSERT_TRUE(lower && upper);
  EXPECT_EQ(lower->GetInner(), middle);
  EXPECT_EQ(upper->GetInner(), top);
  EXPECT_EQ(upper->GetFallOffset(), 0.0f) << "falls from ring 0";
  lower->Step(0.04f);
  EXPECT_EQ(lower->GetFallOffset(), 3.0f) << "from ring 2 to ring 3";
  EXPECT_EQ(t.GetPiece(0, 0), pieces.GetNullPiece());
}

TEST_F(TowerTest, GravityClearsVanishedPieces) {
  TTower& t = Build(3);
  PlaceColumn(0, "1.2");
  auto gone = std::make_shared<TDisappearingPiece>(Make('3'), nullptr);
  gone->SetDisappearFlag(true);
  t.SetPiece(1, 0, gone);
  EXPECT_TRUE(t.ApplyGravity());
  EXPECT_EQ(Column(0), ".v2");
  EXPECT_EQ(t.GetPiece(0, 0), pieces.GetNullPiece());
}

TEST_F(TowerTest, DeliveryFromTheBottomPushesTheColumnUp) {
  TTower& t = Build(4);
  FinishFill();
  generator->queued[2] = {kBlue};
  PlaceColumn(2, "..01");
  TPiecePtr red = t.GetPiece(2, 2);
  ASSERT_TRUE(t.StepColumn(2, kDeliverFromBottom));
  EXPECT_EQ(Column(2), ".^^r");
  auto moving = std::dynamic_pointer_cast<TMovingPiece>(t.GetPiece(1, 2));
  EXPECT_EQ(moving->GetInner(), red);
  EXPECT_EQ(moving->GetPosition(), 2.0f) << "moves from ring 2";
  auto raising = std::dynamic_pointer_cast<TRaisingPiece>(t.GetPiece(3, 2));
  EXPECT_EQ(raising->GetInner()->GetColour(), kBlue);
  EXPECT_EQ(raising->GetTargetRing(), 3);
}

TEST_F(TowerTest, DeliveryFromTheTopEntersAtRingZero) {
  TTower& t = Build(3, {.deliveryMode = kDeliverFromTop});
  FinishFill();
  generator->queued[0] = {kBlue};
  ASSERT_TRUE(t.StepColumn(0, kDeliverFromTop));
  EXPECT_EQ(Column(0), "^..");
  auto moving = std::dynamic_pointer_cast<TMovingPiece>(t.GetPiece(0, 0));
  EXPECT_EQ(moving->GetInner()->GetColour(), kBlue);
  EXPECT_EQ(moving->GetPosition(), 0.0f);
  EXPECT_FALSE(t.StepColumn(0, 7)) << "no such mode";
}

TEST_F(TowerTest, AGeneratorPieceThatIsVoidLeavesTheCellVacant) {
  TTower& t = Build(3);
  PlaceColumn(0, ".12");
  EXPECT_TRUE(t.StepColumn(0, kDeliverFromBottom));
  EXPECT_EQ(Column(0), "^^.");
}

struct AcceptCase {
  const char* name;
  const char* column;
  int32_t mode;
  bool filling;
  bool accepts;
};

void PrintTo(const AcceptCase& c, std::ostream* out) { *out << c.name; }

class TowerDelivery : public TowerTest, public testing::WithParamInterface<AcceptCase> {};

TEST_P(TowerDelivery, TakesAPieceUnlessABlockerOrAFullColumnStopsIt) {
  const AcceptCase& c = GetParam();
  TTower& t = Build(static_cast<uint32_t>(std::string(c.column).size()), {.deliveryMode = c.mode});
  if (!c.filling) FinishFill();
  for (int32_t slot = 0; slot < 12; ++slot) PlaceColumn(slot, c.column);
  EXPECT_EQ(t.CanDeliver(), c.accepts);
  EXPECT_EQ(t.StepColumn(5, c.mode), c.accepts);
  if (!c.accepts) {
    EXPECT_EQ(Column(5), c.column) << "a column that takes nothing stays as it was";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, TowerDelivery,
    testing::Values(AcceptCase{"EmptyFromBottom", "...", kDeliverFromBottom, false, true},
                    AcceptCase{"FullFromBottom", "012", kDeliverFromBottom, false, false},
                    AcceptCase{"BottomBlocker", "..A", kDeliverFromBottom, false, false},
                    AcceptCase{"BottomBlockerWhileFilling", "..A", kDeliverFromBottom, true, true},
                    AcceptCase{"BlockerAboveAPiece", ".A0", kDeliverFromBottom, false, false},
                    AcceptCase{"EmptyFromTop", "...", kDeliverFromTop, false, true},
                    AcceptCase{"TopBlocker", "A..", kDeliverFromTop, false, false},
                    AcceptCase{"PieceOnTopOfAGap", "0..", kDeliverFromTop, false, true}),
    [](const testing::TestParamInfo<AcceptCase>& info) { return info.param.name; });

TEST_F(TowerTest, StepAllColumnsEndsTheFillAfterRingCountSteps) {
  TTower& t = Build(2);
  generator->queued[4] = {kRed};
  EXPECT_TRUE(t.StepAllColumns(kDeliverFromBottom));
  EXPECT_EQ(Column(4), ".r");
  EXPECT_EQ(Column(5), "..") << "the generator had nothing for slot 5";
  EXPECT_TRUE(t.IsFilling());
  for (int32_t slot = 0; slot < 12; ++slot) PlaceColumn(slot, "00");
  EXPECT_FALSE(t.StepAllColumns(kDeliverFromBottom)) << "every column is full";
  EXPECT_TRUE(t.IsFilling());
  t.StepAllColumns(kDeliverFromBottom);
  EXPECT_FALSE(t.IsFilling());
}

TEST_F(TowerTest, TopOccupiedRingSkipsCellsAboutToMove) {
  TTower& t = Build(4);
  FinishFill();
  EXPECT_EQ(t.GetTopOccupiedRing(), 12u);
  PlaceColumn(0, "...0");
  EXPECT_EQ(t.GetTopOccupiedRing(), 3u);
  PlaceColumn(1, ".A.0");
  EXPECT_EQ(t.GetTopOccupiedRing(), 3u) << "an unbroken blocker over a gap is about to move";
  PlaceColumn(2, "..A0");
  EXPECT_EQ(t.GetTopOccupiedRing(), 2u) << "one resting on a piece is not";
  PlaceColumn(3, ".1.0");
  EXPECT_EQ(t.GetTopOccupiedRing(), 1u);
}

TEST_F(TowerTest, TopOccupiedRingLooksUpwardsWhenDeliveringFromTheTop) {
  TTower& t = Build(3, {.deliveryMode = kDeliverFromTop});
  FinishFill();
  PlaceColumn(0, ".A.");
  EXPECT_EQ(t.GetTopOccupiedRing(), 12u) << "a blocker below a gap is about to move up";
  PlaceColumn(0, "0A.");
  EXPECT_EQ(t.GetTopOccupiedRing(), 0u);
}

TEST_F(TowerTest, ARingIsBusyWhileItHoldsAnUnbrokenBlocker) {
  TTower& t = Build(3);
  PlaceColumn(6, ".A0");
  EXPECT_FALSE(t.IsRingBusy(1)) << "nothing holds while the tower fills";
  FinishFill();
  EXPECT_TRUE(t.IsRingBusy(1));
  EXPECT_FALSE(t.IsRingBusy(0));
  EXPECT_FALSE(t.IsRingBusy(2));
  EXPECT_FALSE(t.IsRingBusy(5));
  static_cast<TBlockedPiece&>(*t.GetPiece(1, 6)).Hit(1.0f);
  EXPECT_FALSE(t.IsRingBusy(1));
}

TEST_F(TowerTest, LinkedRingsAreBusyTogetherWhenLinkedBlocksMove) {
  for (bool linked : {false, true}) {
    TTower& t = Build(4, {.linkedBlockMoving = linked});
    FinishFill();
    PlaceColumn(0, "00A0");
    auto lock = std::make_shared<RecordingPowerUp>(TPowerUpKind::Lock);
    t.SetPiece(1, 3, pieces.CreateStandard(kRed, lock));  // binds rings 1 and 2
    EXPECT_EQ(t.IsRingBusy(1), linked);
    EXPECT_TRUE(t.IsRingBusy(2));
    EXPECT_FALSE(t.IsRingBusy(0));
    EXPECT_FALSE(t.IsRingBusy(3)) << "nothing binds ring 3 to ring 2";
  }
}

TEST_F(TowerTest, AMatchPassRunsAtMostOnceEvery265Milliseconds) {
  TTower& t = Build(3);
  PlaceColumn(0, "000");
  PlaceColumn(1, "111");
  ASSERT_TRUE(t.CheckMatches());
  EXPECT_EQ(Column(0) + Column(1), "xxx111") << "a pass takes the first column with runs";
  EXPECT_TRUE(t.IsComboRunning());
  clock.Advance(264);
  EXPECT_FALSE(t.CheckMatches());
  EXPECT_EQ(Column(1), "111");
  clock.Advance(1);
  EXPECT_TRUE(t.CheckMatches());
  EXPECT_EQ(Column(1), "xxx");
  clock.Advance(265);
  EXPECT_FALSE(t.CheckMatches()) << "nothing left to match";
  EXPECT_TRUE(t.IsComboRunning()) << "the matched pieces are still vanishing";
}

TEST_F(TowerTest, AFruitlessPassDoesNotRestartTheGate) {
  TTower& t = Build(3);
  EXPECT_FALSE(t.CheckMatches());
  PlaceColumn(0, "222");
  EXPECT_TRUE(t.CheckMatches()) << "no successful pass yet, no wait";
  clock.Advance(265);
  EXPECT_FALSE(t.CheckMatches());
  PlaceColumn(1, "333");
  clock.Advance(1);
  EXPECT_TRUE(t.CheckMatches());
}

TEST_F(TowerTest, MatchChecksCanBeSwitchedOff) {
  TTower& t = Build(3);
  PlaceColumn(0, "222");
  t.EnableMatchCheck(false);
  EXPECT_FALSE(t.CheckMatches());
  EXPECT_EQ(Column(0), "222");
  t.EnableMatchCheck(true);
  EXPECT_TRUE(t.CheckMatches());
}

TEST_F(TowerTest, PredictMatchesLeavesTheTowerAsItWas) {
  TTower& t = Build(3);
  PlaceColumn(4, "111");
  PlaceColumn(9, "222");
  t.SetPiece(0, 2, Make('3'));
  t.SetPiece(1, 3, Make('3'));
  t.SetPiece(2, 1, Make('3'));
  std::vector<int32_t> codes = t.GetCellCodes();
  std::vector<IPiece*> identities = Identities();
  EXPECT_EQ(t.PredictMatches({}), (std::set<TCell>{{0, 4}, {1, 4}, {2, 4}, {0, 9}, {1, 9}, {2, 9}}))
      << "every column's runs, not only the first";
  // Ring 0 turned right by 1 brings its 3 from slot 2 to slot 3, ring 2 turned
  // right by 14 brings its 3 from slot 1 to slot 3: a run in slot 3, reported
  // where its pieces are now. The turns break the runs of slots 4 and 9.
  std::set<TCell> threes{{0, 2}, {1, 3}, {2, 1}};
  EXPECT_EQ(t.PredictMatches({{0, 1}, {2, 14}, {7, 3}}), threes);
  EXPECT_EQ(t.PredictMatches({{1, -1}, {2, 1}}), threes) << "a left turn is a negative count";
  EXPECT_EQ(t.GetCellCodes(), codes);
  EXPECT_EQ(Identities(), identities);
  EXPECT_TRUE(scoring.events.empty()) << "no turn is told";
}

TEST_F(TowerTest, ActivatingACellTakesThePieceOutAndSetsOffItsPowerUp) {
  TTower& t = Build(3);
  auto carried = std::make_shared<RecordingPowerUp>();
  auto cause = std::make_shared<RecordingPowerUp>();
  TPiecePtr red = pieces.CreateStandard(kRed, carried);
  t.SetPiece(1, 7, red);
  t.ActivateCell(1, 7, cause);
  auto gone = std::dynamic_pointer_cast<TDisappearingPiece>(t.GetPiece(1, 7));
  ASSERT_NE(gone, nullptr);
  EXPECT_EQ(gone->GetInner(), red);
  EXPECT_EQ(gone->GetCarriedPowerUps(), (std::vector<TPowerUpPtr>{cause, carried}));
  EXPECT_EQ(carried->activations, Strings({"1 7"}));
  EXPECT_EQ(records.levelResult.activationCount, 1);
  EXPECT_EQ(generator->deliveriesCounted, 1);

  t.ActivateCell(0, 7, nullptr);
  EXPECT_EQ(records.levelResult.activationCount, 1)
      << "a vacant cell counts nothing";
  EXPECT_EQ(t.GetPiece(0, 7), pieces.GetNullPiece());
}

TEST_F(TowerTest, UnspentPiecesStayUnlessABombChainSetsThemOff) {
  struct Case {
    const char* name;
    TPowerUpKind kind;
    bool chain;
    bool removed;
  };
  const Case cases[] = {
      {"area bomb, chain", TPowerUpKind::BigAreaBomb, true, true},
      {"time bomb, chain", TPowerUpKind::TimeBomb, true, true},
      {"colour bomb, chain", TPowerUpKind::ColorBomb, true, false},
      {"area bomb, no chain", TPowerUpKind::BigAreaBomb, false, false},
  };
  for (const Case& c : cases) {
    TTower& t = Build(2, {.bombChainReaction = c.chain});
    auto bomb = std::make_shared<RecordingPowerUp>(c.kind);
    TPiecePtr piece = pieces.CreatePowerUpPiece(IPiece::kNoColour, bomb);
    t.SetPiece(0, 0, piece);
    t.ActivateCell(0, 0, nullptr);
    EXPECT_EQ(Describe(*t.GetPiece(0, 0)), c.removed ? 'x' : 'P') << c.name;
    EXPECT_EQ(piece->IsTriggered(), c.removed) << c.name;
    EXPECT_EQ(bomb->activations.size(), c.removed ? 1u : 0u) << c.name;
  }
  TTower& t = Build(2, {.bombChainReaction = true});
  PlaceColumn(0, "A");
  t.ActivateCell(0, 0, nullptr);
  EXPECT_EQ(Column(0), "A.") << "an unbroken blocker stays";
}

TEST_F(TowerTest, ALockOrGearBreaksWithItsPieceAndOverIt) {
  TTower& t = Build(4);
  auto lock = std::make_shared<RecordingPowerUp>(TPowerUpKind::Lock);
  auto gear = std::make_shared<RecordingPowerUp>(TPowerUpKind::Gear);
  TPiecePtr locked = pieces.CreateStandard(kRed, lock);
  TPiecePtr geared = pieces.CreateStandard(kBlue, gear);
  t.SetPiece(2, 5, locked);
  t.SetPiece(1, 5, geared);
  t.ActivateCell(2, 5, nullptr);
  EXPECT_EQ(sound.played, Strings({"PlayLockExplode", "PlayGearExplode"}));
  EXPECT_EQ(scoring.events, Strings({"AddLockExplode", "AddGearExplode"}));
  EXPECT_EQ(records.locksBroken, 1u);
  EXPECT_EQ(records.gearsBroken, 1u);
  EXPECT_EQ(t.GetBreakingList(), (TBreakingList{{2, locked}, {2, geared}}));
  EXPECT_EQ(geared->GetPowerUp(), nullptr) << "the gear above is gone";
  EXPECT_EQ(t.GetPiece(1, 5), geared) << "its piece stays";
  EXPECT_EQ(Describe(*t.GetPiece(2, 5)), 'x');
}

TEST_F(TowerTest, TheTopAndBottomRingsBreakNoLinkAboveThem) {
  for (int32_t ring : {0, 3}) {
    TTower& t = Build(4);
    PlaceColumn(0, "0000");
    auto lock = std::make_shared<RecordingPowerUp>(TPowerUpKind::Lock);
    if (ring > 0) t.SetPiece(ring - 1, 0, pieces.CreateStandard(kRed, lock));
    t.ActivateCell(ring, 0, nullptr);
    EXPECT_TRUE(t.GetBreakingList().empty()) << ring;
    EXPECT_TRUE(scoring.events.empty()) << ring;
  }
}

TEST_F(TowerTest, BombsBreakBlockersOnlyWhereTheLevelSaysSo) {
  for (bool blockerExplode : {false, true}) {
    scoring.events.clear();
    TTower& t =
        Build(2, {.blockerEnergyRatios = {{0, 0.5f}, {3, 0.1f}}, .blockerExplode = blockerExplode});
    PlaceColumn(0, "A0");
    t.ExplodeBlocker(0, 0);
    t.ExplodeBlocker(1, 0);
    auto& blocker = static_cast<TBlockedPiece&>(*t.GetPiece(0, 0));
    EXPECT_EQ(blocker.GetProgress(), blockerExplode ? 0.5f : 0.0f);
    EXPECT_EQ(t.GetBreakingList().size(), blockerExplode ? 1u : 0u);
    EXPECT_EQ(scoring.events, blockerExplode ? Strings({"AddBlockerExplode"}) : Strings());
  }
}

TEST_F(TowerTest, ABreakingBlockerIsHitAndListed) {
  TTower& t = Build(2);
  PlaceColumn(0, "B");
  TPiecePtr blocker = t.GetPiece(0, 0);
  t.StartBlockerBreak(0, 0, blocker, 0.6f);
  t.StartBlockerBreak(0, 0, blocker, 0.6f);
  EXPECT_TRUE(blocker->IsSettled());
  EXPECT_EQ(sound.played, Strings({"PlayBlockerBreak", "PlayBlockerBroken"}));
  EXPECT_EQ(t.GetBreakingList(), (TBreakingList{{0, blocker}, {0, blocker}}));
}

class TowerDumpTest : public TowerTest {
 protected:
  std::string DumpText() const { return ReadWholeFile(mFiles.UserPath("pieces.dump")); }
  void WriteDump(const std::string& text) const { mFiles.Write("user/pieces.dump", text); }

  TestFileLayer mFiles;
};

TEST_F(TowerDumpTest, SavedAndLoadedTowersKeepColoursVacanciesAndBlockers) {
  TTower& t = Build(3);
  PlaceColumn(0, "0A.");
  PlaceColumn(1, "Z5.");
  t.SetPiece(2, 11, pieces.CreatePowerUpPiece(IPiece::kNoColour, nullptr));
  t.SetPiece(2, 10, pieces.CreateStandard(kBlue, std::make_shared<RecordingPowerUp>()));
  t.SaveDump();
  EXPECT_EQ(DumpText(), "0Znnnnnnnnnn\r\nA5nnnnnnnnnn\r\nnnnnnnnnnn5n\r\n");

  TTower& loaded = Build(3);
  loaded.LoadDump();
  EXPECT_EQ(Column(0), "0A.");
  EXPECT_EQ(Column(1), "Z5.");
  EXPECT_EQ(loaded.GetPiece(2, 10)->GetPowerUp(), nullptr) << "power-ups are not kept";
  EXPECT_TRUE(static_cast<TBlockedPiece&>(*loaded.GetPiece(1, 0)).IsBreakable());
}

TEST_F(TowerDumpTest, ASavedDumpReplacesTheOldOneWhole) {
  WriteDump(std::string(500, '1'));
  Build(1).SaveDump();
  EXPECT_EQ(DumpText(), "nnnnnnnnnnnn\r\n");
  EXPECT_FALSE(std::ifstream(mFiles.UserPath("pieces.dump.tmp")).good());
}

TEST_F(TowerDumpTest, LoadingStaysInsideTheTowerWhateverTheFileHolds) {
  struct Case {
    const char* name;
    std::string text;
    Strings rings;
  };
  const Case cases[] = {
      {"long lines", "0123450123451111\r\n22\r\n", {"012345012345", "22.........."}},
      {"extra rings", "0\r\n1\r\n2\r\n3\r\n4\r\n", {"0...........", "1..........."}},
      {"bytes outside the six",
       "6G9/#\x80\xff"
       "Y5",
       {"........5...", "............"}},
      {"lines ending in line feeds", "01\n23\n", {"01..........", "23.........."}},
      {"no line ends", std::string(1000, '1'), {"111111111111", "............"}},
      {"nothing", "", {"............", "............"}},
  };
  for (const Case& c : cases) {
    WriteDump(c.text);
    TTower& t = Build(2);
    t.LoadDump();
    EXPECT_EQ((Strings{Ring(0), Ring(1)}), c.rings) << c.name;
  }
}

TEST_F(TowerDumpTest, AMissingDumpChangesNothing) {
  TTower& t = Build(2);
  PlaceColumn(0, "12");
  t.LoadDump();
  EXPECT_EQ(Column(0), "12");
}

}  // namespace
}  // namespace GamePlay
