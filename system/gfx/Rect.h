#pragma once

#include <algorithm>
#include <cstdint>

namespace sys::gfx {

// A rectangle of pixels: left and top inside, right and bottom just outside.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool operator==(const Rect&) const = default;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

inline Rect Intersect(const Rect& a, const Rect& b) {
  return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

inline Rect SizeRect(int32_t width, int32_t height) { return Rect{0, 0, width, height}; }

}  // namespace sys::gfx
