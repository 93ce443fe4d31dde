#pragma once

#include "game/gui/effects/IGraphic.h"
#include "game/gui/views/TCellPieceView.h"

namespace GUI {

// A plain coloured piece: its colour's picture, the spark that fades out
// over half a second once the piece is matched, and the power-up it
// carries (not on the top ring, whose pieces are on their way in).
class TStandardPieceView final : public TCellPieceView {
 public:
  // Either picture may be empty, and then is not drawn.
  TStandardPieceView(std::shared_ptr<IGraphic> colourGraphic, std::shared_ptr<IGraphic> spark,
                     const GamePlay::TPiecePtr& piece, GamePlay::ITowerView* towerView);

  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;
  void DrawPowerUpLayer(bool glow) override;

 private:
  void DrawSpark(GamePlay::IPiece& piece, const TVec2& pos, float alpha, float scaleX, float scaleY,
                 float rotation);
  void DrawPowerUp(GamePlay::IPiece& piece, bool glow, const TVec2& pos, float alpha, float scaleX,
                   float scaleY, float rotation);

  std::shared_ptr<IGraphic> mColourGraphic;
  std::shared_ptr<IGraphic> mSpark;
};

}  // namespace GUI
