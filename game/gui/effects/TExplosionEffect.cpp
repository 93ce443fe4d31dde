#include "game/gui/effects/TExplosionEffect.h"

#include <algorithm>
#include <utility>

#include "game/gui/effects/IGraphic.h"
#include "game/rules/tower/ITowerMeasurementView.h"

namespace GUI {

namespace {

constexpr int32_t kExplosionBlendMode = 1;
// What a blast without a duration reads after its one draw: past its end.
constexpr float kExplosionPastEnd = 2.0f;

}  // namespace

TExplosionEffect::TExplosionEffect(int32_t ring, std::shared_ptr<IGraphic> graphic,
                                   const TVec2& position, float scaleFactor,
                                   GamePlay::ITowerMeasurementView* scaleSource, float durationMs)
    : mGraphic(std::move(graphic)),
      mPosition(position),
      mDuration(durationMs),
      mRing(ring),
      mScaleSource(scaleSource),
      mScaleFactor(scaleFactor) {
  mClock.Reset();
  mClock.Start();
}

void TExplosionEffect::Draw() {
  if (mGraphic) DrawFrame();
  const auto elapsed = static_cast<float>(mClock.GetTime());
  mProgress = mDuration > 0.0f ? elapsed / mDuration : kExplosionPastEnd;
}

// The last draw may land exactly on the end, where the index would be one
// past the last frame; the graphic shows its last frame for that.
void TExplosionEffect::DrawFrame() {
  const float share = std::max(mProgress, 0.0f);
  const auto frame = static_cast<uint32_t>(static_cast<float>(mGraphic->GetFrameCount()) * share);
  mGraphic->SetBlendMode(kExplosionBlendMode);
  mGraphic->SetFrame(frame);
  mGraphic->Draw(mPosition, 1.0f, Scale(), 0.0f);
}

float TExplosionEffect::Scale() const {
  return mScaleSource ? mScaleSource->GetRingScaleX(mRing) * mScaleFactor : mScaleFactor;
}

}  // namespace GUI
