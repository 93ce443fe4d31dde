#pragma once

#include <cstdint>

class TWindow;

// The coding of the places that window tables give, one axis at a time,
// against the parent's extent P on that axis.
//
// A coded position v:
//   v < 0                   from the far edge: v + P
//   0 <= v <= 40000         absolute: v
//   40000 < v <= 106666     centred, moved by v - 80000
//   v > 106666              from the far edge: v + P - 160000
// A coded extent s:
//   0 <= s <= 80000         the extent itself
//   s > 80000               reaches to the parent's far edge and s - 160000
//                           beyond it (159990: 10 short of it); with a centred
//                           or far-edge position, the margins on both sides
//                           are equal
//   s < 0                   extent -s, the coded position being the window's
//                           far edge
//
// The arithmetic runs in 64 bits on values read as 32-bit script integers,
// so no coding overflows; the results are clamped before they reach a window.

// Bits of a window table's "align": the coded position is the window's
// centre or far edge rather than its near edge.
enum TAlignFlag : int32_t {
  kAlignCentreX = 0x1,
  kAlignRight = 0x2,
  kAlignCentreY = 0x4,
  kAlignBottom = 0x8,
};

enum class TAxis { kHorizontal, kVertical };

// Resolved positions lie within plus or minus this, extents between 0 and
// this: the sum of the positions of kMaxWindowDepth ancestors, and any edge,
// stays well within 32 bits.
constexpr int64_t kMaxPlacedCoordinate = int64_t{1} << 22;

// Resolves a coded position for a window of the given extent.
void PlaceCoordinate(int64_t& value, int64_t ownExtent, int64_t parentExtent);
// Resolves a coded position above 40000 with a coded extent above 80000 into
// equal margins on both sides.
void PlaceMargins(int64_t& position, int64_t& extent, int64_t parentExtent);
// Resolves one axis of a window's place under the parent (none: only the
// alignment is applied): first the alignment, then the coding.
void ResolveAxis(const TWindow* parent, TAxis axis, bool centre, bool farEdge, int64_t& position, int64_t& extent);

// Before its first child is placed, a parent without a width takes the coded
// extent and position of a child whose extent is a plain one (1 to 79999);
// likewise for the height.
void GrowEmptyParent(TWindow& parent, int64_t x, int64_t y, int64_t width, int64_t height);

int32_t ClampPosition(int64_t position);
// Also makes a negative extent empty.
int32_t ClampExtent(int64_t extent);
