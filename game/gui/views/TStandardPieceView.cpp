#include "game/gui/views/TStandardPieceView.h"

#include <utility>

#include "game/gui/views/PieceSprite.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/powerups/IPowerUpView.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

namespace {

constexpr float kSparkMilliseconds = 500.0f;
constexpr int32_t kSparkBlendMode = 2;

}  // namespace

TStandardPieceView::TStandardPieceView(std::shared_ptr<IGraphic> colourGraphic,
                                       std::shared_ptr<IGraphic> spark,
                                       const GamePlay::TPiecePtr& piece,
                                       GamePlay::ITowerView* towerView)
    : TCellPieceView(piece, towerView),
      mColourGraphic(std::move(colourGraphic)),
      mSpark(std::move(spark)) {}

void TStandardPieceView::Draw(const TVec2& pos, float alpha, float scaleX, float scaleY,
                              float rotation) {
  if (mColourGraphic) {
    mColourGraphic->DrawScaled(pos, alpha, SpriteScale(scaleX), SpriteScale(scaleY), rotation);
  }
  GamePlay::TPiecePtr piece = Piece();
  if (!piece) return;
  DrawSpark(*piece, pos, alpha, scaleX, scaleY, rotation);
  DrawPowerUp(*piece, false, pos, alpha, scaleX, scaleY, rotation);
}

void TStandardPieceView::DrawPowerUpLayer(bool glow) {
  GamePlay::TPiecePtr piece = Piece();
  if (!piece) return;
  DrawPowerUp(*piece, glow, GetScreenPos(), 1.0f, GetScaleX(), GetScaleY(), CentreAngle());
}

// The rules start the piece's clock when it is matched; the spark ends, and
// the clock goes, once it has run for the spark's time.
void TStandardPieceView::DrawSpark(GamePlay::IPiece& piece, const TVec2& pos, float alpha,
                                   float scaleX, float scaleY, float rotation) {
  auto* standard = GamePlay::PieceAs<GamePlay::TStandardPiece>(&piece);
  if (!standard || !standard->GetClock()) return;
  float t = static_cast<float>(standard->GetClock()->GetTime()) / kSparkMilliseconds;
  if (t >= 1.0f) {
    t = 1.0f;
    standard->ResetClock();
  }
  if (!mSpark) return;
  mSpark->SetBlendMode(kSparkBlendMode);
  mSpark->DrawScaled(pos, (1.0f - t) * alpha, scaleX, scaleY, rotation);
}

void TStandardPieceView::DrawPowerUp(GamePlay::IPiece& piece, bool glow, const TVec2& pos,
                                     float alpha, float scaleX, float scaleY, float rotation) {
  if (TowerView()->GetTopRingIndex() == static_cast<uint32_t>(GetRing())) return;
  GamePlay::TPowerUpPtr powerUp = piece.GetPowerUp();
  if (!powerUp) return;
  if (std::shared_ptr<GamePlay::IPowerUpView> view = powerUp->GetView()) {
    view->Draw(glow, GetRing(), pos, alpha, scaleX, scaleY, rotation);
  }
}

}  // namespace GUI
