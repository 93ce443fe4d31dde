#include "system/os/Sleep.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace sys {
namespace {

std::atomic<SleepFunction> gFunction{nullptr};

}  // namespace

void Sleep(uint32_t milliseconds) {
  SleepFunction function = gFunction.load(std::memory_order_acquire);
  if (function) {
    function(milliseconds);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetSleepFunction(SleepFunction function) { gFunction.store(function, std::memory_order_release); }

}  // namespace sys
