#include "game/gui/effects/TEndLevelSparkles.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "game/rules/control/TClockProxyRegistry.h"

namespace GUI {

namespace {

constexpr size_t kSparkleGlowEntry = 1;
constexpr size_t kSparkleTwinkleEntry = 9;
constexpr uint32_t kSparkleFadeInMs = 1000;
constexpr int32_t kSparkleAdditiveBlend = 2;

const std::array<TVec2, 6> kTwinklePoints = {TVec2(452, 306), TVec2(400, 260), TVec2(364, 264),
                                             TVec2(438, 340), TVec2(352, 280), TVec2(415, 340)};

// One twinkle's hop: the point it sits at and its size, which shrinks to
// nothing halfway through the hop and grows back.
struct TTwinkle {
  TVec2 point;
  float size;
  float alpha;
};

TTwinkle TwinkleAt(uint32_t timeMs, uint32_t periodMs, uint32_t leadMs, float alpha) {
  const float phase = static_cast<float>(timeMs % periodMs) / static_cast<float>(periodMs);
  const size_t point = ((timeMs + leadMs) / periodMs) % kTwinklePoints.size();
  return {kTwinklePoints[point], 2.0f * std::fabs(2.0f * phase - 1.0f), alpha};
}

std::shared_ptr<IGraphic> SparkleEntry(const std::vector<std::shared_ptr<IGraphic>>& graphics, size_t entry) {
  return graphics.empty() ? nullptr : graphics[std::min(entry, graphics.size() - 1)];
}

}  // namespace

TEndLevelSparkles::TEndLevelSparkles(std::vector<std::shared_ptr<IGraphic>> graphics)
    : mGlow(SparkleEntry(graphics, kSparkleGlowEntry)), mTwinkle(SparkleEntry(graphics, kSparkleTwinkleEntry)) {}

void TEndLevelSparkles::Draw(const TVec2& position) {
  if (!mGlow || !mTwinkle) return;
  if (!mClock) {
    mClock.reset(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
    mClock->Start();
  }
  const uint32_t timeMs = mClock->GetTime();
  const float fadeIn = static_cast<float>(timeMs) / static_cast<float>(kSparkleFadeInMs);
  mGlow->Draw(position, std::min(1.0f, fadeIn), 1.0f, 0.0f);
  if (timeMs >= kSparkleFadeInMs) DrawTwinkles(timeMs);
}

// Drawn plainly first, then once more in the additive mode that makes them shine.
void TEndLevelSparkles::DrawTwinkles(uint32_t timeMs) {
  const std::array<TTwinkle, 2> twinkles = {TwinkleAt(timeMs, 1000, 500, 1.0f), TwinkleAt(timeMs, 1500, 750, 0.7f)};
  for (const int32_t mode : {0, kSparkleAdditiveBlend}) {
    mTwinkle->SetBlendMode(mode);
    for (const TTwinkle& twinkle : twinkles) mTwinkle->Draw(twinkle.point, twinkle.alpha, twinkle.size, 0.0f);
  }
}

}  // namespace GUI
