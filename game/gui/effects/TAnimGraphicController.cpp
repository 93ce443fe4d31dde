#include "game/gui/effects/TAnimGraphicController.h"

#include <algorithm>
#include <limits>

namespace GUI {

namespace {

// The period in milliseconds, kept where the clock's whole milliseconds
// can divide by it: a rate so high that a run took less than 1 ms would
// leave nothing to divide by.
float RunPeriod(float framesPerSecond, uint32_t frameCount) {
  const float period = 1000.0f / framesPerSecond * static_cast<float>(frameCount);
  constexpr auto kLongest = static_cast<float>(std::numeric_limits<uint32_t>::max() / 2);
  if (!(period >= 1.0f)) return 1.0f;
  return std::min(period, kLongest);
}

}  // namespace

TAnimGraphicController::TAnimGraphicController(float framesPerSecond, uint32_t frameCount)
    : mPeriod(RunPeriod(framesPerSecond, frameCount)), mWholePeriod(static_cast<uint32_t>(mPeriod)) {
  Restart();
}

float TAnimGraphicController::GetAccentValue() {
  const uint32_t time = mClock.GetTime();
  if (mLooping) return static_cast<float>(time % mWholePeriod) / mPeriod;
  return std::min(static_cast<float>(time) / mPeriod, 1.0f);
}

bool TAnimGraphicController::IsRunFinished() const {
  return !mLooping && static_cast<float>(mClock.GetTime()) >= mPeriod;
}

void TAnimGraphicController::Restart() {
  mClock.Reset();
  mClock.Start();
}

}  // namespace GUI
