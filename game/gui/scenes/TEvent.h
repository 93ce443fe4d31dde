#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/scenes/TAttributeLists.h"
#include "game/gui/scenes/TLayerAttribute.h"
#include "game/gui/scenes/TLayerProperty.h"

namespace GUI::ScriptAnim {

// Items and properties that start together, a number of milliseconds after
// the start of the enclosing event or loop (after the layer's time 0 at the
// top of a timeline). It ends with the latest of its items.
class TEvent final : public TLayerAttribute {
 public:
  // The parent is null at the top of a timeline.
  TEvent(TLayerAttribute* parent, uint32_t start) : mStart(start), mParent(parent) {}

  void AddChild(std::shared_ptr<TLayerAttribute> child) { mChildren.Add(std::move(child)); }
  void AddProperty(std::shared_ptr<TLayerProperty> property) { mProperties.Add(std::move(property)); }

  void Apply(TLayer& layer, float time) override;
  bool IsActive(float time) override;
  bool IsFinished(float time) override;
  float GetStart() override;
  float GetEnd() override { return mChildren.LatestEnd(GetStart()); }
  void Reset() override;

 private:
  uint32_t mStart;
  TLayerAttribute* mParent;  // not owned: the parent holds this event
  TAttributeLists mChildren;
  TLayerPropertyList mProperties;
};

}  // namespace GUI::ScriptAnim
