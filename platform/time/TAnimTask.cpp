#include "platform/time/TAnimTask.h"

#include "platform/time/GameTime.h"
#include "platform/time/TClock.h"

namespace {

int32_t SignedSpan(uint32_t from, uint32_t to) { return static_cast<int32_t>(to - from); }

}  // namespace

TAnimTask::TAnimTask(TClock* clock) : mClock(clock) { mDue = GetNow(); }

uint32_t TAnimTask::GetNow() const { return mClock ? mClock->GetTime() : GetGameTime(); }

bool TAnimTask::IsReady(TTaskPass pass) {
  if (pass == TTaskPass::Frame) return mReady;
  return !mStopped && SignedSpan(mDue, GetNow()) >= 0;
}

bool TAnimTask::IsBehind(uint32_t now) const { return !mStopped && SignedSpan(mDue, now) > 0; }

bool TAnimTask::Step() {
  uint32_t now = GetNow();
  if (SignedSpan(mDue, now) > kResyncLateness) mDue = now;
  bool keep;
  do {
    mDue = mRestartFromNow ? now + mPeriod : mDue + mPeriod;
    keep = Animate();
    // A one-shot task has no later due time to catch up with.
  } while (keep && mCatchUp && mPeriod > 0 && IsBehind(now));
  return keep;
}

void TAnimTask::Start(uint32_t delay, bool repeat, bool restartFromNow, bool catchUp) {
  mRestartFromNow = restartFromNow;
  mCatchUp = catchUp;
  mPeriod = repeat ? delay : 0;
  if (restartFromNow || mStopped) {
    mDue = GetNow() + delay;
  } else {
    mDue += delay;
  }
  mStopped = false;
}

void TAnimTask::Stop() {
  mStopped = true;
  mReady = false;
}

void TAnimTask::SetReady(bool ready) { mReady = ready; }

uint32_t TAnimTask::GetTimeSinceDue() const {
  return mStopped ? UINT32_MAX : GetNow() - mDue;
}
