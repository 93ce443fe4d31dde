#include "game/gui/views/TDisappearingPieceView.h"

#include <utility>

#include "game/gui/views/DAPViewDrawerChoice.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TDisappearingPiece.h"

namespace GUI {

TDisappearingPieceView::TDisappearingPieceView(GamePlay::TPieceViewPtr wrapped,
                                               TVanishingPictures pictures,
                                               GamePlay::ITowerModel* tower,
                                               const GamePlay::TPiecePtr& piece,
                                               GamePlay::ITowerView* towerView,
                                               IVanishingSounds* sounds)
    : TCellPieceView(piece, towerView),
      mContext{std::move(pictures), std::move(wrapped), towerView, tower, sounds} {}

void TDisappearingPieceView::SetCell(int32_t ring, int32_t slot, bool lifted) {
  TCellPieceView::SetCell(ring, slot, lifted);
  mSlot = slot;
}

void TDisappearingPieceView::Draw(const TVec2& pos, float alpha, float scaleX, float scaleY,
                                  float rotation) {
  GamePlay::TPiecePtr piece = Piece();
  auto* vanishing = GamePlay::PieceAs<GamePlay::TDisappearingPiece>(piece.get());
  if (!vanishing || vanishing->GetDisappearFlag()) return;
  if (!mDrawer) mDrawer = ChooseDAPViewDrawer(*vanishing, mContext);
  if (!mDrawer) {
    vanishing->SetDisappearFlag(true);
    return;
  }
  mDrawer->SetCell(GetRing(), mSlot);
  mDrawer->Draw(*vanishing, pos, alpha, scaleX, scaleY, rotation);
  if (mDrawer->IsFinished()) vanishing->SetDisappearFlag(true);
}

TViewGraphics::Graphic TDisappearingPieceView::GetSpark() const {
  GamePlay::TPiecePtr piece = Piece();
  return OfPieceColour(mContext.pictures.sparks,
                       piece ? piece->GetColour() : GamePlay::IPiece::kNoColour);
}

}  // namespace GUI
