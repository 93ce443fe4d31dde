#pragma once

#include "game/gui/effects/IFlashingController.h"
#include "game/rules/control/IRateController.h"

namespace GUI {

// Follows a rate of the rules model (the delivery of new rings): both values
// are the rate read at the last update.
class TDeliverFlasher final : public IFlashingController {
 public:
  // The source is not owned and must outlive the flasher's updates.
  explicit TDeliverFlasher(GamePlay::IRateController* rateSource) : mRateSource(rateSource) {}

  void Reset() override {}
  float GetAccentValue() override { return mValue; }
  float GetPulseValue() override { return mValue; }
  void Update(float seconds) override;

 private:
  float mValue = 0.0f;
  GamePlay::IRateController* mRateSource;
};

}  // namespace GUI
