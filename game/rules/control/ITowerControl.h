#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/tower/TPoint.h"

namespace GamePlay {

class ISoundFactoryView;
class ITowerControlPolicy;
class ITowerModel;
class ITowerView;
class TInputLocks;

// Pointer input of the tower and the per-update step of play. It owns the
// input locks, through which everything else that moves the tower keeps out
// of the way, and it ends the play. Points are window pixels.
class ITowerControl {
 public:
  virtual ~ITowerControl() = default;

  virtual void OnPress(const TPoint& point) = 0;
  virtual void OnRelease(const TPoint& point) = 0;
  // A press again while the button is still held.
  virtual void RePress(const TPoint& point) = 0;
  virtual void OnButton(const TPoint& point) = 0;
  virtual void OnMove(const TPoint& point) = 0;
  // The control owns the policies and runs them in the order added.
  virtual void AddSubController(std::unique_ptr<ITowerControlPolicy> policy) = 0;
  virtual TInputLocks* GetInputLocks() = 0;
  // The time ran out: the play ends with the time-up message.
  virtual void EndTimeUp() = 0;
  // No move is left: the play ends with the no-move message.
  virtual void EndNoMove() = 0;
  // Unless the play has ended already, the scoring model commits the total
  // and the end-of-play lock is taken.
  virtual void EndPlay() = 0;
  // The level is won: unless the play has ended already, the end-of-play
  // lock is taken and the tower view starts the end-of-level sequence.
  virtual void EndLevel() = 0;
  virtual ITowerModel* GetModel() = 0;
  virtual ITowerView* GetView() = 0;
  virtual ISoundFactoryView* GetSoundView() = 0;
  // The step of every 10 ms update.
  virtual void Update() = 0;
  virtual void ClearRefusedRings() = 0;
  // A refused ring cannot be grabbed.
  virtual void AddRefusedRing(int32_t ring) = 0;
  // Turns a ring by steps slots (positive: to the right) with an animation.
  virtual void QueueMove(int32_t ring, int32_t steps) = 0;
  // Whether power-up pieces may be set off by clicks (on at the start).
  virtual void SetFlag(bool on) = 0;
  virtual bool GetFlag() = 0;
};

}  // namespace GamePlay
