#pragma once

#include <cstdint>

#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IPieceFactory;
class IPowerUpFactory;

// The colours the game can draw.
constexpr int32_t kMostColours = 6;

// The number of colours a level deals from: its setting, kept within 1 to
// kMostColours, so that a level that names none still deals one colour.
int32_t ColoursInPlay(IPieceFactory& pieces);

// A colour the level can show: one at or above the colours in play becomes
// the last of them (the rule blockers follow); kNoColour stays.
int32_t DrawableColour(int32_t colour, int32_t coloursInPlay);

// A power-up piece of the colour carrying a new power-up of the creation
// code; null when the factories make none.
TPiecePtr MakePowerUpPiece(IPieceFactory& pieces, IPowerUpFactory& powerUps, int32_t code,
                           int32_t colour);

}  // namespace GamePlay
