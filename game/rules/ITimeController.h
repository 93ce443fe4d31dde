#pragma once

namespace GamePlay {

// The level timer.
class ITimeController {
 public:
  // Hears of time added to the level timer.
  class ITimeBoostHandler {
   public:
    virtual ~ITimeBoostHandler() = default;
    // The elapsed fractions of the level time before and after the boost.
    virtual void OnTimeBoost(float elapsedBefore, float elapsedAfter) = 0;
  };

  virtual ~ITimeController() = default;
};

}  // namespace GamePlay
