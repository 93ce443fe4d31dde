#include "game/gui/effects/TLifeBar.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "game/gui/effects/OptionalGraphic.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "platform/TPlatform.h"

namespace GUI {

namespace {

constexpr float kGaugePi = 3.1415927f;
constexpr float kGaugeTurn = 2.0f * kGaugePi;
constexpr float kSegmentAngle = 0.7853982f;  // an eighth of the dial
constexpr float kFineStepStart = 0.02617994f;
constexpr float kFineStep = 0.05235988f;
constexpr float kEndCapMinAngle = 0.01f;
constexpr float kGaugeRadius = 293.0f;
const TVec2 kSegmentOffset(-100.0f, -247.0f);  // the first eighth, from the centre
constexpr float kDialScale = 1.66666f;
constexpr float kGlowScale = 0.2f;
constexpr int32_t kGlowBlendMode = 2;
const TVec2 kGlowOffset(1.0f, 0.0f);
constexpr uint32_t kPulsePeriodMs = 1000;
constexpr uint32_t kGlowPeriodMs = 3000;

TVec2 Rotated(const TVec2& v, float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  return TVec2(v.x * c - v.y * s, v.x * s + v.y * c);
}

}  // namespace

TLifeBar::TLifeBar(int32_t centreX, int32_t centreY, std::shared_ptr<IGraphic> base,
                   std::shared_ptr<IGraphic> arc, std::shared_ptr<IGraphic> arcSegment,
                   std::shared_ptr<IGraphic> boostArc, std::shared_ptr<IGraphic> boostArcSegment,
                   std::shared_ptr<IGraphic> warning, std::shared_ptr<IGraphic> needle,
                   std::shared_ptr<IGraphic> needleGlow, GamePlay::ITimeController* timeController)
    : mBase(std::move(base)),
      mArc(std::move(arc)),
      mBoostArc(std::move(boostArc)),
      mArcSegment(std::move(arcSegment)),
      mBoostArcSegment(std::move(boostArcSegment)),
      mNeedle(std::move(needle)),
      mWarning(std::move(warning)),
      mNeedleGlow(std::move(needleGlow)),
      mClock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy()),
      mTimeController(timeController),
      mCentre(static_cast<float>(centreX), static_cast<float>(centreY)) {
  mClock->Start();
  if (mTimeController) mTimeController->AddTimeBoostHandler(this);
}

// The timer keeps a plain pointer to its handlers: it must not keep this one.
TLifeBar::~TLifeBar() {
  if (mTimeController) mTimeController->RemoveTimeBoostHandler(this);
}

void TLifeBar::OnTimeBoost(float elapsedBefore, float) {
  mBoostStartValue = std::clamp(1.0f - elapsedBefore, 0.0f, 1.0f);
  if (mBoostClock) return;
  mBoostClock.reset(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
  mBoostClock->Stop();
  mBoostClock->Start();
}

float TLifeBar::GetLiveValue() {
  const float elapsed = mTimeController ? mTimeController->GetRate() : 0.0f;
  return std::clamp(1.0f - elapsed, 0.0f, 1.0f);
}

float TLifeBar::GetShownValue() {
  const float live = GetLiveValue();
  if (!mBoostClock) return live;
  const uint32_t t = mBoostClock->GetTime();
  if (t >= kBlendMs) return live;
  return mBoostStartValue + (live - mBoostStartValue) * (static_cast<float>(t) / kBlendMs);
}

float TLifeBar::GetPulseAlpha() {
  const auto phase = static_cast<float>(mClock->GetTime() % kPulsePeriodMs);
  const float half = kPulsePeriodMs / 2.0f;
  return std::min(1.0f, std::fabs(half - phase) / half + 0.5f);
}

TVec2 TLifeBar::OnRim(float angle) const {
  return mCentre + TVec2(-std::sin(angle), -std::cos(angle)) * kGaugeRadius;
}

// Whole eighths as segments, the rest in fine steps, then a cap at the end.
void TLifeBar::DrawArc(const std::shared_ptr<IGraphic>& arc, const std::shared_ptr<IGraphic>& segment,
                       float value, float alpha) {
  const float end = value * kGaugeTurn;
  int32_t segments = 0;
  while (end > static_cast<float>(segments + 1) * kSegmentAngle) {
    const float turn = -static_cast<float>(segments) * kSegmentAngle;
    DrawIfPresent(segment, mCentre + Rotated(kSegmentOffset, turn), alpha, 1.0f, turn);
    ++segments;
  }
  for (float c = static_cast<float>(segments) * kSegmentAngle + kFineStepStart; c < end; c += kFineStep) {
    DrawIfPresent(arc, OnRim(c), alpha, 1.0f, -c);
  }
  if (std::fabs(end) > kEndCapMinAngle) DrawIfPresent(arc, OnRim(end), alpha, 1.0f, -end);
}

void TLifeBar::DrawBoost(float value, float pulse) {
  if (mBoostClock && mBoostClock->GetTime() > kBoostShownMs) mBoostClock.reset();
  if (!mBoostClock) return;
  const uint32_t t = mBoostClock->GetTime();
  float alpha = pulse;
  if (t > kHighlightMs) {
    const float fadeMs = kBoostShownMs - kHighlightMs;
    alpha *= 1.0f - static_cast<float>(t - kHighlightMs) / fadeMs;
  }
  DrawArc(mBoostArc, mBoostArcSegment, value, alpha);
}

void TLifeBar::DrawNeedle(float value) {
  const float angle = value * kGaugeTurn;
  const TVec2 tip = OnRim(angle);
  DrawIfPresent(mNeedle, tip, 1.0f, 1.0f, -angle);
  if (!mNeedleGlow) return;
  mNeedleGlow->SetBlendMode(kGlowBlendMode);
  const float glowHalf = kGlowPeriodMs / 2.0f;
  const float q = std::fabs(static_cast<float>(mClock->GetTime() % kGlowPeriodMs) / glowHalf - 1.0f);
  mNeedleGlow->Draw(tip + kGlowOffset, 2.0f * (0.4f + 0.6f * q), kGlowScale, 0.0f);
}

void TLifeBar::Draw(bool noWarning) {
  TPlatform* platform = TPlatform::Instance();
  const bool entered2d = platform && !platform->IsIn2d() && platform->Begin2d();
  const float value = GetShownValue();
  const float pulse = GetPulseAlpha();
  if (!noWarning && value < kWarningShare) DrawIfPresent(mWarning, mCentre, pulse, kDialScale, 0.0f);
  DrawArc(mArc, mArcSegment, value, 1.0f);
  DrawIfPresent(mBase, mCentre, 1.0f, kDialScale, 0.0f);
  DrawBoost(value, pulse);
  DrawNeedle(value);
  if (entered2d) platform->End2d();
}

}  // namespace GUI
