#pragma once

#include <memory>

#include "game/gui/views/IDAPViewDrawer.h"
#include "game/gui/views/TCellPieceView.h"
#include "game/gui/views/TDAPDrawerContext.h"

namespace GUI {

// A piece a match or a bomb took out. It draws nothing of its own: the
// vanishing is played by an animation chosen on its first draw, and the
// piece is told it is done when that has finished, or at once when no
// animation can be had. Nothing is drawn after.
class TDisappearingPieceView final : public TCellPieceView {
 public:
  // wrapped: the view of the piece that vanishes (may be empty); tower: the
  // model the rules passed, which a spark reaching a jug tells; sounds: not
  // null, outlives the view.
  TDisappearingPieceView(GamePlay::TPieceViewPtr wrapped, TVanishingPictures pictures,
                         GamePlay::ITowerModel* tower, const GamePlay::TPiecePtr& piece,
                         GamePlay::ITowerView* towerView, IVanishingSounds* sounds);

  void SetCell(int32_t ring, int32_t slot, bool lifted) override;
  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;

  // The spark of the piece's colour; that of the first colour for a piece
  // without one.
  TViewGraphics::Graphic GetSpark() const;

 private:
  TDAPDrawerContext mContext;
  std::unique_ptr<IDAPViewDrawer> mDrawer;
  int32_t mSlot = -1;
};

}  // namespace GUI
