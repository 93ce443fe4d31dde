#pragma once

#include <cstdint>

#include "media/texture/TTexture.h"

// A texture of a given size without a display, for the texture cache to hand
// out and for windows sized after their texture.
class SizedTexture : public TTexture {
 public:
  SizedTexture(int32_t width, int32_t height) : mWidth(width), mHeight(height) {}
  int32_t GetWidth() const override { return mWidth; }
  int32_t GetHeight() const override { return mHeight; }

 private:
  int32_t mWidth;
  int32_t mHeight;
};
