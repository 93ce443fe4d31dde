#include "game/gui/play/TDelayedAction.h"

#include <utility>

#include "game/rules/control/TClockProxyRegistry.h"

namespace GUI {

TDelayedAction::TDelayedAction() : mClock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy()) {}

void TDelayedAction::Set(std::function<void()> callback, uint32_t delayMs) {
  mCallback = std::move(callback);
  mDelay = delayMs;
  mClock->Stop();
  mClock->Start();
}

void TDelayedAction::Poll() {
  if (!mCallback || GamePlay::TClockProxyRegistry::Instance().IsSuspended()) return;
  if (mClock->GetTime() <= mDelay) return;
  std::function<void()> due = std::move(mCallback);
  mCallback = nullptr;
  due();
}

}  // namespace GUI
