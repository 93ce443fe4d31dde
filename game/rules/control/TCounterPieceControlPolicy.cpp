#include "game/rules/control/TCounterPieceControlPolicy.h"

#include "game/rules/tower/ForEachCell.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/control/TInputLocks.h"

namespace GamePlay {

void TCounterPieceControlPolicy::Update() {
  if (mControl->GetInputLocks()->IsAnyLocked()) return;
  float amount = TakeElapsed() * mCounterRate;
  ITowerModel& tower = *mControl->GetModel();
  ForEachCell(tower, [&](int32_t ring, int32_t slot, const TPiecePtr& piece) {
    auto* counter = PieceAs<TCounterPiece>(piece.get());
    if (!counter) return;
    if (mTimeMode) counter->Tick(amount);
    if (counter->GetCounterValue() == 0) tower.SetPiece(ring, slot, piece->GetInner());
  });
}

float TCounterPieceControlPolicy::TakeElapsed() {
  if (!mClock) {
    mClock.reset(TClockProxyRegistry::Instance().CreateClockProxy());
    mClock->Start();
  }
  float elapsed = static_cast<float>(mClock->GetTime());
  mClock->Stop();
  mClock->Start();
  return elapsed;
}

void TCounterPieceControlPolicy::OnRingTurned() {
  if (mTimeMode) return;
  ForEachCell(*mControl->GetModel(), [](int32_t, int32_t, const TPiecePtr& piece) {
    if (auto* counter = PieceAs<TCounterPiece>(piece.get())) counter->Tick(kTurnCount);
  });
}

}  // namespace GamePlay
