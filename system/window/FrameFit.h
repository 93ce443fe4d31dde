#pragma once

#include <cstdint>

#include "system/window/Picture.h"

namespace sys {

// Where a frame lies in a window's client area. A window shows its frame at
// the frame's own size in the top-left corner; on the desktop full screen
// the frame is scaled to fit, keeps its proportions and sits in the middle
// between black bars. Pointer positions are mapped between the two.
struct FrameFit {
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;
  int32_t x = 0;  // the frame's area in the client area
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  static FrameFit Of(int32_t clientWidth, int32_t clientHeight, int32_t frameWidth, int32_t frameHeight,
                     bool scaleToFit);

  // A client position to the frame pixel under it; positions on a bar or
  // outside go to the nearest edge pixel. Unchanged while no frame is known.
  void ToFrame(int32_t& x, int32_t& y) const;
  // A frame position to the client position of that pixel.
  void FromFrame(int32_t& x, int32_t& y) const;
};

// Draws the frame into a client-sized picture of 32-bit pixels: the fitted
// area scaled from the frame (nearest pixel), everything else black.
void DrawFittedFrame(const FrameView& frame, const FrameFit& fit, uint8_t* client, int32_t clientPitch,
                     int32_t clientWidth, int32_t clientHeight);

}  // namespace sys
