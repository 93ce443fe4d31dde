#include "system/os/LocalTime.h"

#include <atomic>
#include <ctime>

namespace sys {
namespace {

std::atomic<LocalTimeSource> gLocalTimeSource{nullptr};

// localtime_r, unlike localtime, keeps no shared buffer between threads.
LocalDateTime SystemLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!localtime_r(&now, &local)) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
          local.tm_min,         local.tm_sec,     local.tm_wday};
}

}  // namespace

LocalDateTime LocalNow() {
  LocalTimeSource source = gLocalTimeSource.load(std::memory_order_acquire);
  return source ? source() : SystemLocalTime();
}

void SetLocalTimeSource(LocalTimeSource source) { gLocalTimeSource.store(source, std::memory_order_release); }

}  // namespace sys
