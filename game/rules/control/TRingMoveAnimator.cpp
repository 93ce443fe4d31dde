#include "game/rules/control/TRingMoveAnimator.h"

#include <cstdlib>

#include "game/rules/tower/ITowerView.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/control/TRingTurner.h"

namespace GamePlay {

namespace {

// Progress per millisecond: a move takes a third of a second.
constexpr float kProgressRate = 0.003f;

}  // namespace

void TRingMoveAnimator::Queue(int32_t ring, int32_t steps) {
  mMoves.push_back({0.0f, ring, steps});
}

void TRingMoveAnimator::Update() {
  if (mMoves.empty()) return;
  if (!mClock) {
    mClock.reset(TClockProxyRegistry::Instance().CreateClockProxy());
    mClock->Start();
  }
  uint32_t now = mClock->GetTime();
  uint32_t elapsed = now - mLastReading;
  mLastReading = now;
  mMoves.remove_if([this, elapsed](TMove& move) { return Advance(move, elapsed); });
  if (!mMoves.empty()) return;
  mClock.reset();
  mLastReading = 0;
  mView->OnMovesDone();
}

bool TRingMoveAnimator::Advance(TMove& move, uint32_t elapsed) {
  move.progress += static_cast<float>(elapsed) * kProgressRate;
  if (move.progress <= 1.0f) {
    mTurner->SetDragAngle(move.ring, mTurner->GetSlotAngle() * move.steps * move.progress);
    return false;
  }
  move.progress = 1.0f;
  mTurner->SetDragAngle(move.ring, 0);
  for (int32_t i = 0; i < std::abs(move.steps); ++i) {
    mTurner->TurnOneSlot(move.ring, move.steps > 0 ? 1 : -1);
  }
  return true;
}

}  // namespace GamePlay
