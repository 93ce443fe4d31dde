#include "game/rules/control/TRingMarks.h"

#include "game/rules/pieces/IPiece.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/control/TClockProxyRegistry.h"

namespace GamePlay {

void ClearRingMarks(ITowerModel& model, ITowerView& view) {
  for (int32_t ring = 0; ring < static_cast<int32_t>(model.GetRingCount()); ++ring) {
    view.SetRingMark(ring, kRingMarkNone);
  }
}

TRingHighlighter::TRingHighlighter(ITowerModel* model, ITowerView* view, uint32_t delay)
    : mModel(model),
      mView(view),
      mClock(TClockProxyRegistry::Instance().CreateClockProxy()),
      mDelay(delay) {}

void TRingHighlighter::Set(int32_t ring, int32_t slot) {
  if (ring != mRing) {
    mClock->Stop();
    mClock->Start();
    ClearRingMarks(*mModel, *mView);
  }
  mRing = ring;
  mSlot = slot;
  Update();
}

void TRingHighlighter::Clear() {
  mRing = -1;
  ClearRingMarks(*mModel, *mView);
}

void TRingHighlighter::Update() {
  if (mRing == -1 || mClock->GetTime() < mDelay) return;
  ClearRingMarks(*mModel, *mView);
  if (!mModel->GetPiece(mRing, mSlot)->IsVoid()) mView->SetRingMark(mRing, kRingMarkHover);
}

void TRingHover::Set(int32_t ring, int32_t slot, bool held, bool refusedDrag) {
  mRing = ring;
  mSlot = slot;
  mHeld = held;
  mRefusedDrag = refusedDrag;
  Refresh();
}

void TRingHover::Refresh() {
  bool pressedBusy = false;
  if (mRing != -1) {
    if (mModel->GetPiece(mRing, mSlot)->IsVoid()) {
      ClearRingMarks(*mModel, *mView);
    } else if (mRefusedDrag || mModel->IsRingBusy(mRing)) {
      pressedBusy = mHeld;
      MarkBusy();
    }
  }
  if (!pressedBusy) mSoundedRing = -1;
}

void TRingHover::MarkBusy() {
  ClearRingMarks(*mModel, *mView);
  mView->SetRingMark(mRing, mHeld ? kRingMarkBusyPressed : kRingMarkBusy);
  if (!mHeld || mSoundedRing == mRing || mView->IsShowingMessage() || mView->IsLoseFlowArmed()) return;
  mSound->PlayBlockerTurn();
  mSoundedRing = mRing;
}

}  // namespace GamePlay
