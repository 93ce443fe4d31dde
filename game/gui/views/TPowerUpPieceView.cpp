#include "game/gui/views/TPowerUpPieceView.h"

#include <utility>

#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/powerups/IPowerUpView.h"

namespace GUI {

namespace {

constexpr uint32_t kArrivalMilliseconds = 800;
constexpr float kArrivalFadeEnd = 0.8f;  // of the arrival, where the fade is done
constexpr float kArrivalFirstAlpha = 0.8f;

// The alpha factor of a piece on its way in; the arrival's clock
// goes once the arrival is over.
float ArrivalAlphaFactor(GamePlay::TPowerUpPiece& piece) {
  TClock* clock = piece.GetClock();
  if (!clock) return 1.0f;
  const uint32_t ms = clock->GetTime();
  if (ms > kArrivalMilliseconds) {
    piece.ResetClock();
    return 1.0f;
  }
  const float k = static_cast<float>(ms) / static_cast<float>(kArrivalMilliseconds);
  return k <= kArrivalFadeEnd ? kArrivalFirstAlpha + (1.0f - kArrivalFirstAlpha) * k : 1.0f;
}

}  // namespace

TPowerUpPieceView::TPowerUpPieceView(GamePlay::TPieceViewPtr inner,
                                     std::shared_ptr<IGraphic> powerUpGraphic,
                                     const GamePlay::TPiecePtr& piece,
                                     GamePlay::ITowerView* towerView)
    : TCellPieceView(piece, towerView),
      mInner(std::move(inner)),
      mPowerUpGraphic(std::move(powerUpGraphic)) {}

void TPowerUpPieceView::Draw(const TVec2& pos, float alpha, float scaleX, float scaleY,
                             float rotation) {
  GamePlay::TPiecePtr piece = Piece();
  auto* powerUpPiece = GamePlay::PieceAs<GamePlay::TPowerUpPiece>(piece.get());
  if (!powerUpPiece) return;
  alpha *= ArrivalAlphaFactor(*powerUpPiece);
  if (!mInner || powerUpPiece->GetColour() == GamePlay::IPiece::kNoColour) {
    GamePlay::TPowerUpPtr powerUp = powerUpPiece->GetPowerUp();
    std::shared_ptr<GamePlay::IPowerUpView> view = powerUp ? powerUp->GetView() : nullptr;
    if (view) view->Draw(false, GetRing(), pos, alpha, scaleX, scaleY, rotation);
    return;
  }
  mInner->Draw(pos, alpha, scaleX, scaleY, rotation);
  if (mPowerUpGraphic) mPowerUpGraphic->DrawScaled(pos, alpha, scaleX, scaleY, rotation);
}

}  // namespace GUI
