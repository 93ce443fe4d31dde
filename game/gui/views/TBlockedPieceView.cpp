#include "game/gui/views/TBlockedPieceView.h"

#include <algorithm>
#include <utility>

#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TBlockedPiece.h"

namespace GUI {

TBlockedPieceView::TBlockedPieceView(std::shared_ptr<IGraphic> base,
                                     std::shared_ptr<IGraphic> cracks,
                                     const GamePlay::TPiecePtr& piece,
                                     GamePlay::ITowerView* towerView)
    : TCellPieceView(piece, towerView), mBase(std::move(base)), mCracks(std::move(cracks)) {}

void TBlockedPieceView::Draw(const TVec2& pos, float alpha, float scaleX, float scaleY,
                             float rotation) {
  mShown.CountOnce();
  GamePlay::TPiecePtr piece = Piece();
  auto* blocker = GamePlay::PieceAs<GamePlay::TBlockedPiece>(piece.get());
  if (!blocker) return;
  if (blocker->GetColour() == GamePlay::IPiece::kNoColour) {
    if (mBase) mBase->DrawScaled(pos, alpha, scaleX, scaleY, rotation);
  } else if (GamePlay::TPiecePtr inner = blocker->GetInner()) {
    if (GamePlay::TPieceViewPtr view = inner->GetView())
      view->Draw(pos, alpha, scaleX, scaleY, rotation);
  }
  if (!mCracks) return;
  // A whole blocker shows the last frame, a worn-through one the first.
  const float whole = std::clamp(1.0f - blocker->GetProgress(), 0.0f, 1.0f);
  mCracks->SetFrame(static_cast<uint32_t>(static_cast<float>(mCracks->GetFrameCount()) * whole));
  mCracks->DrawScaled(pos, alpha, scaleX, scaleY, rotation);
}

}  // namespace GUI
