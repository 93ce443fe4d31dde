#pragma once

#include "game/rules/powerups/TPowerUpBase.h"

namespace GamePlay {

class ITimeController;

// Gives the level timer back a share of the level time.
class TTimeBombPowerUp final : public TPowerUpBase {
 public:
  // amount: the share of the level time; the timer is not owned.
  TTimeBombPowerUp(ITimeController* timer, float amount) : mAmount(amount), mTimer(timer) {}

  TPowerUpKind GetKind() const override { return TPowerUpKind::TimeBomb; }
  void Activate(int32_t ring, int32_t slot, ITowerModel* model, TPowerUpPtr self) override;

 private:
  float mAmount;
  ITimeController* mTimer;
};

}  // namespace GamePlay
