#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/text/TVecTextures.h"

// One texture's pixels in memory, for the vector renderer to draw text into:
// every texture handle locks them. No render textures. Header only, so that
// fuzzing programs can use it too.
class BufferTextures final : public TVecTextures {
 public:
  BufferTextures(int32_t width, int32_t height, uint32_t argb = 0)
      : width(width), height(height), pixels(static_cast<size_t>(width) * height, argb) {}

  std::shared_ptr<TTexture> CreateRenderTarget(int32_t, int32_t) override { return nullptr; }
  bool Lock(TTexture&, TVecPixels& out) override {
    out = {reinterpret_cast<uint8_t*>(pixels.data()), width, height, width * 4};
    return true;
  }
  void Unlock(TTexture&) override {}

  // 0xAARRGGBB.
  uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }

  const int32_t width, height;
  std::vector<uint32_t> pixels;
};
