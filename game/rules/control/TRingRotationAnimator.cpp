#include "game/rules/control/TRingRotationAnimator.h"

#include <cmath>
#include <numbers>

#include "game/rules/tower/ITowerView.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/control/TRingTurner.h"

namespace GamePlay {

namespace {


}  // namespace

TRingRotationAnimator::TRingRotationAnimator(TRingTurner* turner, TInputLocks* locks,
                                             ITowerView* view, uint32_t ringCount, float clickRate,
                                             float snapRate, float delayRate)
    : mTurner(turner),
      mLocks(locks),
      mView(view),
      mEntries(ringCount),
      mClickRate(clickRate),
      mSnapRate(snapRate),
      mDelayRate(delayRate) {}

bool TRingRotationAnimator::IsAnyBusy() const {
  for (const TEntry& entry : mEntries) {
    if (entry.kind != TKind::Idle) return true;
  }
  return false;
}

void TRingRotationAnimator::StartSnap(int32_t ring, float offset) {
  float shown = std::fmod(offset, kFullTurn);
  if (shown < 0) shown += kFullTurn;
  mLocks->Lock(TInputLock::RingAnimation);
  if (shown != 0) mTurner->SetDragAngle(ring, shown);
  if (IsAnyBusy() || ring < 0 || ring >= static_cast<int32_t>(mEntries.size())) return;
  mEntries[ring] = {offset < 0 ? TKind::TowardsLeft : TKind::TowardsRight,
                    shown == 0 ? mClickRate : mSnapRate, 0.0f, TPhase::Waiting};
}

bool TRingRotationAnimator::Step() {
  if (mLocks->IsAnyLockedExcept(TInputLock::RingAnimation)) return false;
  bool animated = false;
  bool refused = false;
  for (int32_t ring = 0; ring < static_cast<int32_t>(mEntries.size()); ++ring) {
    TEntry& entry = mEntries[ring];
    if (entry.kind == TKind::Idle) continue;
    animated = true;
    if (!Advance(ring, entry)) refused = true;
  }
  if (!animated || (!refused && IsAnyBusy())) return false;
  mLocks->Unlock(TInputLock::RingAnimation);
  return true;
}

bool TRingRotationAnimator::Advance(int32_t ring, TEntry& entry) {
  if (entry.phase == TPhase::Waiting) {
    entry.delayProgress += mDelayRate;
    if (entry.delayProgress > 1.0f) entry.phase = TPhase::Running;
  }
  float slot = mTurner->GetSlotAngle();
  float angle = mView->GetRingAngle(ring);
  bool passed;
  if (entry.kind == TKind::TowardsLeft) {
    while (angle > 0) angle -= kFullTurn;
    angle -= entry.speed;
    passed = angle < -slot;
  } else {
    angle += entry.speed;
    passed = angle > slot;
  }
  if (!passed) {
    if (!mTurner->SetDragAngle(ring, angle)) return true;
    entry.kind = TKind::Idle;
    return false;
  }
  // The ring waits at its last angle until the delay has run out.
  if (entry.phase == TPhase::Running) Commit(ring, entry);
  return true;
}

void TRingRotationAnimator::Commit(int32_t ring, TEntry& entry) {
  int32_t direction = entry.kind == TKind::TowardsLeft ? -1 : 1;
  entry.kind = TKind::Idle;
  mTurner->SetDragAngle(ring, 0);
  mTurner->TurnOneSlot(ring, direction);
}

}  // namespace GamePlay
