#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/effects/IFlashingController.h"
#include "game/rules/control/IClockProxy.h"

namespace GUI {

// Beats with the level's tempo: both values rise from 0 to 1 at mid-beat and
// fall back to 0 at each beat; the accent reaches 1 only on every fourth beat
// (0.5 on the others). It runs on a game clock, so pausing the game freezes
// it. Beats are counted in the clock's whole milliseconds, so a tempo whose
// beat is shorter than 1 ms (0, negative, above 60,000 a minute) or longer
// than the clock's range is refused with a log line, and its values stay 0.
class TBpmFlasher final : public IFlashingController {
 public:
  explicit TBpmFlasher(float beatsPerMinute);

  // The next beat begins now.
  void Reset() override;
  float GetAccentValue() override;
  float GetPulseValue() override;
  void Update(float seconds) override;

 private:
  float mAccent = 0.0f;
  float mPulse = 0.0f;
  double mPeriod = 0.0;        // milliseconds per beat
  uint32_t mWholePeriod = 0;   // 0 when the tempo was refused
  uint32_t mStartTime = 0;
  std::unique_ptr<GamePlay::IClockProxy> mClock;
};

}  // namespace GUI
