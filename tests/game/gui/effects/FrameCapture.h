#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "media/display/TDx3dDisplayHandler.h"
#include "system/gfx/PicturePng.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/DisplayOpening.h"

namespace GUI {

// 0xRRGGBB of the display's back buffer at (x, y).
inline uint32_t BackBufferColourAt(FakeDesktopDisplay& desktop, int32_t x, int32_t y) {
  return DevicePlatform::ColourAt(*desktop.Display().GetData().mBackBuffer, x, y) & 0xFFFFFF;
}

// With QUORVANE_FRAME_CAPTURE set, the back buffer's top left is written
// there as a PNG, for a person to look at.
inline void WriteFrameCaptureWhenAsked(FakeDesktopDisplay& desktop, int32_t width, int32_t height) {
  const char* path = std::getenv("QUORVANE_FRAME_CAPTURE");
  if (!path) return;
  sys::Picture shot{width, height, {}};
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) shot.pixels.push_back(0xFF000000u | BackBufferColourAt(desktop, x, y));
  }
  EXPECT_TRUE(sys::gfx::WritePicturePng(shot, path));
}

}  // namespace GUI
