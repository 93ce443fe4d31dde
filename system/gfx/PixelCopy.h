#pragma once

#include <cstdint>

#include "system/gfx/Rect.h"
#include "system/gfx/Result.h"
#include "system/gfx/SurfaceDesc.h"

namespace sys::gfx {

// What a copy does besides moving pixels.
struct CopyOptions {
  const uint32_t* palette = nullptr;  // the 256 entries of an 8-bit source
  bool keyed = false;                 // source pixels within the key are left out
  uint32_t keyLow = 0;
  uint32_t keyHigh = 0;
};

// Whether pixels of one format can be copied into the other: Unsupported
// between depth and colour, and from colour into palette indices.
Result CheckCopy(const PixelFormat& source, const PixelFormat& target, bool sourceHasPalette);

// Writes `pixel` (in the target's format) over `area`, which lies inside.
void FillPixels(const LockedPixels& target, const Rect& area, uint32_t pixel);

// Copies the source area `from` onto the target area `to`, scaled to it by
// taking the nearest source pixel, writing only within `clip` (inside the
// target) and only where the source pixel lies inside the source. The two
// planes must not share memory.
void CopyPixels(const LockedPixels& source, const Rect& from, const LockedPixels& target, const Rect& to,
                const Rect& clip, const CopyOptions& options);

}  // namespace sys::gfx
