#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/ITowerControlPolicy.h"
#include "game/rules/powerups/TCellPicker.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/control/TRingMarks.h"
#include "game/rules/control/TRingMoveAnimator.h"
#include "game/rules/control/TRingRotationAnimator.h"
#include "game/rules/control/TRingTurner.h"

namespace GamePlay {

class IMetricsRecorder;
class IRingTurnListener;

// The player drags a ring round the tower centre: a press grabs the ring
// under the pointer, moves turn it on screen together with the rings that
// locks and gears link to it, and the release commits the whole slots and
// snaps the rest to the nearest slot. The control also owns the input
// locks, runs the control policies in each update, checks after every move
// whether pieces fall, match or can no longer match, marks the ring under
// the pointer, plays queued ring moves and ends the play.
class TClickDragTowerControl final : public ITowerControl {
 public:
  // clickRate: radians per update of a ring that snaps back without having
  // been dragged; snapRate: the same for a released ring snapping to its
  // slot; clickDelayRate: the part of the snap's delay that passes per
  // update (the snap commits once it has all passed); highlightDelay: ms the
  // pointer rests on a ring before it is highlighted. Neither the model,
  // the views nor the metrics (which may be null) are owned.
  TClickDragTowerControl(float clickRate, float snapRate, float clickDelayRate,
                         uint32_t highlightDelay, ITowerModel* model, ITowerView* view,
                         ISoundFactoryView* sound, IMetricsRecorder* metrics);
  ~TClickDragTowerControl() override;
  TClickDragTowerControl(const TClickDragTowerControl&) = delete;
  TClickDragTowerControl& operator=(const TClickDragTowerControl&) = delete;

  void OnPress(const TPoint& point) override;
  void OnRelease(const TPoint& point) override;
  void RePress(const TPoint& point) override;
  void OnButton(const TPoint&) override {}
  void OnMove(const TPoint& point) override;
  void AddSubController(std::unique_ptr<ITowerControlPolicy> policy) override;
  TInputLocks* GetInputLocks() override { return &mLocks; }
  void EndTimeUp() override;
  void EndNoMove() override;
  void EndPlay() override;
  void EndLevel() override;
  ITowerModel* GetModel() override { return mModel; }
  ITowerView* GetView() override { return mView; }
  ISoundFactoryView* GetSoundView() override { return mSound; }
  void Update() override;
  void ClearRefusedRings() override { mRefusedRings.clear(); }
  void AddRefusedRing(int32_t ring) override { mRefusedRings.insert(ring); }
  void QueueMove(int32_t ring, int32_t steps) override { mMoves.Queue(ring, steps); }
  void SetFlag(bool on) override { mFlag = on; }
  bool GetFlag() override { return mFlag; }

  // Told of every ring turn the player completes; may be null.
  void SetTurnListener(IRingTurnListener* listener) { mTurnListener = listener; }

 private:
  // The signed angle from the grab point to the point round the tower
  // centre, clockwise positive; none when either is too near the centre or
  // the point has not moved.
  std::optional<float> DragAngle(const TPoint& point);
  // Lets go of the grabbed ring, showing it where it stands in the tower.
  void DropRing();
  // The cell under the point, vacant or not.
  bool PickCell(const TPoint& point, int32_t& ring, int32_t& slot);
  void RefreshHoverFrom(const TPoint& point, bool refusedDrag);
  // The jug of the slot under the point becomes the current one.
  void PointAtJug(bool overCell, int32_t slot);
  void PlayRotateSound();
  // Commits the whole slots of the released ring's drag and snaps the rest.
  void Snap(const TPoint& point);
  // The player turned the ring by steps slots.
  void CountTurn(int32_t ring, int32_t steps);
  // Lets pieces fall, else removes matches: returns whether either began.
  bool StartFallOrMatch();
  // After every move: falls, matches, or the end when no move is left.
  void CheckState();
  // Ends the play; returns whether this call ended it.
  bool EndPlayOnce();

  ITowerModel* mModel;
  ITowerView* mView;
  ISoundFactoryView* mSound;
  IRingTurnListener* mTurnListener = nullptr;
  TInputLocks mLocks;
  TCellPicker mPicker;
  TRingTurner mTurner;
  TRingRotationAnimator mAnimator;
  TRingHover mHover;
  TRingHighlighter mHighlighter;
  bool mHeld = false;
  int32_t mSelectedRing = -1;
  TPoint mGrab;  // the press point less the tower centre
  IMetricsRecorder* mMetrics;
  std::unique_ptr<IClockProxy> mClock;
  // On the control's clock, so that every level starts afresh; taken at the
  // first drag move, so that the spacing counts from there.
  std::optional<uint32_t> mLastRotateSound;
  std::set<int32_t> mRefusedRings;
  TRingMoveAnimator mMoves;
  bool mFlag = true;
  std::vector<std::unique_ptr<ITowerControlPolicy>> mPolicies;
};

}  // namespace GamePlay
