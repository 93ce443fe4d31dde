#pragma once

#include <memory>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/IRingTurnListener.h"
#include "game/rules/control/ITowerControlPolicy.h"

namespace GamePlay {

class ITowerControl;

// Runs the counter blockers of a Zen level down: in time mode by the game
// time that passed times the counter rate, in count mode by 10 for every
// ring turn the player commits. While any input lock is held nothing is
// counted (the time is counted once the locks are free); a counter that
// shows 0 gives way to the blocker inside it.
class TCounterPieceControlPolicy final : public ITowerControlPolicy, public IRingTurnListener {
 public:
  static constexpr float kTurnCount = 10;

  // control: not owned, outlives the policy. counterRate: count per ms.
  TCounterPieceControlPolicy(ITowerControl* control, bool timeMode, float counterRate)
      : mControl(control), mCounterRate(counterRate), mTimeMode(timeMode) {}

  void Update() override;
  // The tower control committed a ring turn.
  void OnRingTurned() override;

 private:
  // The game time since the last count, ms; the clock starts on first use.
  float TakeElapsed();

  ITowerControl* mControl;
  float mCounterRate;
  bool mTimeMode;
  std::unique_ptr<IClockProxy> mClock;
};

}  // namespace GamePlay
