#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/control/TPieceDisappearingControlPolicy.h"
#include "game/rules/control/TSettlingPiecePolicies.h"
#include "tests/game/rules/ControlPolicyFixture.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

const Strings kFourEmptyRings = {"", "", "", ""};

// Pieces in passage ------------------------------------------------------

struct PassingCase {
  const char* name;
  std::function<std::unique_ptr<ITowerControlPolicy>(ITowerControl*)> makePolicy;
  std::function<TPiecePtr(KitPieceFactory&, TPiecePtr)> wrap;  // a red piece in passage
  int32_t ring;                                                // where it arrives
  TInputLock lock;
  int updatesToArrive;
};

template <class TPolicy>
std::unique_ptr<ITowerControlPolicy> Make(ITowerControl* control) {
  return std::make_unique<TPolicy>(control);
}

class SettlingTest : public ControlPolicyTest {};

TEST_F(SettlingTest, APassingPieceHoldsItsLockUntilItArrivesAndIsUnwrapped) {
  const PassingCase cases[] = {
      {"falling one ring: 1000 t^2 >= 1 at t = 0.04", Make<TFallingPieceControlPolicy>,
       [](KitPieceFactory& p, TPiecePtr red) { return p.CreateFalling(red, 0, 1); }, 1,
       TInputLock::Falling, 4},
      {"moving one ring in steps of 0.5", Make<TMovingPieceControlPolicy>,
       [](KitPieceFactory& p, TPiecePtr red) { return p.CreateMoving(red, 1, 0); }, 0,
       TInputLock::Moving, 2},
      {"raising in steps of 0.9", Make<TRaisingPieceControlPolicy>,
       [](KitPieceFactory& p, TPiecePtr red) { return p.CreateRaising(red, 3); }, 3,
       TInputLock::Raising, 2},
  };
  for (const PassingCase& c : cases) {
    SCOPED_TRACE(c.name);
    control.policies.clear();
    TTower& t = BuildLevelTower(kFourEmptyRings);
    control.AddSubController(c.makePolicy(&control));
    TPiecePtr red = pieces.CreateStandard(kRed, nullptr);
    t.SetPiece(c.ring, 0, c.wrap(pieces, red));
    Update(c.updatesToArrive - 1);
    EXPECT_TRUE(Locked(c.lock));
    EXPECT_NE(t.GetPiece(c.ring, 0), red);
    Update();
    EXPECT_FALSE(control.locks.IsAnyLocked());
    EXPECT_EQ(t.GetPiece(c.ring, 0), red) << "the inner piece is back in its cell";
  }
}

TEST_F(SettlingTest, RaisingIsSlowerWhileTheLevelStartsAndItsRateIsTheLastProgress) {
  TTower& t = BuildLevelTower(kFourEmptyRings);
  auto& raising = Add<TRaisingPieceControlPolicy>();
  control.locks.Lock(TInputLock::StartUpDelivery);
  t.SetPiece(3, 0, pieces.CreateRaising(pieces.CreateStandard(kRed, nullptr), 3));
  Update();
  EXPECT_FLOAT_EQ(raising.GetRate(), 0.5f);
  control.locks.Unlock(TInputLock::StartUpDelivery);
  t.SetPiece(3, 1, pieces.CreateRaising(pieces.CreateStandard(kRed, nullptr), 3));
  Update();
  EXPECT_FLOAT_EQ(raising.GetRate(), 0.9f) << "the piece of slot 1 is the last one advanced";
  EXPECT_EQ(Column(0), "...0");
  control.locks.Lock(TInputLock::Gravity);
  Update(2);
  EXPECT_FLOAT_EQ(raising.GetRate(), 1.0f) << "the fall is over";
}

// The end of a fall ------------------------------------------------------

struct FallEndCase {
  const char* name;
  bool fallAfterMatch;  // the gravity lock is held
  bool otherLockHeld;   // the player holds a ring
  bool lookForMatch;
};

