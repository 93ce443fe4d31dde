#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "game/gui/effects/IEndLevelAnimation.h"
#include "game/gui/effects/IGraphic.h"
#include "game/gui/effects/TEndLevelSparkles.h"
#include "game/gui/effects/TQuotePanel.h"
#include "game/rules/control/IClockProxy.h"
#include "game/rules/scoring/IEndLevelAnimationView.h"

namespace GamePlay {
class ITowerView;
}

namespace GUI {

// What closes a won level on the play screen: the banner, the zooming flash
// that hands over to the next screen, the quote panel and, at expert level,
// the sparkles. The tower view drives the banner and the flash; the rules'
// end-of-level flow finds the quote panel in the level result, where the
// animation stands for as long as it lives. Its clocks are game clocks.
// Main thread only.
class TEndLevelAnimation final : public GamePlay::IEndLevelAnimationView, public IEndLevelAnimation {
 public:
  // The host view tells whether its level-end message shows. The fourth
  // graphic is kept with the others; nothing draws it.
  TEndLevelAnimation(GamePlay::ITowerView* hostView, std::shared_ptr<IGraphic> flash,
                     std::shared_ptr<IGraphic> backdrop, std::vector<std::shared_ptr<IGraphic>> sparkleGraphics,
                     std::shared_ptr<IGraphic> banner, std::shared_ptr<IGraphic> fourth);
  // Leaves the level result without an animation when it still names this one.
  ~TEndLevelAnimation() override;
  TEndLevelAnimation(const TEndLevelAnimation&) = delete;
  TEndLevelAnimation& operator=(const TEndLevelAnimation&) = delete;

  void Start(const TString& title, const TString& quote) override { mPanel.Start(title, quote); }
  bool Advance() override { return mPanel.Advance(); }
  bool IsDone() override { return mPanel.IsDone(); }
  void SkipToEnd() override { mPanel.SkipToEnd(); }

  void StartFlash(std::function<void()> callback) override;
  void ShowBanner(bool tutorialSettings) override;
  // The flash's callback runs here once the flash has run a second; what it
  // runs may delete this animation, so that frame draws nothing.
  void DrawFlash(const TVec2& position) override;
  void DrawPanel(const TVec2& position) override;
  void DrawQuoteSheet(const TVec2& position) override;

  const TQuotePanel& GetPanel() const { return mPanel; }
  bool IsFlashDone() const { return mFlashDone; }
  bool GetBannerFlag() const { return mBannerFlag; }

 private:
  // Over the first second of the banner.
  float GetBannerAlpha() const;
  bool IsExpertLevel() const;
  void DrawSparklesIf(bool draw, const TVec2& position);

  GamePlay::ITowerView* mHostView;
  bool mFlashRunning = false;
  bool mFlashDone = false;
  std::function<void()> mFlashCallback;
  std::unique_ptr<GamePlay::IClockProxy> mFlashClock;
  bool mBannerShown = false;
  bool mBannerFlag = false;
  std::unique_ptr<GamePlay::IClockProxy> mBannerClock;
  std::shared_ptr<IGraphic> mFlash;
  std::shared_ptr<IGraphic> mBackdrop;
  std::shared_ptr<IGraphic> mBanner;
  std::shared_ptr<IGraphic> mFourth;
  TEndLevelSparkles mSparkles;
  TQuotePanel mPanel;
};

}  // namespace GUI
