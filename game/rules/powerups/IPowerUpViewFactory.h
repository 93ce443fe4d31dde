#pragma once

#include <memory>

#include "game/rules/powerups/IPowerUpView.h"

namespace GamePlay {

class IPowerUp;

// Makes the view of every power-up the rules create.
class IPowerUpViewFactory {
 public:
  virtual ~IPowerUpViewFactory() = default;
  virtual std::shared_ptr<IPowerUpView> CreatePowerUpView(const std::shared_ptr<IPowerUp>& powerUp) = 0;
};

}  // namespace GamePlay
