#include "game/rules/control/TClickDragTowerControl.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/control/IRingTurnListener.h"
#include "game/rules/scoring/IMetricsRecorder.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "platform/types/TVec2.h"

namespace GamePlay {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Drag vectors shorter than this have no direction.
constexpr float kShortestDrag = 0.01f;
// "Ring Rotate Sound" plays at most once in this many ms.
constexpr uint32_t kRotateSoundSpacing = 100;

}  // namespace

TClickDragTowerControl::TClickDragTowerControl(float clickRate, float snapRate,
                                               float clickDelayRate, uint32_t highlightDelay,
                                               ITowerModel* model, ITowerView* view,
                                               ISoundFactoryView* sound, IMetricsRecorder* metrics)
    : mModel(model),
      mView(view),
      mSound(sound),
      mPicker(model, view),
      mTurner(model, view, sound),
      mAnimator(&mTurner, &mLocks, view, model->GetRingCount(), clickRate, snapRate,
                clickDelayRate),
      mHover(model, view, sound),
      mHighlighter(model, view, highlightDelay),
      mMetrics(metrics),
      mClock(TClockProxyRegistry::Instance().CreateClockProxy()),
      mMoves(&mTurner, view) {
  mClock->Start();
}

TClickDragTowerControl::~TClickDragTowerControl() = default;

void TClickDragTowerControl::AddSubController(std::unique_ptr<ITowerControlPolicy> policy) {
  mPolicies.push_back(std::move(policy));
}

bool TClickDragTowerControl::PickCell(const TPoint& point, int32_t& ring, int32_t& slot) {
  float angle = 0;
  return mPicker.Pick(point, ring, slot, angle, false);
}

void TClickDragTowerControl::RefreshHoverFrom(const TPoint& point, bool refusedDrag) {
  int32_t ring = -1;
  int32_t slot = -1;
  if (!PickCell(point, ring, slot)) ring = -1;
  mHover.Set(ring, slot, mHeld, refusedDrag);
}

void TClickDragTowerControl::DropRing() {
  mLocks.Unlock(TInputLock::RingDrag);
  if (mSelectedRing != -1) mTurner.SetDragAngle(mSelectedRing, 0);
  mSelectedRing = -1;
}

void TClickDragTowerControl::OnPress(const TPoint& point) {
  mHeld = true;
  if (mLocks.IsAnyLocked() || mModel->IsComboRunning() || mModel->CanDeliver()) {
    DropRing();
    return;
  }
  int32_t ring = -1;
  int32_t slot = -1;
  if (!PickCell(point, ring, slot) || mModel->IsRingBusy(ring) || mRefusedRings.count(ring)) {
    mSelectedRing = -1;
  } else {
    TPoint centre = mView->GetCentre();
    mSelectedRing = ring;
    mGrab = {point.x - centre.x, point.y - centre.y};
    mLocks.Lock(TInputLock::RingDrag);
  }
  RefreshHoverFrom(point, false);
}

void TClickDragTowerControl::RePress(const TPoint& point) {
  if (mHeld) OnPress(point);
}

void TClickDragTowerControl::PointAtJug(bool overCell, int32_t slot) {
  IScoringModel* scoring = mModel->GetScoring();
  // A level without jugs has nothing to point at.
  IPieceJugModel* jugs = scoring ? scoring->GetPieceJug() : nullptr;
  if (jugs) jugs->SetCurrentJug(overCell ? slot : -1);
}

std::optional<float> TClickDragTowerControl::DragAngle(const TPoint& point) {
  TPoint centre = mView->GetCentre();
  TVec2 grab(static_cast<float>(mGrab.x), static_cast<float>(mGrab.y));
  TVec2 to(static_cast<float>(point.x - centre.x), static_cast<float>(point.y - centre.y));
  if ((grab - to).Length() < kShortestDrag || grab.Length() < kShortestDrag ||
      to.Length() < kShortestDrag) {
    return std::nullopt;
  }
  grab.Normalize();
  to.Normalize();
  float angle = std::acos(std::clamp(grab.Dot(to), -1.0f, 1.0f));
  float cross = grab.x * to.y - to.x * grab.y;
  return cross < 0 ? -angle : angle;
}

void TClickDragTowerControl::PlayRotateSound() {
  uint32_t now = mClock->GetTime();
  if (!mLastRotateSound) mLastRotateSound = now;
  if (now - *mLastRotateSound <= kRotateSoundSpacing) return;
  mSound->PlayRingRotate();
  mLastRotateSound = now;
}

