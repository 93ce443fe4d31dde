#include "game/gui/views/TPowerUpViewImpl.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "game/gui/views/PieceSprite.h"
#include "game/gui/views/VanishingGeometry.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

namespace {

constexpr uint32_t kGlowPulseMilliseconds = 500;
constexpr float kFrameStepsPerMillisecond = 0.05f;
// The lock cross-fades through frames 1 to 3; frame 0 is its still picture.
constexpr float kLockPhases = 3.0f;
constexpr uint32_t kLockFrames = 3;
constexpr float kGearTurnsPerRingTurn = 4.0f;
constexpr float kGearInset = 15.0f;

}  // namespace

TPowerUpViewImpl::TPowerUpViewImpl(const GamePlay::TPowerUpPtr& powerUp,
                                   std::shared_ptr<IGraphic> graphic,
                                   std::shared_ptr<IGraphic> glow,
                                   GamePlay::ITowerView* towerView, float animationSpeed)
    : mKind(dynamic_cast<GamePlay::TGearPowerUp*>(powerUp.get())   ? TKind::Gear
            : dynamic_cast<GamePlay::TLockPowerUp*>(powerUp.get()) ? TKind::Lock
                                                                   : TKind::Other),
      mGraphic(std::move(graphic)),
      mGlow(std::move(glow)),
      mPulseClock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy()),
      mLockPhase(static_cast<float>(std::rand() % 1000) / 1000.0f * kLockPhases),
      mAnimationSpeed(animationSpeed),
      mTowerView(towerView),
      mShown(mKind == TKind::Lock ? &GamePlay::IMetricsRecorder::CountLockShown
                                  : &GamePlay::IMetricsRecorder::CountBlockerOrGearShown) {
  mPulseClock->Stop();
  mPulseClock->Start();
}

float TPowerUpViewImpl::PulseValue() {
  constexpr float kHalf = kGlowPulseMilliseconds / 2.0f;
  const float phase = static_cast<float>(mPulseClock->GetTime() % kGlowPulseMilliseconds);
  return std::fabs((phase - kHalf) / kHalf);
}

float TPowerUpViewImpl::TakeFrameStep() {
  const float step = static_cast<float>(mFrameClock.GetTime()) * kFrameStepsPerMillisecond;
  mFrameClock.Reset();
  mFrameClock.Start();
  return step;
}

// Each frame fades into the next; a phase of exactly 3 asks for frame 4,
// which the picture holds to its last.
void TPowerUpViewImpl::DrawLockFrames(const TVec2& pos, float alpha, float scaleX, float scaleY,
                                      float rotation) {
  mLockPhase += TakeFrameStep() * mAnimationSpeed;
  if (mLockPhase > kLockPhases) mLockPhase = 0.0f;
  const auto whole = static_cast<uint32_t>(mLockPhase);
  const float fade = mLockPhase - static_cast<float>(whole);
  mGraphic->SetFrame(whole + 1);
  mGraphic->DrawScaled(pos, alpha, scaleX, scaleY, rotation);
  mGraphic->SetFrame((whole + 1) % kLockFrames + 1);
  mGraphic->DrawScaled(pos, fade * alpha, scaleX, scaleY, rotation);
  mGraphic->SetFrame(0);
}

void TPowerUpViewImpl::Draw(bool glow, int32_t ring, const TVec2& pos, float alpha, float scaleX,
                            float scaleY, float rotation) {
  TVec2 at = pos;
  float turn = rotation;
  if (mKind != TKind::Other) mShown.CountOnce();
  if (mKind == TKind::Gear && mTowerView) {
    turn += kGearTurnsPerRingTurn * mTowerView->GetRingAngle(ring);
    at += Direction(pos, ToVec2(mTowerView->GetCentre())) * (kGearInset * scaleX);
  }
  const float spriteX = SpriteScale(scaleX);
  const float spriteY = SpriteScale(scaleY);
  if (mGraphic) {
    if (mKind == TKind::Lock) DrawLockFrames(at, alpha, spriteX, spriteY, turn);
    mGraphic->DrawScaled(at, alpha, spriteX, spriteY, turn);
  }
  if (glow && mGlow) mGlow->DrawScaled(at, PulseValue(), scaleX, scaleY, turn);
}

}  // namespace GUI
