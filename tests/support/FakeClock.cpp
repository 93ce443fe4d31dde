#include "tests/support/FakeClock.h"

#include <atomic>

#include "platform/GameTime.h"
#include "system/os/Sleep.h"
#include "system/os/TickCount.h"

namespace {

// Far from 0, so that code taking the tick for game time would show.
constexpr uint32_t kFirstTick = 0x51000000;
std::atomic<uint32_t> gTicks{kFirstTick};

uint32_t FakeTicks() { return gTicks.load(); }
void FakeSleep(uint32_t milliseconds) { gTicks += milliseconds; }

}  // namespace

FakeClock::FakeClock(uint32_t gameTime) {
  gTicks = kFirstTick;
  sys::SetTickSource(FakeTicks);
  sys::SetSleepFunction(FakeSleep);
  RestartGameTime(gameTime);
}

// Game time goes on from where the fake left it, never back.
FakeClock::~FakeClock() {
  uint32_t reached = GetGameTime();
  sys::SetTickSource(nullptr);
  sys::SetSleepFunction(nullptr);
  RestartGameTime(reached);
}

void FakeClock::Advance(uint32_t milliseconds) { gTicks += milliseconds; }

uint32_t FakeClock::Ticks() const { return gTicks; }
