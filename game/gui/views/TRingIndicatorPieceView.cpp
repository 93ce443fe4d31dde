#include "game/gui/views/TRingIndicatorPieceView.h"

#include <utility>

#include "game/gui/effects/TBpmFlasher.h"
#include "game/gui/views/PieceSprite.h"
#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

namespace {

constexpr float kIndicatorLeastPulseAlpha = 0.15f;
constexpr float kIndicatorSoftAlpha = 0.8f;

}  // namespace

TRingIndicatorPieceView::TRingIndicatorPieceView(std::shared_ptr<IGraphic> graphic,
                                                 GamePlay::TPieceViewPtr marked,
                                                 TBpmFlasher* flasher,
                                                 GamePlay::ITowerView* towerView,
                                                 TEmphasis emphasis)
    : mGraphic(std::move(graphic)),
      mMarked(std::move(marked)),
      mFlasher(flasher),
      mTowerView(towerView),
      mEmphasis(emphasis) {}

GamePlay::TPoint TRingIndicatorPieceView::GetCentre() { return mTowerView->GetCentre(); }

float TRingIndicatorPieceView::GetScaleX() {
  return mTowerView->GetMeasurement()->GetRingScaleX(GetRing());
}

float TRingIndicatorPieceView::GetScaleY() {
  return mTowerView->GetMeasurement()->GetRingScaleY(GetRing());
}

void TRingIndicatorPieceView::Draw(const TVec2& pos, float alpha, float scaleX, float scaleY,
                                   float rotation) {
  if (mGraphic)
    mGraphic->DrawScaled(pos, alpha, SpriteScale(scaleX), SpriteScale(scaleY), rotation);
}

// Pulsing, it is faintest at mid-beat.
float TRingIndicatorPieceView::InPlaceAlpha() {
  if (mEmphasis.pulsing) {
    const float beat = mFlasher ? mFlasher->GetPulseValue() : 0.0f;
    return kIndicatorLeastPulseAlpha + (1.0f - kIndicatorLeastPulseAlpha) * (1.0f - beat);
  }
  return mEmphasis.strong ? 1.0f : kIndicatorSoftAlpha;
}

void TRingIndicatorPieceView::DrawInPlace() {
  const float pieceAngle = mTowerView->GetMeasurement()->GetPieceAngle();
  Draw(GetScreenPos(), InPlaceAlpha(), GetScaleX(), GetScaleY(), GetAngle() + pieceAngle * 0.5f);
}

}  // namespace GUI
