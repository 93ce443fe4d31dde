#include "game/gui/play/TCellLocator.h"

#include <cmath>

#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

TCellLocator::TCellLocator(GamePlay::ITowerView* view, bool fixedAngle)
    : mFixedAngle(fixedAngle), mMeasurement(view->GetMeasurement()), mView(view) {}

void TCellLocator::Set(int32_t ring, int32_t slot, bool withOffset) {
  mRing = ring;
  mSlot = slot;
  mOffset = withOffset ? mMeasurement->GetPieceHeight() * (static_cast<float>(slot) + 1) : 0.0f;
}

float TCellLocator::GetStartAngle() const {
  float angle = static_cast<float>(mSlot) * mMeasurement->GetPieceAngle();
  return mFixedAngle ? angle : angle + mView->GetRingAngle(mRing);
}

float TCellLocator::GetCentreAngle() const {
  return GetStartAngle() + mMeasurement->GetPieceAngle() * 0.5f;
}

float TCellLocator::GetScaleX() const { return mMeasurement->GetRingScaleX(mRing); }

float TCellLocator::GetScaleY() const { return mMeasurement->GetRingScaleY(mRing); }

GamePlay::TPoint TCellLocator::GetCentre() const { return mView->GetCentre(); }

TVec2 TCellLocator::GetCentreVector() const {
  GamePlay::TPoint centre = GetCentre();
  return {static_cast<float>(centre.x), static_cast<float>(centre.y)};
}

// Screen y grows downward, so straight up is -y and the angle grows clockwise.
TVec2 TCellLocator::GetPosition() const {
  float angle = GetCentreAngle();
  float radius = mMeasurement->GetRingRadius(mRing) + mOffset;
  TVec2 centre = GetCentreVector();
  return {centre.x + radius * std::sin(angle), centre.y - radius * std::cos(angle)};
}

}  // namespace GUI
