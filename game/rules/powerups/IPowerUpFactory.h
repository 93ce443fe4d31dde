#pragma once

#include <cstdint>

#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

// Makes the power-ups of a level with their views and level values.
class IPowerUpFactory {
 public:
  // Creation codes of CreatePowerUp.
  enum TCode : int32_t {
    kLockBreaker = 0,
    kGearBreaker = 1,
    kTimeBomb = 2,  // a small cross bomb on levels without a timer
    kRingBomb = 3,
    kSmallCrossBomb = 4,
    kAreaBomb = 5,
    kColourBomb = 6,
    kChangeColour = 7,
  };

  virtual ~IPowerUpFactory() = default;

  // Empty for a code not listed.
  virtual TPowerUpPtr CreatePowerUp(int32_t code) = 0;
  virtual TPowerUpPtr CreateLock() = 0;
  virtual TPowerUpPtr CreateGear() = 0;
  // An empty pointer.
  virtual TPowerUpPtr CreateNone() = 0;
};

}  // namespace GamePlay
