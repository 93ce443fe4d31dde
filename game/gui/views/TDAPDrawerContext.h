#pragma once

#include <cstdint>

#include "game/gui/views/TViewGraphics.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {
class ITowerModel;
class ITowerView;
}  // namespace GamePlay

namespace GUI {

class IVanishingSounds;

// What the animations of a vanishing piece draw with: the sparks and the
// area-bomb blasts by colour, the filling at the rim of the jugs and the
// glow of a colour bomb's edge.
struct TVanishingPictures {
  TViewGraphics::ByColour sparks;
  TViewGraphics::Graphic filling;
  TViewGraphics::ByColour areaBombs;
  TViewGraphics::Graphic edgeGlow;
};

// What a vanishing piece's view hands to the animations it makes.
struct TDAPDrawerContext {
  TVanishingPictures pictures;
  GamePlay::TPieceViewPtr wrapped;  // the view of the piece that vanishes; may be empty
  GamePlay::ITowerView* towerView = nullptr;  // not null
  GamePlay::ITowerModel* tower = nullptr;     // told when a spark reaches a jug; may be null
  IVanishingSounds* sounds = nullptr;         // not null
};

// The picture of a piece's colour; that of the first colour for a piece
// without one (or with a colour outside the six).
inline const TViewGraphics::Graphic& OfPieceColour(const TViewGraphics::ByColour& pictures,
                                                   int32_t colour) {
  const bool known = colour >= 0 && colour < static_cast<int32_t>(TViewGraphics::kColours);
  return pictures[known ? static_cast<size_t>(colour) : 0];
}

}  // namespace GUI
