#pragma once

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

// How the game is being played, as far as the rules ask.
class IPlayMode {
 public:
  virtual ~IPlayMode() = default;

  // Counter pieces run down by ring turns instead of time.
  virtual bool IsCountMode() const = 0;
  // The game plays its tutorial levels.
  virtual bool IsTutorialMode() const = 0;
  // The player has seen the level's tutorial, or skips tutorials.
  virtual bool IsTutorialSeen(const TLevelKey& level) const = 0;
};

}  // namespace GamePlay
