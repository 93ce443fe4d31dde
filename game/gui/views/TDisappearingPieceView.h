#pragma once

#include "game/gui/views/TCellPieceView.h"
#include "game/gui/views/TViewGraphics.h"

namespace GamePlay {
class ITowerModel;
}

namespace GUI {

// What the animations of a vanishing piece draw with: the sparks and the
// area-bomb blasts by colour, the filling at the tower's rim and the glow of
// a colour bomb's edge.
struct TVanishingPictures {
  TViewGraphics::ByColour sparks;
  TViewGraphics::Graphic filling;
  TViewGraphics::ByColour areaBombs;
  TViewGraphics::Graphic edgeGlow;
};

// A piece a match or a bomb took out. It draws nothing of its own: the
// vanishing is played by an animation chosen on its first draw, which tells
// the piece when it is over. No animation can be had yet, so the first draw
// tells the piece it is over at once, and the piece goes.
class TDisappearingPieceView final : public TCellPieceView {
 public:
  // wrapped: the view of the piece that vanishes (may be empty); tower: the
  // model the rules passed, which a spark reaching a jug tells.
  TDisappearingPieceView(GamePlay::TPieceViewPtr wrapped, TVanishingPictures pictures,
                         GamePlay::ITowerModel* tower, const GamePlay::TPiecePtr& piece,
                         GamePlay::ITowerView* towerView);

  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;

  // The spark of the piece's colour; that of the first colour for a piece
  // without one.
  TViewGraphics::Graphic GetSpark() const;

 private:
  GamePlay::TPieceViewPtr mWrapped;
  TVanishingPictures mPictures;
  GamePlay::ITowerModel* mTower;
};

}  // namespace GUI
