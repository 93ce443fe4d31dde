#pragma once

#include "game/rules/powerups/TPowerUpBase.h"

namespace GamePlay {

// Locks and gears act by being there: a lock anywhere in a ring makes it
// and the ring below turn together, a gear makes the ring below turn the
// other way (see FindLinkedRings). Setting one off does nothing; the tower
// breaks them when a piece next to them is taken out. Their views always
// show them whole.
class TLinkPowerUp : public TPowerUpBase {
 public:
  void Activate(int32_t, int32_t, ITowerModel*, TPowerUpPtr) override {}
  float GetTimer() override { return 1.0f; }
  void SetTimer(float) override {}
};

class TLockPowerUp final : public TLinkPowerUp {
 public:
  TPowerUpKind GetKind() const override { return TPowerUpKind::Lock; }
};

class TGearPowerUp final : public TLinkPowerUp {
 public:
  TPowerUpKind GetKind() const override { return TPowerUpKind::Gear; }
};

// Takes every power-up of one kind (locks or gears) off the pieces of the
// tower.
class TLinkBreakerPowerUp : public TPowerUpBase {
 public:
  void Activate(int32_t ring, int32_t slot, ITowerModel* model, TPowerUpPtr self) override;

 protected:
  explicit TLinkBreakerPowerUp(TPowerUpKind breaks) : mBreaks(breaks) {}

 private:
  TPowerUpKind mBreaks;
};

class TLockBreakerPowerUp final : public TLinkBreakerPowerUp {
 public:
  TLockBreakerPowerUp() : TLinkBreakerPowerUp(TPowerUpKind::Lock) {}
  TPowerUpKind GetKind() const override { return TPowerUpKind::LockBreaker; }
};

class TGearBreakerPowerUp final : public TLinkBreakerPowerUp {
 public:
  TGearBreakerPowerUp() : TLinkBreakerPowerUp(TPowerUpKind::Gear) {}
  TPowerUpKind GetKind() const override { return TPowerUpKind::GearBreaker; }
};

}  // namespace GamePlay
