#pragma once

#include <cstdint>

#include "game/gui/effects/IFlashingController.h"
#include "platform/time/TClock.h"

namespace GUI {

// Clocks a frame animation by its own clock, started when it is made: the
// accent value is the position in the run, 0 at its start. Looping, it ramps
// from 0 to just below 1 once per period; otherwise it rises to 1 and stays
// there, on the last frame.
class TAnimGraphicController final : public IFlashingController {
 public:
  TAnimGraphicController(float framesPerSecond, uint32_t frameCount);

  void Reset() override {}
  float GetAccentValue() override;
  float GetPulseValue() override { return 1.0f; }
  void Update(float) override {}

  bool IsLooping() const { return mLooping; }
  void SetLooping(bool looping) { mLooping = looping; }
  // A run that does not loop has reached its end.
  bool IsRunFinished() const;
  // Runs again from the first frame.
  void Restart();

 private:
  TClock mClock;
  float mPeriod;           // milliseconds, at least 1
  uint32_t mWholePeriod;   // the period truncated
  bool mLooping = true;
};

}  // namespace GUI
