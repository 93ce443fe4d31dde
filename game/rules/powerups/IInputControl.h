#pragma once

#include "game/rules/tower/TPoint.h"

namespace GamePlay {

// A listener to the pointer over the tower besides the tower control; the
// play window tells every one of them while the game is not paused.
class IInputControl {
 public:
  virtual ~IInputControl() = default;
  virtual void OnPress(const TPoint& point) = 0;
  virtual void OnRelease(const TPoint& point) = 0;
  virtual void OnMove(const TPoint& point) = 0;
};

}  // namespace GamePlay
