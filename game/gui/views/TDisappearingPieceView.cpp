#include "game/gui/views/TDisappearingPieceView.h"

#include <utility>

#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TDisappearingPiece.h"

namespace GUI {

TDisappearingPieceView::TDisappearingPieceView(GamePlay::TPieceViewPtr wrapped,
                                               TVanishingPictures pictures,
                                               GamePlay::ITowerModel* tower,
                                               const GamePlay::TPiecePtr& piece,
                                               GamePlay::ITowerView* towerView)
    : TCellPieceView(piece, towerView),
      mWrapped(std::move(wrapped)),
      mPictures(std::move(pictures)),
      mTower(tower) {}

void TDisappearingPieceView::Draw(const TVec2&, float, float, float, float) {
  GamePlay::TPiecePtr piece = Piece();
  auto* vanishing = GamePlay::PieceAs<GamePlay::TDisappearingPiece>(piece.get());
  if (vanishing && !vanishing->GetDisappearFlag()) vanishing->SetDisappearFlag(true);
}

TViewGraphics::Graphic TDisappearingPieceView::GetSpark() const {
  GamePlay::TPiecePtr piece = Piece();
  const int32_t colour = piece ? piece->GetColour() : GamePlay::IPiece::kNoColour;
  const bool known = colour >= 0 && colour < static_cast<int32_t>(TViewGraphics::kColours);
  return mPictures.sparks[known ? static_cast<size_t>(colour) : 0];
}

}  // namespace GUI
