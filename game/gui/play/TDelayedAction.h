#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "game/rules/control/IClockProxy.h"

namespace GUI {

// One callback run once a game clock has gone past its delay. The clock
// comes from the clock-proxy registry, so pausing the game holds the
// callback back, and it is never run while the registry is suspended.
class TDelayedAction {
 public:
  static constexpr uint32_t kDefaultDelay = 1000;

  TDelayedAction();

  // Replaces the pending callback and counts the delay from now.
  void Set(std::function<void()> callback, uint32_t delayMs);
  bool IsPending() const { return static_cast<bool>(mCallback); }
  // Runs the callback when it is due. The callback may delete this object:
  // nothing of it is touched once the callback has started.
  void Poll();

 private:
  std::function<void()> mCallback;
  std::unique_ptr<GamePlay::IClockProxy> mClock;
  uint32_t mDelay = kDefaultDelay;
};

}  // namespace GUI
