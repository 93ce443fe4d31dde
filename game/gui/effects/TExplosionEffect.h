#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/effects/IEffect.h"
#include "platform/time/TClock.h"
#include "platform/types/TVec2.h"

namespace GamePlay {
class ITowerMeasurementView;
}

namespace GUI {

class IGraphic;

// A frame animation played once at a point of the tower: each draw shows the
// frame the elapsed share of the duration points at, added onto the picture
// (blend mode 1), scaled as the ring's pieces are across times a factor of its
// own. The clock starts when the effect is made; the first draw shows frame
// 0, and the effect has finished after the first draw past its duration.
class TExplosionEffect final : public IEffect {
 public:
  // scaleSource (not owned) outlives the effect; a null one scales by the
  // factor alone. A duration of 0 or less finishes after the first draw.
  TExplosionEffect(int32_t ring, std::shared_ptr<IGraphic> graphic, const TVec2& position,
                   float scaleFactor, GamePlay::ITowerMeasurementView* scaleSource,
                   float durationMs);

  bool IsAlive() override { return !IsFinished(); }
  bool IsFinished() override { return mProgress > 1.0f; }
  void Draw() override;

  float GetDuration() const { return mDuration; }
  const std::shared_ptr<IGraphic>& GetGraphic() const { return mGraphic; }

 private:
  void DrawFrame();
  float Scale() const;

  std::shared_ptr<IGraphic> mGraphic;
  TVec2 mPosition;
  float mDuration;
  int32_t mRing;
  GamePlay::ITowerMeasurementView* mScaleSource;
  float mProgress = 0.0f;
  float mScaleFactor;
  TClock mClock;
};

}  // namespace GUI
