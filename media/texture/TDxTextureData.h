#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "media/texture/TTextureData.h"
#include "system/gfx/Palette.h"
#include "system/gfx/Result.h"
#include "system/gfx/SurfaceDesc.h"

class TDxDisplayHandler;
struct TDecodedImage;

// Texture data on our display device. The image lies in the top-left corner
// of a surface of powers of two (or exactly its size for "simple" ones),
// made directly or through the texture utility; palettized images keep
// 8-bit indices and their palettes by name. It works on the display the
// platform has installed, and does nothing without one. Main thread only.
class TDxTextureData final : public TTextureData {
 public:
  using PaletteTable = sys::gfx::Palette::Entries;

  TDxTextureData() = default;
  ~TDxTextureData() override;
  TDxTextureData(const TDxTextureData&) = delete;
  TDxTextureData& operator=(const TDxTextureData&) = delete;

  void Release() override;
  void Restore() override;
  bool Load(const char* name, const char* mask) override;
  bool CreateSurface(int32_t width, int32_t height) override;
  void Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>& destination) override;
  void DrawClipped(float x, float y, float alpha, float scale, const TRect* clip) override;
  void Draw(const TVec2* position, float alpha, float scaleX, float scaleY, float rotation, const TVec2* centre,
            const TColor* colour, int32_t flip, const TCornerTransform* corners, const TRect* source) override;
  void Clear() override;
  bool Lock(void** pixels, int32_t* width, int32_t* height, int32_t* pitch) override;
  void Unlock() override;
  std::pair<int32_t, int32_t> GetSurfaceSize() const override { return {mSurfaceWidth, mSurfaceHeight}; }
  void ActivatePalette(const TString& name) override;
  std::shared_ptr<sys::gfx::Surface> GetSurface() const override { return mSurface; }

  // Half of what the surface has beyond the image on each axis.
  int32_t GetMarginX() const { return mMarginX; }
  int32_t GetMarginY() const { return mMarginY; }
  // -1 when every level of a mipmap chain is loaded, else 0.
  int32_t GetMipmapLevel() const { return mMipmapLevel; }
  bool IsMadeByUtility() const { return mMadeByUtility; }
  // The palette a palettized image is copied through; null without one.
  const PaletteTable* GetCurrentPalette() const { return mCurrentPalette; }

 private:
  enum class MaskResult { Applied, Failed, Missing };
  // What one way of making the surface came to; Again: start over without "rt".
  enum class Made { Yes, No, Again };

  bool LoadWithExtension(const TString& fileName, const TString& optionText, const char* mask);
  MaskResult ApplyMask(const char* mask, TDecodedImage& image);
  bool LoadWithMaskExtension(const char* name, const char* mask);
  bool MakeSurfaceFor(const TDecodedImage& image);
  bool Fill(const TDecodedImage& image, const TString& fileName);
  bool FillPalettized(const TDecodedImage& image, const TString& fileName);

  Made CreateDirect(TDxDisplayHandler& display, int32_t width, int32_t height);
  Made CreateAlphaSurface(TDxDisplayHandler& display, sys::gfx::SurfaceDesc& desc);
  bool CreateWithUtility(TDxDisplayHandler& display, int32_t width, int32_t height);
  void CheckVideoMemoryFor(TDxDisplayHandler& display, const sys::gfx::SurfaceDesc& desc);
  void AttachDepthBuffer(TDxDisplayHandler& display);
  void TryAsRenderTarget(TDxDisplayHandler& display);
  void DropSurface();

  // 32-bit pixels, bytes blue, green, red, alpha, rows `stride` pixels
  // apart, into the image's area of the surface; through the texture
  // utility when it made the surface and `viaUtility` allows.
  bool CopyIn(const uint8_t* pixels, int32_t stride, bool viaUtility);
  // The image's area of the surface into `out`, rows the surface's width apart.
  bool CopyOut(std::vector<uint32_t>& out);
  bool BlitThroughPalette(sys::gfx::Surface& target, int32_t x, int32_t y, const TRect& source);

  std::shared_ptr<sys::gfx::Surface> mSurface;
  int32_t mMipmapLevel = 0;
  int32_t mSurfaceWidth = 0;
  int32_t mSurfaceHeight = 0;
  int32_t mMarginX = 0;
  int32_t mMarginY = 0;
  bool mMadeByUtility = false;
  const PaletteTable* mCurrentPalette = nullptr;  // one of mNamedPalettes
  std::map<TString, PaletteTable> mNamedPalettes;
  std::vector<uint32_t> mLockBuffer;
  bool mLockBuffered = false;  // Lock handed out mLockBuffer, not the surface
};

// The display texture data works on: the platform's, when it is ours.
TDxDisplayHandler* InstalledDxDisplay();
