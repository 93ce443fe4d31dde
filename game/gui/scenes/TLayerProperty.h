#pragma once

#include <memory>
#include <vector>

#include "platform/types/TVec2.h"

namespace GUI::ScriptAnim {

class TLayer;

// A one-shot setting of a layer: applied once when its layer is built, or
// when its event or loop first applies.
class TLayerProperty {
 public:
  virtual void Apply(TLayer& layer) = 0;

 protected:
  ~TLayerProperty() = default;
};

class TLayerPos final : public TLayerProperty {
 public:
  explicit TLayerPos(const TVec2& position) : mPosition(position) {}
  void Apply(TLayer& layer) override;

 private:
  TVec2 mPosition;
};

class TLayerAlpha final : public TLayerProperty {
 public:
  explicit TLayerAlpha(float alpha) : mAlpha(alpha) {}
  void Apply(TLayer& layer) override;

 private:
  float mAlpha;
};

class TLayerScale final : public TLayerProperty {
 public:
  explicit TLayerScale(float scale) : mScale(scale) {}
  void Apply(TLayer& layer) override;

 private:
  float mScale;
};

class TLayerRotation final : public TLayerProperty {
 public:
  explicit TLayerRotation(float radians) : mRadians(radians) {}
  void Apply(TLayer& layer) override;

 private:
  float mRadians;
};

// The properties of an event or loop: all of them, and those not yet
// applied in the current run.
class TLayerPropertyList {
 public:
  void Add(std::shared_ptr<TLayerProperty> property);
  // Applies and drops every pending property, in order.
  void ApplyPending(TLayer& layer);
  bool HasPending() const { return !mPending.empty(); }
  // Every property pending again.
  void Reset() { mPending = mAll; }

 private:
  std::vector<std::shared_ptr<TLayerProperty>> mAll;
  std::vector<std::shared_ptr<TLayerProperty>> mPending;
};

}  // namespace GUI::ScriptAnim
