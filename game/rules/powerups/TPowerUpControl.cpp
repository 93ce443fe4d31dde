#include "game/rules/powerups/TPowerUpControl.h"

#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/IScriptTutorialView.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/scoring/IMetricsRecorder.h"

namespace GamePlay {

TPowerUpControl::TPowerUpControl(ITowerView* view, ITowerModel* model, ITowerControl* control,
                                 IPieceFactory*, IScriptTutorialView* listener,
                                 IMetricsRecorder* metrics)
    : mModel(model),
      mControl(control),
      mView(view),
      mPicker(model, view),
      mClock(TClockProxyRegistry::Instance().CreateClockProxy()),
      mListener(listener),
      mMetrics(metrics) {
  mClock->Start();
}

TPowerUpControl::~TPowerUpControl() = default;

void TPowerUpControl::OnPress(const TPoint& point) {
  if (!mControl->GetFlag() || mControl->GetInputLocks()->IsLocked(TInputLock::EndOfPlay)) return;
  int32_t ring = -1;
  int32_t slot = -1;
  float angle = 0;
  if (!mPicker.Pick(point, ring, slot, angle, true)) return;
  TPiecePtr piece = mModel->GetPiece(ring, slot);
  const bool doubleClick = IsDoubleClick(piece);
  mClock->Stop();
  mClock->Start();
  if (doubleClick) {
    mLastClicked.reset();
    SetOff(piece, ring, slot);
  } else {
    mLastClicked = piece;
    mView->ShowPowerUpArea(ring, slot);
  }
}

bool TPowerUpControl::IsDoubleClick(const TPiecePtr& piece) {
  return piece == mLastClicked && mClock->GetTime() <= kDoubleClickTime;
}

void TPowerUpControl::SetOff(const TPiecePtr& piece, int32_t ring, int32_t slot) {
  auto* powerUpPiece = PieceAs<TPowerUpPiece>(piece.get());
  TPowerUpPtr powerUp = powerUpPiece ? powerUpPiece->GetPowerUp() : nullptr;
  if (!powerUp) return;
  powerUpPiece->SetTriggered(true);
  mModel->ActivateCell(ring, slot, powerUp);
  if (mListener) mListener->RequestNextStep();
  if (mMetrics) mMetrics->CountPowerUpClicked();
}

}  // namespace GamePlay
