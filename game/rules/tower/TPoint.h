#pragma once

#include <cstdint>

namespace GamePlay {

// A point on screen in whole pixels.
struct TPoint {
  int32_t x = 0;
  int32_t y = 0;

  bool operator==(const TPoint&) const = default;
};

}  // namespace GamePlay