TEST_F(SettlingTest, TheEndOfAFallAfterAMatchLooksForTheNextMatch) {
  const FallEndCase cases[] = {
      {"after a match", true, false, true},
      {"something else holds the tower", true, true, false},
      {"a fall no match set off", false, false, false},
  };
  for (const FallEndCase& c : cases) {
    SCOPED_TRACE(c.name);
    control.policies.clear();
    control.locks = TInputLocks();
    TTower& t = BuildLevelTower({".", "", "0", "0"});
    Add<TFallingPieceControlPolicy>();
    t.SetPiece(1, 0, pieces.CreateFalling(pieces.CreateStandard(kRed, nullptr), 0, 1));
    if (c.fallAfterMatch) control.locks.Lock(TInputLock::Gravity);
    if (c.otherLockHeld) control.locks.Lock(TInputLock::RingDrag);
    Update(4);
    EXPECT_FALSE(Locked(TInputLock::Falling));
    EXPECT_FALSE(Locked(TInputLock::Gravity));
    EXPECT_EQ(Locked(TInputLock::MatchRemoval), c.lookForMatch);
    EXPECT_EQ(Column(0), c.lookForMatch ? ".xxx" : ".000");
  }
}

TEST_F(SettlingTest, MatchedPiecesThatFallKeepTheirReactionUntilTheyVanish) {
  TTower& t = BuildLevelTower({"0", "0", "0", ""});
  Add<TFallingPieceControlPolicy>();
  ASSERT_TRUE(t.CheckMatches());
  ASSERT_TRUE(t.ApplyGravity());
  Update(4);
  EXPECT_EQ(Column(0), ".xxx");
  EXPECT_TRUE(scoring.Named("ScoreMatch").empty()) << "the matched pieces are still there";
  for (int32_t ring = 1; ring < 4; ++ring) {
    static_cast<TDisappearingPiece&>(*t.GetPiece(ring, 0)).SetDisappearFlag(true);
  }
  EXPECT_EQ(scoring.Named("ScoreMatch").size(), 1u);
}

// Disappearing pieces ----------------------------------------------------

class DisappearingTest : public ControlPolicyTest {
 protected:
  DisappearingTest() {
    BuildLevelTower(kFourEmptyRings);
    Add<TPieceDisappearingControlPolicy>();
  }
};

TEST_F(DisappearingTest, MatchedPiecesVanishInAHundredUpdatesFrozenWhileScoringIsBusy) {
  PlaceColumn(0, "0001");
  ASSERT_TRUE(tower->CheckMatches());
  control.locks.Lock(TInputLock::MatchRemoval);
  auto& first = static_cast<TDisappearingPiece&>(*tower->GetPiece(0, 0));
  control.locks.Lock(TInputLock::ScoringBusy);
  Update(10);
  EXPECT_FLOAT_EQ(first.GetFade(), 1.0f);
  EXPECT_TRUE(Locked(TInputLock::MatchRemoval)) << "frozen, the match lock stays too";
  control.locks.Unlock(TInputLock::ScoringBusy);
  Update(99);
  EXPECT_FALSE(first.IsVoid());
  EXPECT_TRUE(scoring.Named("ScoreMatch").empty());
  Update();
  EXPECT_EQ(Column(0), "...1");
  EXPECT_EQ(scoring.Named("ScoreMatch").size(), 1u);
}

struct MatchLockCase {
  const char* name;
  std::string column;
  bool otherLockHeld;
  std::string after;
  bool gravity;
  bool matchAgain;
};

TEST_F(DisappearingTest, TheMatchLockGivesWayToAFallOrTheNextMatch) {
  const MatchLockCase cases[] = {
      {"a vacant cell under a piece", "1.2.", false, "..vv", true, false},
      {"the player holds a ring", "1.2.", true, "1.2.", false, false},
      {"nothing falls but a run waits", "1112", false, "xxx2", false, true},
      {"nothing to do", "1212", false, "1212", false, false},
  };
  for (const MatchLockCase& c : cases) {
    SCOPED_TRACE(c.name);
    control.locks = TInputLocks();
    sound.played.clear();
    BuildLevelTower(kFourEmptyRings);
    PlaceColumn(0, c.column);
    control.locks.Lock(TInputLock::MatchRemoval);
    if (c.otherLockHeld) control.locks.Lock(TInputLock::RingDrag);
    Update();
    EXPECT_EQ(Column(0).substr(0, 4), c.after);
    EXPECT_EQ(Locked(TInputLock::Gravity), c.gravity);
    EXPECT_EQ(Locked(TInputLock::MatchRemoval), c.matchAgain);
    EXPECT_EQ(Count(sound.played, "PlayPieceFall"), c.gravity ? 1 : 0);
  }
}

}  // namespace
}  // namespace GamePlay
