#pragma once

#include <functional>
#include <memory>

#include "game/rules/control/IClockProxy.h"
#include "platform/text/TString.h"

class TTextLayout;

namespace GamePlay {
class IScoringModel;
class ITowerView;
}  // namespace GamePlay

namespace GUI {

class IGraphic;
class TControlTimeline;

// The level banner's pictures, in the order the tower view looks them up.
struct TLevelBannerGraphics {
  std::shared_ptr<IGraphic> noMoveBanner;
  std::shared_ptr<IGraphic> timeUpBanner;
  std::shared_ptr<IGraphic> expertBanner;
  std::shared_ptr<IGraphic> scoreBoxLit;  // the box once the expert target is reached
  std::shared_ptr<IGraphic> targetPlate;  // under the target line
  std::shared_ptr<IGraphic> scoreBox;     // behind the level, score and target
};

// The box at the top of the play screen with the level's number, its score
// and its expert target, and the three banners played over the tower once
// each per level: expert target reached, no move left, time up. A banner
// wipes in over 500 ms, stays 1000 ms and wipes out over 500 ms; a newer
// banner replaces the one playing. Main thread only.
class TLevelBanner {
 public:
  static constexpr uint32_t kShowUpMs = 500;
  static constexpr uint32_t kStayMs = 1000;
  static constexpr uint32_t kWipeOutMs = 500;
  // Once its clock passes this a banner is left alone.
  static constexpr uint32_t kBannerDoneMs = 3000;

  // The scoring model and the tower view are not owned and outlive the
  // banner; the sound plays when the expert banner starts.
  TLevelBanner(TLevelBannerGraphics graphics, GamePlay::IScoringModel* scoring, GamePlay::ITowerView* towerView,
               std::function<void()> expertSound);
  ~TLevelBanner();
  TLevelBanner(const TLevelBanner&) = delete;
  TLevelBanner& operator=(const TLevelBanner&) = delete;

  // The texts from the scoring model; the score goes to the metrics too.
  void Refresh();
  // Starts the banners due and draws the one playing.
  void UpdateBanners();
  // The box with the texts refreshed.
  void Draw();

  const TString& GetLevelText() const;
  const TString& GetScoreText() const;
  const TString& GetTargetText() const;

 private:
  void CheckExpert();
  // Starts the banner unless its clock exists; true when started.
  bool StartBanner(std::unique_ptr<GamePlay::IClockProxy>& clock, const std::shared_ptr<IGraphic>& graphic);
  void DrawLabel(const char* label, int32_t top);
  bool IsTargetReached();

  TLevelBannerGraphics mGraphics;
  std::unique_ptr<TTextLayout> mScoreText;
  std::unique_ptr<TTextLayout> mTargetText;
  std::unique_ptr<TTextLayout> mLabelText;
  std::unique_ptr<TTextLayout> mLevelText;
  std::unique_ptr<GamePlay::IClockProxy> mExpertClock;
  std::unique_ptr<GamePlay::IClockProxy> mNoMoveClock;
  std::unique_ptr<GamePlay::IClockProxy> mTimeUpClock;
  GamePlay::IScoringModel* mScoring;
  GamePlay::ITowerView* mTowerView;
  std::unique_ptr<TControlTimeline> mTimeline;
  std::function<void()> mExpertSound;
};

}  // namespace GUI
