#pragma once

namespace GUI {

// A value between 0 and 1 that pulses in time, read by the views that make
// pieces, rings and animations follow it.
class IFlashingController {
 public:
  virtual ~IFlashingController() = default;

  // Starts the pulse again from its beginning.
  virtual void Reset() = 0;
  // The strong pulse, and the plain one beside it.
  virtual float GetAccentValue() = 0;
  virtual float GetPulseValue() = 0;
  // Called on every update tick; seconds since the one before.
  virtual void Update(float seconds) = 0;
};

}  // namespace GUI
