#pragma once

#include "game/gui/effects/IGraphic.h"
#include "game/gui/views/TCellPieceView.h"

namespace GUI {

// A piece that is a power-up of its own. A coloured one is its colour's
// piece with the power-up's picture over it; a colourless one is drawn by
// the view of the power-up it carries. A piece that has just arrived fades
// in from 80 % over its first 640 ms.
class TPowerUpPieceView final : public TCellPieceView {
 public:
  // inner: the view of the piece's colour; empty for a colourless piece.
  TPowerUpPieceView(GamePlay::TPieceViewPtr inner, std::shared_ptr<IGraphic> powerUpGraphic,
                    const GamePlay::TPiecePtr& piece, GamePlay::ITowerView* towerView);

  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;

 private:
  GamePlay::TPieceViewPtr mInner;
  std::shared_ptr<IGraphic> mPowerUpGraphic;
};

}  // namespace GUI
