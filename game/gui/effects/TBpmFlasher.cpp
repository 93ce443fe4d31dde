#include "game/gui/effects/TBpmFlasher.h"

#include <cmath>
#include <limits>

#include "game/rules/control/TClockProxyRegistry.h"
#include "platform/text/Log.h"

namespace GUI {

namespace {

constexpr float kPi = 3.1415927f;
constexpr uint32_t kAccentEvery = 4;

}  // namespace

TBpmFlasher::TBpmFlasher(float beatsPerMinute)
    : mClock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy()) {
  const float beatsPerSecond = beatsPerMinute / 60.0f;
  mPeriod = static_cast<double>(1.0f / beatsPerSecond) * 1000.0;
  // Beat and phase divide by the whole period, held in the clock's 32 bits.
  if (mPeriod >= 1.0 && mPeriod <= std::numeric_limits<uint32_t>::max()) {
    mWholePeriod = static_cast<uint32_t>(mPeriod);
  } else {
    LogPrintf("Flasher tempo of %g beats per minute refused: no whole period to beat", beatsPerMinute);
  }
  mClock->Start();
  mStartTime = mClock->GetTime();
}

void TBpmFlasher::Reset() { mStartTime = mClock->GetTime(); }

float TBpmFlasher::GetAccentValue() { return std::fabs(mAccent); }

float TBpmFlasher::GetPulseValue() { return std::fabs(mPulse); }

void TBpmFlasher::Update(float) {
  if (mWholePeriod == 0) return;
  const uint32_t elapsed = mClock->GetTime() - mStartTime;
  const uint32_t beat = elapsed / mWholePeriod;
  const uint32_t rest = elapsed % mWholePeriod;
  const auto phase = static_cast<float>(rest / mPeriod);
  const float s = std::sin(phase * kPi);
  mPulse = s;
  mAccent = beat % kAccentEvery == 0 ? s : s * 0.5f;
}

}  // namespace GUI
