#include "game/rules/control/TStartUpControlPolicy.h"

#include <numbers>

#include "game/rules/tower/ForEachCell.h"
#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/control/IRateController.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/pieces/TRaisingPiece.h"

namespace GamePlay {

TStartUpControlPolicy::TStartUpControlPolicy(ITowerControl* control, IRateController* rateSource,
                                             bool deliveryFromTop)
    : mControl(control),
      mRingsToGo(control->GetModel()->GetGeneratorRingCount()),
      mDeliveryFromTop(deliveryFromTop),
      mRateSource(rateSource),
      mClock(TClockProxyRegistry::Instance().CreateClockProxy()) {
  mControl->GetInputLocks()->Lock(TInputLock::StartUpDelivery);
  mClock->Start();
}

void TStartUpControlPolicy::Update() {
  if (!mActive) return;
  if (mDeliveryFromTop) {
    UpdateFromTop();
  } else {
    UpdateFromBottom();
  }
}

void TStartUpControlPolicy::UpdateFromTop() {
  TInputLocks& locks = *mControl->GetInputLocks();
  if (locks.IsLocked(TInputLock::StartUpDelivery)) {
    if (mClock->GetTime() > kStartDelay) locks.Unlock(TInputLock::StartUpDelivery);
    return;
  }
  if (!HasPassingPieces() && !mControl->GetModel()->IsFilling()) Finish();
}

// While a ring rises in, the bottom ring turns with the delivery rate.
void TStartUpControlPolicy::UpdateFromBottom() {
  if (mClock->GetTime() < kStartDelay) return;
  ITowerModel& tower = *mControl->GetModel();
  ITowerView& view = *mControl->GetView();
  int32_t rings = static_cast<int32_t>(tower.GetRingCount());
  if (HasPassingPieces()) {
    view.SetRingAngle(rings - 1, 2 * std::numbers::pi_v<float> * mRateSource->GetRate());
  } else if (mRingsToGo == 0) {
    for (int32_t ring = 0; ring < rings; ++ring) view.SetRingAngle(ring, 0);
    mControl->GetInputLocks()->Unlock(TInputLock::StartUpDelivery);
    Finish();
  } else {
    tower.StepAllColumns(kDeliverFromBottom);
    --mRingsToGo;
  }
}

bool TStartUpControlPolicy::HasPassingPieces() {
  bool found = false;
  ForEachCell(*mControl->GetModel(), [&found](int32_t, int32_t, const TPiecePtr& piece) {
    IPiece* p = piece.get();
    found = found || PieceAs<TMovingPiece>(p) || PieceAs<TRaisingPiece>(p) ||
            PieceAs<TFallingPiece>(p);
  });
  return found;
}

void TStartUpControlPolicy::Finish() {
  mActive = false;
  ClearPlaceholders();
}

void TStartUpControlPolicy::ClearPlaceholders() {
  ITowerModel& tower = *mControl->GetModel();
  ForEachCell(tower, [&tower](int32_t ring, int32_t slot, const TPiecePtr& piece) {
    if (PieceAs<TEmptyPiece>(piece.get())) {
      tower.SetPiece(ring, slot, tower.GetPieceFactory()->GetNullPiece());
    }
  });
}

}  // namespace GamePlay
