#pragma once

#include <cstdint>

#include "game/rules/TPiecePtr.h"

namespace GamePlay {

// What the power-up factory makes for a creation code. The ring generator
// rolls codes below the number of colours in play; level tables name the
// others.
enum TPowerUpCode : int32_t {
  kLockBreakerCode = 0,
  kGearBreakerCode = 1,
  // A time bomb on timed levels, a small cross bomb where no timer runs.
  kTimeBombCode = 2,
  kRingBombCode = 3,
  kSmallBombCode = 4,
  kAreaBombCode = 5,
  kColorBombCode = 6,
  kChangeColorCode = 7,
};

// Makes the power-ups of a level, each with its view and the level's
// parameters.
class IPowerUpFactory {
 public:
  virtual ~IPowerUpFactory() = default;

  // Empty for a code that names no power-up.
  virtual TPowerUpPtr CreatePowerUp(int32_t code) = 0;
  virtual TPowerUpPtr CreateLock() = 0;
  virtual TPowerUpPtr CreateGear() = 0;
};

}  // namespace GamePlay
