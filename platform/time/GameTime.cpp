#include "platform/time/GameTime.h"

#include <atomic>

#include "platform/host/IHostBridge.h"
#include "system/os/TickCount.h"

namespace {

// The tick at which game time was 0, counting host pauses as if they had not
// happened, and the latest value handed out, which later reads never go below.
std::atomic<uint32_t> gStartTick{sys::TickCount()};
std::atomic<uint32_t> gLatest{0};

uint32_t RunningTicks() { return sys::TickCount() - GetHostBridge().GetHostPausedTime(); }

bool IsBefore(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) < 0; }

}  // namespace

uint32_t GetGameTime() {
  uint32_t now = RunningTicks() - gStartTick.load(std::memory_order_acquire);
  // The tick and the paused time are read one after the other, so a read during
  // a host pause may come out a little behind an earlier one: hold the line.
  uint32_t latest = gLatest.load(std::memory_order_acquire);
  do {
    if (IsBefore(now, latest)) return latest;
  } while (!gLatest.compare_exchange_weak(latest, now, std::memory_order_acq_rel));
  return now;
}

void RestartGameTime(uint32_t from) {
  gStartTick.store(RunningTicks() - from, std::memory_order_release);
  gLatest.store(from, std::memory_order_release);
}
