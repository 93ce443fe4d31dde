#include "system/os/TickCount.h"

#include <atomic>
#include <chrono>

namespace sys {
namespace {

std::atomic<TickSource> gSource{nullptr};

uint32_t SteadyTicks() {
  auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

}  // namespace

uint32_t TickCount() {
  TickSource source = gSource.load(std::memory_order_acquire);
  return source ? source() : SteadyTicks();
}

void SetTickSource(TickSource source) { gSource.store(source, std::memory_order_release); }

}  // namespace sys
