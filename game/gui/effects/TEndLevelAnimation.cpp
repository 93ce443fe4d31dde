#include "game/gui/effects/TEndLevelAnimation.h"

#include <algorithm>
#include <utility>

#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/tower/ITowerView.h"
#include "platform/TPlatform.h"

namespace GUI {

namespace {

constexpr float kFlashMs = 1000.0f;
constexpr float kBannerFadeInMs = 1000.0f;
constexpr float kFlashStartScale = 6.0f;
constexpr int32_t kFlashBlendMode = 2;
constexpr float kBannerScale = 2.0f;
constexpr float kBackdropScale = 1.6666f;
const TVec2 kBannerPosition(400, 300);

std::unique_ptr<GamePlay::IClockProxy> CreateAnimationClock() {
  return std::unique_ptr<GamePlay::IClockProxy>(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
}

void Restart(GamePlay::IClockProxy& clock) {
  clock.Stop();
  clock.Start();
}

// Draws in 2D, opening it only when it is closed and closing what it opened.
template <class Draw>
void DrawIn2d(Draw draw) {
  TPlatform* platform = TPlatform::Instance();
  if (!platform) return;
  const bool entered = !platform->IsIn2d() && platform->Begin2d();
  draw();
  if (entered) platform->End2d();
}

}  // namespace

TEndLevelAnimation::TEndLevelAnimation(GamePlay::ITowerView* hostView, std::shared_ptr<IGraphic> flash,
                                       std::shared_ptr<IGraphic> backdrop,
                                       std::vector<std::shared_ptr<IGraphic>> sparkleGraphics,
                                       std::shared_ptr<IGraphic> banner, std::shared_ptr<IGraphic> fourth)
    : mHostView(hostView),
      mFlashClock(CreateAnimationClock()),
      mBannerClock(CreateAnimationClock()),
      mFlash(std::move(flash)),
      mBackdrop(std::move(backdrop)),
      mBanner(std::move(banner)),
      mFourth(std::move(fourth)),
      mSparkles(std::move(sparkleGraphics)) {
  GamePlay::TWorldData::Instance().GetLevelResult().endLevelAnimation = this;
}

TEndLevelAnimation::~TEndLevelAnimation() {
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  if (result.endLevelAnimation == this) result.endLevelAnimation = nullptr;
}

void TEndLevelAnimation::StartFlash(std::function<void()> callback) {
  mFlashRunning = true;
  mFlashDone = false;
  mFlashCallback = std::move(callback);
  Restart(*mFlashClock);
}

void TEndLevelAnimation::ShowBanner(bool tutorialSettings) {
  mBannerShown = true;
  mBannerFlag = tutorialSettings;
  Restart(*mBannerClock);
}

float TEndLevelAnimation::GetBannerAlpha() const {
  return std::min(1.0f, static_cast<float>(mBannerClock->GetTime()) / kBannerFadeInMs);
}

bool TEndLevelAnimation::IsExpertLevel() const {
  return GamePlay::TWorldData::Instance().GetLevelResult().expert;
}

void TEndLevelAnimation::DrawSparklesIf(bool draw, const TVec2& position) {
  if (draw && IsExpertLevel()) mSparkles.Draw(position);
}

void TEndLevelAnimation::DrawFlash(const TVec2& position) {
  const float flashT = static_cast<float>(mFlashClock->GetTime()) / kFlashMs;
  if (mFlashRunning && flashT > 1.0f) {
    mFlashRunning = false;
    mFlashDone = true;
    const std::function<void()> callback = std::move(mFlashCallback);
    mFlashCallback = nullptr;
    if (callback) callback();
    return;
  }
  DrawIn2d([&] {
    if (mBannerShown && mBanner) mBanner->Draw(kBannerPosition, GetBannerAlpha(), kBannerScale, 0.0f);
    if (mFlashRunning && mFlash) {
      mFlash->SetBlendMode(kFlashBlendMode);
      mFlash->Draw(position, flashT, kFlashStartScale * (1.0f - flashT), 0.0f);
    }
    DrawSparklesIf(mHostView && mHostView->IsShowingMessage(), position);
  });
}

void TEndLevelAnimation::DrawPanel(const TVec2& position) {
  DrawIn2d([&] {
    DrawSparklesIf(!mHostView || !mHostView->IsShowingMessage(), position);
    if (!mBannerShown) return;
    if (mBackdrop) mBackdrop->Draw(position, GetBannerAlpha(), kBackdropScale, 0.0f);
    mPanel.Draw();
  });
}

// The paper and the backdrop stand at full strength: their fade-in belongs
// to the play screen, long over when a window above it shows the sheet.
void TEndLevelAnimation::DrawQuoteSheet(const TVec2& position) {
  DrawIn2d([&] {
    if (mBanner) mBanner->Draw(kBannerPosition, 1.0f, kBannerScale, 0.0f);
    if (mBackdrop) mBackdrop->Draw(position, 1.0f, kBackdropScale, 0.0f);
    DrawSparklesIf(true, position);
    mPanel.Draw();
  });
}

}  // namespace GUI
