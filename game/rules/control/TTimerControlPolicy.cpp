#include "game/rules/control/TTimerControlPolicy.h"

#include <algorithm>

#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/control/TInputLocks.h"

namespace GamePlay {

TTimerControlPolicy::TTimerControlPolicy(ITowerControl* control, float totalTime, bool noTimeOut)
    : mTotal(totalTime),
      mRemaining(totalTime),
      mNoTimeOut(noTimeOut),
      mClock(TClockProxyRegistry::Instance().CreateClockProxy()),
      mControl(control) {}

void TTimerControlPolicy::Update() {
  if (mControl->GetInputLocks()->IsLocked(TInputLock::EndOfPlay)) return;
  if (!mStarted) {
    if (mControl->GetView()->IsShowingMessage()) return;
    mClock->Start();
    mStarted = true;
    mLastReading = mClock->GetTime();
    return;
  }
  uint32_t now = mClock->GetTime();
  uint32_t elapsed = now - mLastReading;
  mLastReading = now;
  // The time a message shows is not play time.
  if (mControl->GetView()->IsShowingMessage()) return;
  CountDown(elapsed);
}

void TTimerControlPolicy::CountDown(uint32_t elapsed) {
  bool hadTimeLeft = mRemaining >= 0;
  mRemaining -= static_cast<float>(elapsed);
  if (mRemaining >= 0) {
    WarnWhenAlmostOut();
  } else if (mNoTimeOut) {
    mRemaining = 0;
  } else if (hadTimeLeft) {
    mControl->EndTimeUp();
    mControl->GetSoundView()->StopAlmostTimeOut();
  }
}

void TTimerControlPolicy::WarnWhenAlmostOut() {
  ISoundFactoryView& sound = *mControl->GetSoundView();
  if (RemainingFraction() < kAlmostOutFraction) {
    sound.StartAlmostTimeOut();
  } else {
    sound.StopAlmostTimeOut();
  }
}

float TTimerControlPolicy::RemainingFraction() const {
  return mTotal > 0 ? mRemaining / mTotal : 0.0f;
}

float TTimerControlPolicy::GetRate() { return mTotal > 0 ? 1 - mRemaining / mTotal : 0.0f; }

void TTimerControlPolicy::AddTime(float fraction) {
  float before = GetRate();
  float old = mRemaining;
  mRemaining = std::min(mRemaining - fraction * mTotal, mTotal);
  if (mRemaining <= old) return;
  float after = GetRate();
  for (ITimeBoostHandler* handler : mHandlers) handler->OnTimeBoost(before, after);
}

void TTimerControlPolicy::AddTimeBoostHandler(ITimeBoostHandler* handler) {
  if (handler) mHandlers.push_back(handler);
}

void TTimerControlPolicy::RemoveTimeBoostHandler(ITimeBoostHandler* handler) {
  std::erase(mHandlers, handler);
}

}  // namespace GamePlay
