#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sys {

// A frame handed to the window: 32-bit pixels 0xXXRRGGBB, rows `pitch`
// bytes apart. The pixels stay the caller's.
struct FrameView {
  const uint8_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
};

// A picture read back from a window: 0xFFRRGGBB pixels, row after row.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int32_t x, int32_t y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

}  // namespace sys
