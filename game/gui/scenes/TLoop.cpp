#include "game/gui/scenes/TLoop.h"

namespace GUI::ScriptAnim {

void TLoop::Apply(TLayer& layer, float time) {
  mProperties.ApplyPending(layer);
  mChildren.Update(layer, time);
  mChildren.ApplyActive(layer, time);
}

bool TLoop::IsActive(float time) {
  if (mChildren.AnyActiveAt(time)) return true;
  if (!(GetStart() < time)) return false;
  return mProperties.HasPending() || mRunsLeft != 0 || mEndless;
}

bool TLoop::IsFinished(float time) {
  if (mChildren.AnyUnfinishedAt(time) || mProperties.HasPending()) return false;
  if ((mRunsLeft == 0 && !mEndless) || mRunsLeft == 1) return true;
  // An endless loop counts down from 0 and wraps: it goes on.
  --mRunsLeft;
  mChildren.Reset();
  mProperties.Reset();
  // The next run starts now. The offset is kept after the parent's start,
  // so that a loop inside an event that starts late does not wait that long
  // again between its runs.
  mStartOffset = time - ParentStart();
  return false;
}

void TLoop::Reset() {
  mStartOffset = 0.0f;
  mRunsLeft = mCounter;
  mProperties.Reset();
  mChildren.Reset();
}

}  // namespace GUI::ScriptAnim
