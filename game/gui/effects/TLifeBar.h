#pragma once

#include <memory>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/ITimeController.h"
#include "platform/types/TVec2.h"

namespace GUI {

class IGraphic;

// The level timer as a round gauge around the tower: an arc of the share of
// time left, counter-clockwise from the top, emptying as the level time
// runs out, a needle at its
// end, a pulsing warning when little time is left and, for four seconds
// after time was given back, a highlighted arc of what was given. The bar is
// the timer's boost handler from construction to destruction, so the timer
// must outlive it. A graphic missing from the registry is left out of the
// drawing. Main thread only.
class TLifeBar final : public GamePlay::ITimeController::ITimeBoostHandler {
 public:
  // Below this share of time left the warning pulses.
  static constexpr float kWarningShare = 0.125f;
  // The boost clock: blending the shown value, highlighted, fading out.
  static constexpr uint32_t kBlendMs = 1000;
  static constexpr uint32_t kHighlightMs = 2000;
  static constexpr uint32_t kBoostShownMs = 4000;

  TLifeBar(int32_t centreX, int32_t centreY, std::shared_ptr<IGraphic> base, std::shared_ptr<IGraphic> arc,
           std::shared_ptr<IGraphic> arcSegment, std::shared_ptr<IGraphic> boostArc,
           std::shared_ptr<IGraphic> boostArcSegment, std::shared_ptr<IGraphic> warning,
           std::shared_ptr<IGraphic> needle, std::shared_ptr<IGraphic> needleGlow,
           GamePlay::ITimeController* timeController);
  ~TLifeBar() override;
  TLifeBar(const TLifeBar&) = delete;
  TLifeBar& operator=(const TLifeBar&) = delete;

  void OnTimeBoost(float elapsedBefore, float elapsedAfter) override;
  // One frame of the gauge; no warning while a message covers the tower.
  void Draw(bool noWarning);

  // The gauge value drawn: the share of the level time left, blended from
  // the value before a boost over the boost's first second.
  float GetShownValue();
  bool IsBoostShown() const { return mBoostClock != nullptr; }

 private:
  float GetLiveValue();
  // Between 0.5 and 1, once a second.
  float GetPulseAlpha();
  void DrawArc(const std::shared_ptr<IGraphic>& arc, const std::shared_ptr<IGraphic>& segment, float value,
               float alpha);
  void DrawBoost(float value, float pulse);
  void DrawNeedle(float value);
  TVec2 OnRim(float angle) const;

  std::shared_ptr<IGraphic> mBase;
  std::shared_ptr<IGraphic> mArc;
  std::shared_ptr<IGraphic> mBoostArc;
  std::shared_ptr<IGraphic> mArcSegment;
  std::shared_ptr<IGraphic> mBoostArcSegment;
  std::shared_ptr<IGraphic> mNeedle;
  std::shared_ptr<IGraphic> mWarning;
  std::shared_ptr<IGraphic> mNeedleGlow;
  std::unique_ptr<GamePlay::IClockProxy> mClock;
  GamePlay::ITimeController* mTimeController;
  std::unique_ptr<GamePlay::IClockProxy> mBoostClock;
  float mBoostStartValue = 999999.9f;
  TVec2 mCentre;
};

}  // namespace GUI
