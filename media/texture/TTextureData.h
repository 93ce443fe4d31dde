#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "media/texture/TextureOptions.h"
#include "platform/text/TString.h"
#include "platform/types/TColor.h"
#include "platform/types/TRect.h"
#include "platform/types/TVec2.h"

class TTexture;
namespace sys::gfx {
class Surface;
}  // namespace sys::gfx

// How the three corners after the first move relative to it when a quad is
// drawn: x' = x0 + a (x - x0) + c (y - y0), y' = y0 + d (y - y0) + b (x - x0).
struct TCornerTransform {
  float a = 1;
  float b = 0;
  float c = 0;
  float d = 1;
};

// The device side of a texture: the surface its image lives in, made from an
// image file or at a size, rebuilt after the display was lost, drawn as a
// quad, copied and locked. The display makes it for its texture.
class TTextureData {
 public:
  // Load options.
  enum Flags : uint8_t {
    kRenderTarget = kTextureRenderTarget,  // "rt": the display can draw into it
    kAlpha = kTextureAlpha,                // "alpha": the surface has an alpha channel
    kAutomaticAlpha = kTextureAutoAlpha,   // alpha as the decoded image has it
    kMipmap = kTextureMipmap,
    kSimple = kTextureSimple,  // "simple": a plain surface in the display's format, sized exactly
    kSlow = kTextureSlow,      // "slow": with "simple", in system memory
    kPalettized = kTexturePalettized,
  };

  virtual ~TTextureData() = default;

  // Drops the surface; names, sizes and flags stay for Restore.
  virtual void Release() = 0;
  // Makes the surface again: from the image file, or blank at the size.
  virtual void Restore() = 0;
  // The image file, with load options after "?"; `mask` (or null) gives the
  // alpha. False, with a log line, when it cannot be loaded.
  virtual bool Load(const char* name, const char* mask) = 0;
  // A blank surface for an image of the size.
  virtual bool CreateSurface(int32_t width, int32_t height) = 0;
  // Copies the image's `source` (whole when null) to (x, y) of the
  // destination's surface, or of the current render target without one.
  virtual void Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>& destination) = 0;
  // The whole surface at (x, y), drawn only inside `clip` (image pixels, at
  // scale) or the image's own area.
  virtual void DrawClipped(float x, float y, float alpha, float scale, const TRect* clip) = 0;
  // The image's `source` (whole when null) as a quad anchored at `centre`
  // (in image pixels; null: the middle) placed at `position`, scaled, turned
  // by `rotation` radians, tinted by `colour`, flipped by `flip` (1 mirrors
  // x, 2 mirrors y). A negative alpha draws the image's shape in the colour.
  virtual void Draw(const TVec2* position, float alpha, float scaleX, float scaleY, float rotation,
                    const TVec2* centre, const TColor* colour, int32_t flip, const TCornerTransform* corners,
                    const TRect* source) = 0;
  // Fills the surface with 0.
  virtual void Clear() = 0;
  // The surface's pixels as 32-bit blue, green, red, alpha until Unlock;
  // `pitch` in bytes. Null out-pointers are skipped.
  virtual bool Lock(void** pixels, int32_t* width, int32_t* height, int32_t* pitch) = 0;
  virtual void Unlock() = 0;
  // The surface's width and height; the image lies in its top-left corner.
  virtual std::pair<int32_t, int32_t> GetSurfaceSize() const = 0;
  // Palettized images: the named RIFF palette colours the next copies.
  virtual void ActivatePalette(const TString& name) = 0;

  // The surface the display binds, draws into and switches to; null while released.
  virtual std::shared_ptr<sys::gfx::Surface> GetSurface() const = 0;

  TString mImageName;  // with its options; empty for blank and render textures
  TString mMaskName;
  int32_t mWidth = 0;  // of the image
  int32_t mHeight = 0;
  uint8_t mFlags = 0;
};
