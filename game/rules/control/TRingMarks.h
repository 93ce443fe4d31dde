#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/control/IClockProxy.h"

namespace GamePlay {

class ISoundFactoryView;
class ITowerModel;
class ITowerView;

// The marks the tower view shows on whole rings.
enum TRingMark : int32_t {
  kRingMarkNone = 0,
  kRingMarkHover = 1,
  kRingMarkBusy = 2,         // a busy ring under the pointer
  kRingMarkBusyPressed = 3,  // a busy ring pressed
};

void ClearRingMarks(ITowerModel& model, ITowerView& view);

// Highlights the ring under the pointer once the pointer has rested on it
// for a delay.
class TRingHighlighter {
 public:
  TRingHighlighter(ITowerModel* model, ITowerView* view, uint32_t delay);

  // The pointer is over the cell; a new ring starts the delay again.
  void Set(int32_t ring, int32_t slot);
  // The pointer is over no ring.
  void Clear();
  void Update();

 private:
  ITowerModel* mModel;
  ITowerView* mView;
  std::unique_ptr<IClockProxy> mClock;
  int32_t mRing = -1;
  int32_t mSlot = -1;
  uint32_t mDelay;
};

// The cell under the pointer and whether it may be dragged: a busy ring, or
// one whose drag was refused, is marked busy, and pressing on it sounds
// "Blocker Turn" once per press.
class TRingHover {
 public:
  TRingHover(ITowerModel* model, ITowerView* view, ISoundFactoryView* sound)
      : mModel(model), mView(view), mSound(sound) {}

  // ring -1: the pointer is over no ring.
  void Set(int32_t ring, int32_t slot, bool held, bool refusedDrag);
  // Brings the marks up to date; every update does.
  void Refresh();

 private:
  // Clears the marks and marks the ring busy, sounding when it is newly
  // pressed.
  void MarkBusy();

  ITowerModel* mModel;
  ITowerView* mView;
  ISoundFactoryView* mSound;
  int32_t mRing = -1;
  int32_t mSlot = -1;
  bool mHeld = false;
  bool mRefusedDrag = false;
  // "Blocker Turn" sounded for this press of this ring.
  int32_t mSoundedRing = -1;
};

}  // namespace GamePlay
