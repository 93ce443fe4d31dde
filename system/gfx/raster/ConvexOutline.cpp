#include "system/gfx/raster/ConvexOutline.h"

#include <cmath>
#include <tuple>
#include <utility>

namespace sys::gfx {
namespace {

constexpr int64_t kSubPixel = int64_t{1} << ConvexOutline::kSubPixelBits;

// The smallest whole number not below n / d, for d > 0.
int64_t CeilDiv(int64_t n, int64_t d) { return n / d + (n % d > 0); }

// The greatest whole number not above n / d, for d > 0.
int64_t FloorDiv(int64_t n, int64_t d) { return n / d - (n % d < 0); }

struct Point {
  double at[2];  // x, y
};

// Where the side from p to q meets the line on which coordinate `axis` is
// `value`. Worked out from the lesser end, so either order gives the same
// point.
Point Cut(Point p, Point q, int axis, double value) {
  if (std::tie(q.at[0], q.at[1]) < std::tie(p.at[0], p.at[1])) std::swap(p, q);
  const int other = 1 - axis;
  const double t = (value - p.at[axis]) / (q.at[axis] - p.at[axis]);
  Point cut;
  cut.at[axis] = value;
  cut.at[other] = p.at[other] + t * (q.at[other] - p.at[other]);
  return cut;
}

// The part of a polygon on the inner side of one side of the guard band,
// where coordinate `axis` times `sign` is at most the band.
int ClipToBandSide(const Point* in, int count, int axis, double sign, Point* out) {
  const double limit = sign * ConvexOutline::kGuardBand;
  auto inside = [&](const Point& p) { return sign * p.at[axis] <= ConvexOutline::kGuardBand; };
  int kept = 0;
  for (int k = 0; k < count; ++k) {
    const Point& p = in[k];
    const Point& q = in[(k + 1) % count];
    if (inside(p)) out[kept++] = p;
    if (inside(p) != inside(q)) out[kept++] = Cut(p, q, axis, limit);
  }
  return kept;
}

}  // namespace

bool ConvexOutline::WithinGuardBand(const TransformedVertex& v) {
  return std::abs(v.x) <= kGuardBand && std::abs(v.y) <= kGuardBand;
}

ConvexOutline::ConvexOutline(const TransformedVertex* const* corners, int count) {
  Point buffers[2][kMaxCorners];
  Point* points = buffers[0];
  bool within = true;
  for (int k = 0; k < count; ++k) {
    points[k] = {{corners[k]->x, corners[k]->y}};
    within = within && WithinGuardBand(*corners[k]);
  }
  if (!within) {
    int pass = 0;
    for (const int axis : {0, 1}) {
      for (const double sign : {-1.0, 1.0}) {
        Point* out = buffers[++pass % 2];
        count = ClipToBandSide(points, count, axis, sign, out);
        points = out;
      }
    }
  }
  mCount = count;
  for (int k = 0; k < count; ++k) {
    mCorners[k] = {std::llround(points[k].at[0] * kSubPixel), std::llround(points[k].at[1] * kSubPixel)};
  }
}

bool ConvexOutline::IsStrictlyConvex() const {
  int clockwise = 0, counterClockwise = 0;
  for (int k = 0; k < mCount; ++k) {
    const Fixed& p = mCorners[k];
    const Fixed& q = mCorners[(k + 1) % mCount];
    const Fixed& r = mCorners[(k + 2) % mCount];
    const int64_t turn = (q.x - p.x) * (r.y - q.y) - (q.y - p.y) * (r.x - q.x);
    clockwise += turn > 0;
    counterClockwise += turn < 0;
  }
  return mCount >= 3 && (clockwise == mCount || counterClockwise == mCount);
}

int ConvexOutline::StartWalks(const Rect& area, SideWalk* walks, int32_t& rowBegin, int32_t& rowEnd) const {
  rowBegin = rowEnd = area.top;
  if (mCount == 0) return 0;
  int64_t highest = mCorners[0].y, lowest = mCorners[0].y;
  for (int k = 1; k < mCount; ++k) {
    highest = std::min(highest, mCorners[k].y);
    lowest = std::max(lowest, mCorners[k].y);
  }
  // Centres from the top, on it included, down to the bottom, excluded.
  rowBegin = static_cast<int32_t>(std::clamp<int64_t>(CeilDiv(highest, kSubPixel), area.top, area.bottom));
  rowEnd = static_cast<int32_t>(std::clamp<int64_t>(CeilDiv(lowest, kSubPixel), area.top, area.bottom));
  int count = 0;
  for (int k = 0; k < mCount; ++k) {
    Fixed top = mCorners[k], bottom = mCorners[(k + 1) % mCount];
    if (bottom.y < top.y) std::swap(top, bottom);
    // The same half-open rows for each side, so a level side crosses none.
    const int64_t first = std::max<int64_t>(CeilDiv(top.y, kSubPixel), rowBegin);
    const int64_t end = std::min<int64_t>(CeilDiv(bottom.y, kSubPixel), rowEnd);
    if (first >= end) continue;
    // Centre (X, Y) lies on or right of the side when its edge function
    // (X - top.x) dy - (Y - top.y) dx is not below 0, dy being above 0: when
    // X dy >= top.x dy + (Y - top.y) dx. On row r, Y = 256 r and the column
    // is X / 256.
    const int64_t dx = bottom.x - top.x, dy = bottom.y - top.y;
    SideWalk& walk = walks[count++];
    walk.firstRow = static_cast<int32_t>(first);
    walk.endRow = static_cast<int32_t>(end);
    walk.denominator = dy * kSubPixel;
    const int64_t numerator = top.x * dy + (first * kSubPixel - top.y) * dx;
    walk.column = CeilDiv(numerator, walk.denominator);
    walk.shortfall = walk.column * walk.denominator - numerator;
    const int64_t step = dx * kSubPixel;  // the numerator's growth from row to row
    walk.stepColumns = FloorDiv(step, walk.denominator);
    walk.stepShortfall = step - walk.stepColumns * walk.denominator;
  }
  return count;
}

}  // namespace sys::gfx
