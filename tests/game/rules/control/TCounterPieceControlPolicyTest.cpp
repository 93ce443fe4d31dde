#include <gtest/gtest.h>

#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/control/TCounterPieceControlPolicy.h"
#include "tests/game/rules/ControlPolicyFixture.h"

namespace GamePlay {
namespace {

class CounterTest : public ControlPolicyTest {
 protected:
  CounterTest() { BuildLevelTower({"", ""}); }

  // A counter of the given start in cell (1, 0).
  TCounterPiece& PlaceCounter(float start) {
    tower->SetPiece(1, 0, pieces.CreateCounter(kRed, start));
    return static_cast<TCounterPiece&>(*tower->GetPiece(1, 0));
  }
  bool CounterGone() {
    return dynamic_cast<TCounterPiece*>(tower->GetPiece(1, 0).get()) == nullptr;
  }
};

TEST_F(CounterTest, InTimeModeCountersRunDownWithGameTimeAndGiveWayAtZero) {
  auto& policy = Add<TCounterPieceControlPolicy>(true, 0.1f);  // 1 per update
  TCounterPiece& counter = PlaceCounter(10);
  Update();
  EXPECT_FLOAT_EQ(counter.GetRemaining(), 10) << "the clock starts with the first update";
  policy.OnRingTurned();
  EXPECT_FLOAT_EQ(counter.GetRemaining(), 10) << "turns do not count in time mode";
  Update(9);
  EXPECT_FLOAT_EQ(counter.GetRemaining(), 1);
  EXPECT_FALSE(CounterGone());
  Update();
  ASSERT_TRUE(CounterGone());
  EXPECT_NE(dynamic_cast<TBlockedPiece*>(tower->GetPiece(1, 0).get()), nullptr)
      << "the blocker inside stays";
}

TEST_F(CounterTest, NothingIsCountedWhileALockIsHeld) {
  Add<TCounterPieceControlPolicy>(true, 0.1f);
  TCounterPiece& counter = PlaceCounter(10);
  Update();
  control.locks.Lock(TInputLock::Falling);
  Update(5);
  EXPECT_FLOAT_EQ(counter.GetRemaining(), 10);
  control.locks.Unlock(TInputLock::Falling);
  Update();
  EXPECT_FLOAT_EQ(counter.GetRemaining(), 4) << "the time under the lock counts once it is free";
}

TEST_F(CounterTest, InCountModeEachRingTurnCountsTenAndTimeNothing) {
  auto& policy = Add<TCounterPieceControlPolicy>(false, 0.1f);
  TCounterPiece& counter = PlaceCounter(30);
  Update(100);
  EXPECT_FLOAT_EQ(counter.GetRemaining(), 30);
  policy.OnRingTurned();
  EXPECT_EQ(counter.GetCounterValue(), 6);
  policy.OnRingTurned();
  policy.OnRingTurned();
  EXPECT_EQ(counter.GetCounterValue(), 0);
  EXPECT_FALSE(CounterGone()) << "it gives way in the next update";
  Update();
  EXPECT_TRUE(CounterGone());
}

}  // namespace
}  // namespace GamePlay
