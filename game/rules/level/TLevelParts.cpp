#include "game/rules/level/TLevelParts.h"

#include "game/rules/pieces/TStandardPieceFactory.h"
#include "game/rules/powerups/TStandardPowerUpFactory.h"

namespace GamePlay {

TLevelParts::TLevelParts(const TLevelSettings& levelSettings,
                         std::unique_ptr<TStandardPieceFactory> pieceFactory,
                         std::unique_ptr<TStandardPowerUpFactory> powerUpFactory,
                         bool colouredBlocker)
    : pieces(std::move(pieceFactory)),
      powerUps(std::move(powerUpFactory)),
      settings(levelSettings),
      layout(settings, colouredBlocker) {}

TLevelParts::~TLevelParts() = default;

}  // namespace GamePlay
