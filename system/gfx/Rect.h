#pragma once

#include <algorithm>
#include <cstdint>

#include "system/window/PixelRect.h"

namespace sys::gfx {

// The window layer's rectangle of pixels, for surfaces too.
using Rect = PixelRect;

// Coordinates beyond this distance from the origin are refused, so that no
// size or scale worked out from them can overflow.
constexpr int32_t kLargestCoordinate = 1 << 24;

inline bool InCoordinateRange(const Rect& rect) {
  auto fits = [](int32_t value) { return value >= -kLargestCoordinate && value <= kLargestCoordinate; };
  return fits(rect.left) && fits(rect.top) && fits(rect.right) && fits(rect.bottom);
}

inline Rect Intersect(const Rect& a, const Rect& b) {
  return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

inline Rect SizeRect(int32_t width, int32_t height) { return Rect{0, 0, width, height}; }

}  // namespace sys::gfx
