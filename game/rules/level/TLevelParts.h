#pragma once

#include <memory>

#include "game/rules/level/TBlockerLayout.h"
#include "game/rules/level/TLevelSettings.h"

namespace GamePlay {

class TStandardPieceFactory;
class TStandardPowerUpFactory;

// What one level's ring generator and tower share and point into: its piece
// and power-up factories, its settings and its blocker layout. The tower
// factory makes one per level and hands it to the generator and tower it
// builds, which hold it; so a level's parts stay sound until the last of its
// objects is gone, whatever the order in which the play window replaces
// them.
struct TLevelParts {
  TLevelParts(const TLevelSettings& levelSettings,
              std::unique_ptr<TStandardPieceFactory> pieceFactory,
              std::unique_ptr<TStandardPowerUpFactory> powerUpFactory, bool colouredBlocker);
  ~TLevelParts();
  TLevelParts(const TLevelParts&) = delete;
  TLevelParts& operator=(const TLevelParts&) = delete;

  std::unique_ptr<TStandardPieceFactory> pieces;
  std::unique_ptr<TStandardPowerUpFactory> powerUps;
  TLevelSettings settings;
  TBlockerLayout layout;  // made from the settings
};

}  // namespace GamePlay
