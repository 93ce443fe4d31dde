#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "system/gfx/Result.h"

namespace sys::gfx {

// The 256 colours of an 8-bit surface. Each entry is four bytes, blue,
// green, red and alpha in memory order: the value 0xAARRGGBB.
class Palette {
 public:
  static constexpr uint32_t kEntries = 256;
  using Entries = std::array<uint32_t, kEntries>;

  explicit Palette(const Entries& entries) : mEntries(entries) {}
  Palette(const Palette&) = delete;
  Palette& operator=(const Palette&) = delete;

  // `count` entries from `first` on; InvalidArgument past the last entry.
  Result GetEntries(uint32_t first, uint32_t count, uint32_t* out) const;
  Result SetEntries(uint32_t first, uint32_t count, const uint32_t* entries);
  Entries Snapshot() const;

 private:
  mutable std::mutex mMutex;
  Entries mEntries;
};

}  // namespace sys::gfx
