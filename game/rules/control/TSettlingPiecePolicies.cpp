#include "game/rules/control/TSettlingPiecePolicies.h"

#include "game/rules/tower/ForEachCell.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/pieces/TRaisingPiece.h"

namespace GamePlay {

void TSettlingPiecePolicy::Update() {
  bool allArrived = AdvanceAll();
  TInputLocks& locks = *mControl->GetInputLocks();
  if (!allArrived) {
    locks.Lock(mLock);
    return;
  }
  locks.Unlock(mLock);
  if (locks.IsLocked(TInputLock::Gravity)) EndFall(locks);
}

bool TSettlingPiecePolicy::AdvanceAll() {
  ITowerModel& tower = *mControl->GetModel();
  bool allArrived = true;
  ForEachCell(tower, [&](int32_t ring, int32_t slot, const TPiecePtr& piece) {
    switch (Advance(*piece)) {
      case TProgress::Underway:
        allArrived = false;
        break;
      case TProgress::Arrived:
        tower.SetPiece(ring, slot, piece->GetInner());
        break;
      case TProgress::NotOfKind:
        break;
    }
  });
  return allArrived;
}

void TSettlingPiecePolicy::EndFall(TInputLocks& locks) {
  locks.Unlock(TInputLock::Gravity);
  OnFallOver();
  if (!locks.IsAnyLocked() && mControl->GetModel()->CheckMatches()) {
    locks.Lock(TInputLock::MatchRemoval);
  }
}

TSettlingPiecePolicy::TProgress TFallingPieceControlPolicy::Advance(IPiece& piece) {
  return AdvanceAs<TFallingPiece>(piece, kStep);
}

TSettlingPiecePolicy::TProgress TMovingPieceControlPolicy::Advance(IPiece& piece) {
  return AdvanceAs<TMovingPiece>(piece, kStep);
}

TSettlingPiecePolicy::TProgress TRaisingPieceControlPolicy::Advance(IPiece& piece) {
  bool startingUp = mControl->GetInputLocks()->IsLocked(TInputLock::StartUpDelivery);
  TProgress progress = AdvanceAs<TRaisingPiece>(piece, startingUp ? kStartUpStep : kStep);
  if (progress != TProgress::NotOfKind) {
    mLastProgress = static_cast<TRaisingPiece&>(piece).GetRaiseOffset();
  }
  return progress;
}

}  // namespace GamePlay