void TClickDragTowerControl::OnMove(const TPoint& point) {
  int32_t ring = -1;
  int32_t slot = -1;
  bool overCell = PickCell(point, ring, slot);
  PointAtJug(overCell, slot);
  if (mSelectedRing == -1) {
    if (overCell) {
      mHighlighter.Set(ring, slot);
    } else {
      mHighlighter.Clear();
    }
    RefreshHoverFrom(point, false);
    return;
  }
  std::optional<float> angle = DragAngle(point);
  if (!angle) return;
  if (mLocks.IsAnyLockedExcept(TInputLock::RingDrag)) {
    DropRing();
    return;
  }
  if (mTurner.SetDragAngle(mSelectedRing, *angle)) {
    RefreshHoverFrom(point, true);
    return;
  }
  PlayRotateSound();
  mHighlighter.Set(mSelectedRing, 0);
  mHover.Set(mSelectedRing, 0, mHeld, false);
}

void TClickDragTowerControl::OnRelease(const TPoint& point) {
  mHeld = false;
  if (mSelectedRing == -1) return;
  mLocks.Unlock(TInputLock::RingDrag);
  if (mLocks.IsAnyLocked()) {
    DropRing();
    return;
  }
  Snap(point);
}

// The whole slots of the drag turn the tower at once. The snap animation
// then runs on to the next slot and commits one more slot in its own
// direction, so where the rest is at most half a slot one slot more is
// turned first and the animation takes it back: the ring ends at the
// nearest slot.
void TClickDragTowerControl::Snap(const TPoint& point) {
  int32_t ring = mSelectedRing;
  float drawn = mView->GetRingAngle(ring);
  mTurner.SetDragAngle(ring, 0);
  if (drawn > kPi) drawn -= kFullTurn;
  int32_t direction = drawn < 0 ? -1 : 1;
  float slotAngle = mTurner.GetSlotAngle();
  float rest = std::fabs(drawn);
  int32_t turns = 0;
  while (rest > slotAngle) {
    mTurner.TurnOneSlot(ring, direction);
    rest -= slotAngle;
    ++turns;
  }
  if (rest <= slotAngle * 0.5f) {
    mTurner.TurnOneSlot(ring, direction);
    mAnimator.StartSnap(ring, -direction * (slotAngle - rest));
  } else {
    mAnimator.StartSnap(ring, direction * rest);
    ++turns;
  }
  mSound->PlayRingSnap();
  if (turns > 0) CountTurn(ring, direction * turns);
  mView->SetRingMark(ring, kRingMarkNone);
  CheckState();
  mSelectedRing = -1;
  RefreshHoverFrom(point, false);
}

void TClickDragTowerControl::CountTurn(int32_t ring, int32_t steps) {
  if (mTurnListener) mTurnListener->OnRingTurned();
  if (mMetrics) mMetrics->CountRingTurn();
  mView->OnRingTurned(ring, steps);
}

bool TClickDragTowerControl::StartFallOrMatch() {
  if (mModel->ApplyGravity()) {
    mSound->PlayPieceFall();
    mLocks.Lock(TInputLock::Gravity);
    return true;
  }
  if (mModel->CheckMatches()) {
    mSound->OnMatchFound();
    mLocks.Lock(TInputLock::MatchRemoval);
    return true;
  }
  return false;
}

void TClickDragTowerControl::CheckState() {
  if (mLocks.IsAnyLocked() || StartFallOrMatch()) return;
  IScoringModel* scoring = mModel->GetScoring();
  if (scoring && scoring->IsStuck()) EndNoMove();
}

void TClickDragTowerControl::Update() {
  if (mAnimator.Step() && !mLocks.IsAnyLocked()) StartFallOrMatch();
  for (auto& policy : mPolicies) policy->Update();
  CheckState();
  mHighlighter.Update();
  mHover.Refresh();
  mMoves.Update();
}

bool TClickDragTowerControl::EndPlayOnce() {
  if (mLocks.IsLocked(TInputLock::EndOfPlay)) return false;
  if (IScoringModel* scoring = mModel->GetScoring()) scoring->CommitTotal();
  mLocks.Lock(TInputLock::EndOfPlay);
  return true;
}

void TClickDragTowerControl::EndPlay() { EndPlayOnce(); }

// The level timer calls this on every update once the time has run out:
// only the call that ends the play shows the message.
void TClickDragTowerControl::EndTimeUp() {
  if (EndPlayOnce()) mView->ShowTimeUpMessage();
}

void TClickDragTowerControl::EndNoMove() {
  if (EndPlayOnce()) mView->ShowNoMoveMessage();
}

void TClickDragTowerControl::EndLevel() {
  if (mLocks.IsLocked(TInputLock::EndOfPlay)) return;
  mLocks.Lock(TInputLock::EndOfPlay);
  mView->OnLevelEnd();
}

}  // namespace GamePlay
