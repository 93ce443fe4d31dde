#pragma once

#include <memory>

#include "media/texture/TTexture.h"
#include "media/texture/TTextureData.h"
#include "system/gfx/Surface.h"

// Texture data over a surface the test made, with the load options given:
// the display finds its surface, and nothing else of it does anything.
// Tests derive from it to give one operation a body.
class FakeTextureData : public TTextureData {
 public:
  FakeTextureData(std::shared_ptr<sys::gfx::Surface> surface, int32_t width, int32_t height, uint8_t flags)
      : mSurface(std::move(surface)) {
    mWidth = width;
    mHeight = height;
    mFlags = flags;
  }

  void Release() override {}
  void Restore() override {}
  bool Load(const char*, const char*) override { return false; }
  bool CreateSurface(int32_t, int32_t) override { return false; }
  void Blit(int32_t, int32_t, const TRect*, const std::shared_ptr<TTexture>&) override {}
  void DrawClipped(float, float, float, float, const TRect*) override {}
  void Draw(const TVec2*, float, float, float, float, const TVec2*, const TColor*, int32_t, const TCornerTransform*,
            const TRect*) override {}
  void Clear() override {}
  bool Lock(void**, int32_t*, int32_t*, int32_t*) override { return false; }
  void Unlock() override {}
  std::pair<int32_t, int32_t> GetSurfaceSize() const override {
    return mSurface ? std::pair{mSurface->Width(), mSurface->Height()} : std::pair{0, 0};
  }
  void ActivatePalette(const TString&) override {}
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
