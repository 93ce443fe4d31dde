#include "platform/time/TClock.h"

#include "platform/time/GameTime.h"

uint32_t TClock::GetTime() const {
  if (mPaused) return mFrozen;
  return mBase + (GetGameTime() - mStartStamp) - mPausedTotal;
}

uint32_t TClock::SetTime(uint32_t value) {
  mStartStamp = GetGameTime();
  mBase = mFrozen = value;
  mPausedTotal = 0;
  return value;
}

void TClock::Start() {
  if (!mPaused) return;
  mPaused = false;
  if (mStarted) {
    // Running again, the clock would show the paused span on top of the frozen
    // value: count that span as paused time so it goes on from the frozen value.
    mPausedTotal += GetTime() - mFrozen;
  } else {
    mStarted = true;
    SetTime(0);
  }
}

bool TClock::Pause() {
  if (mPaused) return true;
  mFrozen = GetTime();
  mPaused = true;
  return false;
}

uint32_t TClock::Reset() {
  SetTime(0);
  mPaused = true;
  return 0;
}
