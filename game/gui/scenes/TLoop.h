#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/scenes/TAttributeLists.h"
#include "game/gui/scenes/TLayerAttribute.h"
#include "game/gui/scenes/TLayerProperty.h"

namespace GUI::ScriptAnim {

// Items and properties run again each time they have all finished: counter
// runs in all, or without end for a counter of 0. A further run starts at
// the time the previous one was seen to end.
class TLoop final : public TLayerAttribute {
 public:
  // The parent is null at the top of a timeline.
  TLoop(TLayerAttribute* parent, uint32_t counter)
      : mParent(parent), mCounter(counter), mRunsLeft(counter), mEndless(counter == 0) {}

  void AddChild(std::shared_ptr<TLayerAttribute> child) { mChildren.Add(std::move(child)); }
  void AddProperty(std::shared_ptr<TLayerProperty> property) { mProperties.Add(std::move(property)); }

  // Unlike an event, a loop updates its items before it applies them, so a
  // run's items apply already at the draw that starts them.
  void Apply(TLayer& layer, float time) override;
  bool IsActive(float time) override;
  // Starts the next run (and answers false) when one is left.
  bool IsFinished(float time) override;
  float GetStart() override { return ParentStart() + mStartOffset; }
  float GetEnd() override { return mChildren.LatestEnd(GetStart()); }
  void Reset() override;

 private:
  float ParentStart() const { return mParent != nullptr ? mParent->GetStart() : 0.0f; }

  TLayerAttribute* mParent;  // not owned: the parent holds this loop
  uint32_t mCounter;
  uint32_t mRunsLeft;
  bool mEndless;
  float mStartOffset = 0.0f;  // after the parent's start
  TAttributeLists mChildren;
  TLayerPropertyList mProperties;
};

}  // namespace GUI::ScriptAnim
