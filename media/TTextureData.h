#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/TString.h"

namespace sys::gfx {
class Surface;
}  // namespace sys::gfx

// The device side of a texture: the surface its image lives in, made and
// rebuilt by the display's texture data.
class TTextureData {
 public:
  // Load options.
  enum Flags : uint8_t {
    kRenderTarget = 0x01,  // "rt": the display can draw into it
    kAlpha = 0x02,         // "alpha": the surface has an alpha channel
    kAutomaticAlpha = 0x04,
    kMipmap = 0x08,
    kSimple = 0x10,  // "simple": a plain surface in the display's format, sized exactly
    kSlow = 0x20,    // "slow": with "simple", in system memory
    kPalettized = 0x40,
  };

  virtual ~TTextureData() = default;

  // The surface the display binds, draws into and switches to; null while released.
  virtual std::shared_ptr<sys::gfx::Surface> GetSurface() const = 0;

  TString mImageName;  // with its options; empty for blank and render textures
  TString mMaskName;
  int32_t mWidth = 0;  // of the image
  int32_t mHeight = 0;
  uint8_t mFlags = 0;
};
