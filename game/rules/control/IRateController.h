#pragma once

namespace GamePlay {

// Something that runs at a rate the presentation can read, and that can be
// given time.
class IRateController {
 public:
  virtual ~IRateController() = default;

  virtual float GetRate() = 0;
  virtual void AddTime(float value) = 0;
};

}  // namespace GamePlay
