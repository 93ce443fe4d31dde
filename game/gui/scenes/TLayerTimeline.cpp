#include "game/gui/scenes/TLayerTimeline.h"

#include "game/rules/control/TClockProxyRegistry.h"

namespace GUI::ScriptAnim {

void TLayerTimeline::Update(TLayer& layer) {
  if (!mClock) {
    mClock.reset(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
    mClock->Start();
  }
  if (mLists.AreAllFinished()) return;
  const auto time = static_cast<float>(mClock->GetTime());
  mLists.ApplyActive(layer, time);
  mLists.Update(layer, time);
}

}  // namespace GUI::ScriptAnim
