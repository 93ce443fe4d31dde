#pragma once

#include "game/gui/scenes/TLayerAttribute.h"
#include "platform/types/TVec2.h"

namespace GUI::ScriptAnim {

// A change of one layer property from a start value to an end value over a
// duration, starting when its enclosing event or loop starts. One of
// duration 0 is never active.
template <class TValue>
class TSetAction : public TLayerAttribute {
 public:
  TSetAction(TLayerAttribute& parent, float duration, const TValue& from, const TValue& to)
      : mParent(parent), mDuration(duration), mFrom(from), mTo(to) {}

  // The fraction of the duration gone, at most 1 (never clamped below 0).
  void Apply(TLayer& layer, float time) override {
    float fraction = (time - GetStart()) / mDuration;
    if (fraction > 1.0f) fraction = 1.0f;
    SetValue(layer, mFrom + (mTo - mFrom) * fraction);
  }
  bool IsActive(float time) override { return GetStart() <= time && time < GetStart() + mDuration; }
  bool IsFinished(float time) override { return time >= GetStart() + mDuration; }
  float GetStart() override { return mParent.GetStart(); }
  float GetEnd() override { return GetStart() + mDuration; }
  void Reset() override {}

 protected:
  ~TSetAction() = default;
  virtual void SetValue(TLayer& layer, const TValue& value) = 0;

 private:
  TLayerAttribute& mParent;
  float mDuration;
  TValue mFrom;
  TValue mTo;
};

class TAlphaAction final : public TSetAction<float> {
 public:
  using TSetAction::TSetAction;

 private:
  void SetValue(TLayer& layer, const float& value) override;
};

class TScaleAction final : public TSetAction<float> {
 public:
  using TSetAction::TSetAction;

 private:
  void SetValue(TLayer& layer, const float& value) override;
};

// Values in radians.
class TRotationAction final : public TSetAction<float> {
 public:
  using TSetAction::TSetAction;

 private:
  void SetValue(TLayer& layer, const float& value) override;
};

class TPosAction final : public TSetAction<TVec2> {
 public:
  using TSetAction::TSetAction;

 private:
  void SetValue(TLayer& layer, const TVec2& value) override;
};

}  // namespace GUI::ScriptAnim
