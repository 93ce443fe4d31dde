#pragma once

#include <cstdint>

namespace GamePlay {

// A game clock handed out by the clock-proxy registry, so that pausing the game
// stops every clock of the model at once. Restarting from 0 is Stop, then Start.
class IClockProxy {
 public:
  virtual ~IClockProxy() = default;
  // Marks the clock running; it runs unless the game clocks are paused.
  virtual void Start() = 0;
  // Marks the clock stopped and sets it to 0; while the game clocks are
  // paused the old value stays readable until they resume.
  virtual void Stop() = 0;
  // Milliseconds; frozen while the game clocks are paused.
  virtual uint32_t GetTime() = 0;
};

}  // namespace GamePlay
