#pragma once

#include "game/rules/control/IRateController.h"

namespace GamePlay {

// The level timer. Its rate is the elapsed fraction of the level time
// (0 at the start, 1 when the time is up).
class ITimeController : public IRateController {
 public:
  // Hears of time added to the level timer.
  class ITimeBoostHandler {
   public:
    virtual ~ITimeBoostHandler() = default;
    // The elapsed fractions of the level time before and after the boost.
    virtual void OnTimeBoost(float elapsedBefore, float elapsedAfter) = 0;
  };

  // AddTime(fraction) takes that fraction of the level time off the time
  // left; a negative fraction gives time back, up to the full level time.

  // The handler is not owned; it must be removed before it goes.
  virtual void AddTimeBoostHandler(ITimeBoostHandler* handler) = 0;
  // A handler not added is ignored.
  virtual void RemoveTimeBoostHandler(ITimeBoostHandler* handler) = 0;
};

}  // namespace GamePlay
