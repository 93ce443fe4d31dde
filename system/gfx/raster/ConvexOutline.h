#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "system/gfx/Rect.h"
#include "system/gfx/raster/Vertex.h"

namespace sys::gfx {

// The pixel centres a convex shape covers, decided exactly.
//
// Corners are snapped to a grid of 1/256 pixel, as hardware does. On that
// grid the edge function of a side from (x0, y0) to (x1, y1),
// (X - x0) (y1 - y0) - (Y - y0) (x1 - x0), is a whole number that 64 bits
// hold, so a centre lying on a side is never lost to rounding, and a side
// shared by two shapes splits its centres between them the same way in both.
// The top-left rule settles centres on the outline: one on a left side or a
// top side belongs to the shape, one on a right or a bottom side does not.
//
// Corners beyond the guard band would overflow those products, so a shape
// reaching past it is clipped to it first. A cut is always worked out from
// the same end of its side, so shapes sharing the side are cut alike.
class ConvexOutline {
 public:
  static constexpr int kSubPixelBits = 8;
  // Within this many pixels of 0 every product of the edge functions fits
  // 64 bits with room to spare.
  static constexpr double kGuardBand = 1 << 21;

  static bool WithinGuardBand(const TransformedVertex& v);

  // At most four corners, in order round the shape (either way round).
  ConvexOutline(const TransformedVertex* const* corners, int count);

  // Every turn the same way and none straight, on the grid.
  bool IsStrictlyConvex() const;

  // Calls emit(row, begin, end) for every row of `area` with covered
  // centres: those on the row from column begin up to, not including, end.
  template <typename Emit>
  void Scan(const Rect& area, Emit&& emit) const;

 private:
  // Each side of the guard band adds at most half the corners it is given:
  // four corners become at most 6, 9, 13 and 19.
  static constexpr int kMaxCorners = 20;

  struct Fixed {
    int64_t x, y;
  };

  // Along one side from its upper to its lower end, row after row, the first
  // column whose centre is not left of it: the ceiling of an exact ratio,
  // carried from row to row with its remainder so that no row divides.
  struct SideWalk {
    int32_t firstRow, endRow;
    int64_t column;
    int64_t shortfall;  // column x denominator - the ratio's numerator, below the denominator
    int64_t denominator;
    int64_t stepColumns, stepShortfall;

    int64_t Next() {
      const int64_t at = column;
      column += stepColumns;
      shortfall -= stepShortfall;
      if (shortfall < 0) {
        shortfall += denominator;
        ++column;
      }
      return at;
    }
  };

  // The walks of the sides crossing rows of `area`; the rows any of them
  // crosses are [rowBegin, rowEnd).
  int StartWalks(const Rect& area, SideWalk* walks, int32_t& rowBegin, int32_t& rowEnd) const;

  Fixed mCorners[kMaxCorners];
  int mCount = 0;
};

template <typename Emit>
void ConvexOutline::Scan(const Rect& area, Emit&& emit) const {
  SideWalk walks[kMaxCorners];
  int32_t rowBegin = 0, rowEnd = 0;
  const int count = StartWalks(area, walks, rowBegin, rowEnd);
  for (int32_t row = rowBegin; row < rowEnd; ++row) {
    // A convex outline crosses a row on its left side and its right side;
    // the least and the greatest column are those two.
    int64_t left = std::numeric_limits<int64_t>::max(), right = std::numeric_limits<int64_t>::min();
    for (int k = 0; k < count; ++k) {
      SideWalk& walk = walks[k];
      if (row < walk.firstRow || row >= walk.endRow) continue;
      const int64_t column = walk.Next();
      left = std::min(left, column);
      right = std::max(right, column);
    }
    const auto begin = static_cast<int32_t>(std::clamp<int64_t>(left, area.left, area.right));
    const auto end = static_cast<int32_t>(std::clamp<int64_t>(right, area.left, area.right));
    if (begin < end) emit(row, begin, end);
  }
}

}  // namespace sys::gfx
