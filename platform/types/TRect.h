#pragma once

#include <cstdint>

#include "platform/types/TVec2.h"

// An integer rectangle with edges left, top, right and bottom. It is empty when
// right < left or bottom < top; a rectangle whose edges meet is a line, and
// holds the points on it.
struct TRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  TRect() = default;
  TRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
      : left(left), top(top), right(right), bottom(bottom) {}

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return right < left || bottom < top; }
  // Inclusive on all four edges.
  bool Contains(const TVec2& point) const;
  bool operator==(const TRect&) const = default;

  // The smallest rectangle spanning both, empty ones included.
  static TRect Union(const TRect& a, const TRect& b);
  // The overlap of both; empty when they do not overlap.
  static TRect Intersect(const TRect& a, const TRect& b);
};
