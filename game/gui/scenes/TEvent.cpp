#include "game/gui/scenes/TEvent.h"

namespace GUI::ScriptAnim {

void TEvent::Apply(TLayer& layer, float time) {
  mProperties.ApplyPending(layer);
  mChildren.ApplyActive(layer, time);
  mChildren.Update(layer, time);
}

bool TEvent::IsActive(float time) {
  return mChildren.AnyActiveAt(time) || (GetStart() < time && mProperties.HasPending());
}

bool TEvent::IsFinished(float time) {
  if (!mChildren.Pending().empty() || mChildren.AnyUnfinishedAt(time)) return false;
  return !mProperties.HasPending();
}

float TEvent::GetStart() {
  const float parentStart = mParent != nullptr ? mParent->GetStart() : 0.0f;
  return parentStart + static_cast<float>(mStart);
}

void TEvent::Reset() {
  mProperties.Reset();
  mChildren.Reset();
}

}  // namespace GUI::ScriptAnim
