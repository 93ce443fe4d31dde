#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/rules/IPowerUpFactory.h"

// Makes recording power-ups of the kind each creation code stands for, and
// writes down every request ("PowerUp 4", "Lock", "Gear"). Codes outside
// the factory's range give none, as the game's factory does.
class KitPowerUpFactory final : public GamePlay::IPowerUpFactory {
 public:
  std::vector<std::string> made;

  GamePlay::TPowerUpPtr CreatePowerUp(int32_t code) override;
  GamePlay::TPowerUpPtr CreateLock() override;
  GamePlay::TPowerUpPtr CreateGear() override;
};
