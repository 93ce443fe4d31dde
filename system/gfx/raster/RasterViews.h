#pragma once

#include <cstdint>

#include "system/gfx/raster/PixelCodec.h"

namespace sys::gfx {

// Where the rasterizer writes: locked pixels of a render target. Rows are
// `pitch` bytes apart.
struct ColourView {
  uint8_t* pixels = nullptr;
  int32_t pitch = 0;
  int32_t width = 0;
  int32_t height = 0;
  PixelLayout format = PixelLayout::X8R8G8B8;

  uint8_t* Row(int32_t y) const { return pixels + static_cast<intptr_t>(y) * pitch; }
};

// A 16-bit depth buffer: 0 is nearest, 65535 farthest.
struct DepthView {
  uint8_t* pixels = nullptr;
  int32_t pitch = 0;
  int32_t width = 0;
  int32_t height = 0;

  uint16_t* Row(int32_t y) const { return reinterpret_cast<uint16_t*>(pixels + static_cast<intptr_t>(y) * pitch); }
};

// One mipmap level of a texture being sampled.
struct TextureLevel {
  const uint8_t* pixels = nullptr;
  int32_t pitch = 0;
  int32_t width = 0;
  int32_t height = 0;
  PixelLayout format = PixelLayout::X8R8G8B8;

  const uint8_t* Row(int32_t y) const { return pixels + static_cast<intptr_t>(y) * pitch; }
};

// A texture with its levels, the largest first, each half the size of the
// one before (at least 1).
struct TextureView {
  static constexpr int kMaxLevels = 12;
  TextureLevel levels[kMaxLevels];
  int levelCount = 0;
};

}  // namespace sys::gfx
