#include "game/gui/views/TPowerUpViewImpl.h"

#include <cmath>
#include <utility>

#include "game/gui/views/PieceSprite.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/powerups/TLinkPowerUps.h"

namespace GUI {

namespace {

constexpr uint32_t kGlowPulseMilliseconds = 500;

}  // namespace

TPowerUpViewImpl::TPowerUpViewImpl(const GamePlay::TPowerUpPtr& powerUp,
                                   std::shared_ptr<IGraphic> graphic,
                                   std::shared_ptr<IGraphic> glow)
    : mIsGear(dynamic_cast<GamePlay::TGearPowerUp*>(powerUp.get()) != nullptr),
      mGraphic(std::move(graphic)),
      mGlow(std::move(glow)),
      mPulseClock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy()) {
  mPulseClock->Stop();
  mPulseClock->Start();
}

float TPowerUpViewImpl::PulseValue() {
  constexpr float kHalf = kGlowPulseMilliseconds / 2.0f;
  const float phase = static_cast<float>(mPulseClock->GetTime() % kGlowPulseMilliseconds);
  return std::fabs((phase - kHalf) / kHalf);
}

void TPowerUpViewImpl::Draw(bool glow, int32_t, const TVec2& pos, float alpha, float scaleX,
                            float scaleY, float rotation) {
  if (mIsGear) mShown.CountOnce();
  if (mGraphic)
    mGraphic->DrawScaled(pos, alpha, SpriteScale(scaleX), SpriteScale(scaleY), rotation);
  if (glow && mGlow) mGlow->DrawScaled(pos, PulseValue(), scaleX, scaleY, rotation);
}

}  // namespace GUI
