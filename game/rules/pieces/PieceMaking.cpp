#include "game/rules/pieces/PieceMaking.h"

#include <algorithm>

#include "game/rules/pieces/IPiece.h"
#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/powerups/IPowerUpFactory.h"

namespace GamePlay {

int32_t ColoursInPlay(IPieceFactory& pieces) {
  return std::clamp(pieces.GetColoursInUse(), 1, kMostColours);
}

int32_t DrawableColour(int32_t colour, int32_t coloursInPlay) {
  if (colour == IPiece::kNoColour || colour < coloursInPlay) return colour;
  return coloursInPlay - 1;
}

TPiecePtr MakePowerUpPiece(IPieceFactory& pieces, IPowerUpFactory& powerUps, int32_t code,
                           int32_t colour) {
  TPowerUpPtr powerUp = powerUps.CreatePowerUp(code);
  return powerUp ? pieces.CreatePowerUpPiece(colour, std::move(powerUp)) : nullptr;
}

}  // namespace GamePlay
