#pragma once

#include <memory>

#include "media/TTexture.h"
#include "media/TTextureData.h"

// Texture data over a surface the test made, with the load options given.
class FakeTextureData final : public TTextureData {
 public:
  FakeTextureData(std::shared_ptr<sys::gfx::Surface> surface, int32_t width, int32_t height, uint8_t flags)
      : mSurface(std::move(surface)) {
    mWidth = width;
    mHeight = height;
    mFlags = flags;
  }

  std::shared_ptr<sys::gfx::Surface> GetSurface() const override { return mSurface; }

 private:
  std::shared_ptr<sys::gfx::Surface> mSurface;
};

// A texture over the surface, its image the surface's size.
inline std::shared_ptr<TTexture> TextureOver(std::shared_ptr<sys::gfx::Surface> surface, uint8_t flags = 0) {
  int32_t width = surface ? surface->Width() : 0;
  int32_t height = surface ? surface->Height() : 0;
  return std::make_shared<TTexture>(std::make_unique<FakeTextureData>(std::move(surface), width, height, flags));
}
