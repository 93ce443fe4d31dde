#include "game/rules/control/TPieceDisappearingControlPolicy.h"

#include "game/rules/tower/ForEachCell.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/control/TInputLocks.h"

namespace GamePlay {

void TPieceDisappearingControlPolicy::Update() {
  TInputLocks& locks = *mControl->GetInputLocks();
  if (locks.IsLocked(TInputLock::ScoringBusy)) return;
  AdvanceAll();
  if (!locks.IsLocked(TInputLock::MatchRemoval)) return;
  locks.Unlock(TInputLock::MatchRemoval);
  if (!locks.IsAnyLocked()) StartFall();
}

void TPieceDisappearingControlPolicy::AdvanceAll() {
  ForEachCell(*mControl->GetModel(), [](int32_t, int32_t, const TPiecePtr& piece) {
    if (auto* disappearing = PieceAs<TDisappearingPiece>(piece.get())) {
      disappearing->Advance();
    }
  });
}

void TPieceDisappearingControlPolicy::StartFall() {
  ITowerModel& tower = *mControl->GetModel();
  TInputLocks& locks = *mControl->GetInputLocks();
  if (tower.ApplyGravity()) {
    mControl->GetSoundView()->PlayPieceFall();
    locks.Lock(TInputLock::Gravity);
  } else if (tower.CheckMatches()) {
    locks.Lock(TInputLock::MatchRemoval);
  }
}

}  // namespace GamePlay
