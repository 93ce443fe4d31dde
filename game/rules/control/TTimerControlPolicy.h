#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/control/ITowerControlPolicy.h"

namespace GamePlay {

class ITowerControl;

// The level timer of a timed level. It starts with the first update in which
// the tower view shows no message, stands still while it shows one, and runs
// on the game clock. Below an eighth of the time left it keeps the warning
// sound going. When the time left falls below 0 the play ends with the
// time-up end, once per crossing; a tutorial timer stays at 0 instead. Once
// the play has ended (the end-of-play lock is held) it stops counting.
class TTimerControlPolicy final : public ITowerControlPolicy, public ITimeController {
 public:
  static constexpr float kAlmostOutFraction = 0.125f;

  // control: not owned, outlives the policy. totalTime: the level time, ms.
  // noTimeOut: the tutorial flag.
  TTimerControlPolicy(ITowerControl* control, float totalTime, bool noTimeOut);

  void Update() override;
  // The elapsed fraction of the level time; 0 for a level time of 0.
  float GetRate() override;
  // Takes fraction x the level time off the time left; a negative fraction
  // gives time back, up to the whole level time, and the boost handlers hear
  // of it.
  void AddTime(float fraction) override;
  void AddTimeBoostHandler(ITimeBoostHandler* handler) override;
  void RemoveTimeBoostHandler(ITimeBoostHandler* handler) override;

  float GetRemaining() const { return mRemaining; }

 private:
  // The time left passed by the elapsed time; ends the play when it crossed 0.
  void CountDown(uint32_t elapsed);
  void WarnWhenAlmostOut();
  float RemainingFraction() const;

  float mTotal;
  float mRemaining;
  uint32_t mLastReading = 0;
  bool mNoTimeOut;
  std::vector<ITimeBoostHandler*> mHandlers;
  bool mStarted = false;
  std::unique_ptr<IClockProxy> mClock;
  ITowerControl* mControl;
};

}  // namespace GamePlay
