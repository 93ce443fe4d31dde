// Texture data: 32-bit pixels into and out of the surface, locks, and copies
// of palette indices through the current palette.
#include <algorithm>

#include "media/display/DisplayRules.h"
#include "media/texture/TDxTextureData.h"
#include "system/gfx/Surface.h"
#include "system/gfx/TextureUtility.h"

using sys::gfx::PixelFormat;
using sys::gfx::Result;

namespace {

// The depths whose pixels are channels in masks.
bool HasChannelDepth(const PixelFormat& format) {
  return !format.IsPaletteIndexed() &&
         (format.bitCount == 15 || format.bitCount == 16 || format.bitCount == 24 || format.bitCount == 32);
}

// A channel moved so that its mask's highest bit lands on bit 7 of a byte;
// the bits below what the mask holds are 0.
uint32_t ChannelByte(uint32_t pixel, uint32_t mask, sys::gfx::ChannelShape shape) {
  if (shape.bits == 0) return 0;
  const uint32_t value = (pixel & mask) >> shape.shift;
  return (shape.bits >= 8 ? value >> (shape.bits - 8) : value << (8 - shape.bits)) & 0xFF;
}

uint8_t* RowOf(const sys::gfx::LockedPixels& locked, int32_t y) {
  return locked.bits + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch);
}

}  // namespace

bool TDxTextureData::CopyIn(const uint8_t* pixels, int32_t stride, bool viaUtility) {
  if (!mSurface) return false;
  if (viaUtility && mMadeByUtility) {
    const int32_t level = mMipmapLevel < 0 ? sys::gfx::kAllLevels : mMipmapLevel;
    sys::gfx::LoadTextureFromMemory(*mSurface, level, pixels, stride * 4, sys::gfx::Rect{0, 0, stride, mHeight});
    return true;
  }
  sys::gfx::LockedPixels locked;
  if (Result result = mSurface->Lock(nullptr, locked); result != Result::Ok) {
    CheckVideoMemory(result);
    return false;
  }
  const PixelFormat& format = locked.format;
  if (HasChannelDepth(format)) {
    const uint32_t bytes = format.BytesPerPixel();
    const uint32_t opaque = (mFlags & kAlpha) ? 0 : 0xFF000000u;
    const sys::gfx::FormatShapes shapes = sys::gfx::ShapesOf(format);
    for (int32_t y = 0; y < std::min(mHeight, locked.height); ++y) {
      const uint8_t* from = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride) * 4;
      uint8_t* to = RowOf(locked, y);
      for (int32_t x = 0; x < std::min({mWidth, locked.width, stride}); ++x) {
        const uint32_t argb = sys::gfx::ReadPixel(from + x * 4, 4) | opaque;
        sys::gfx::WritePixel(to + x * bytes, bytes, sys::gfx::PixelFromArgb(format, shapes, argb));
      }
    }
  }
  mSurface->Unlock();
  return true;
}

bool TDxTextureData::CopyOut(std::vector<uint32_t>& out) {
  if (!mSurface) return false;
  sys::gfx::LockedPixels locked;
  if (Result result = mSurface->Lock(nullptr, locked); result != Result::Ok) {
    CheckVideoMemory(result);
    return false;
  }
  const PixelFormat& format = locked.format;
  if (!HasChannelDepth(format)) {
    mSurface->Unlock();
    return false;
  }
  const uint32_t bytes = format.BytesPerPixel();
  const bool alpha = (mFlags & kAlpha) && format.alphaMask != 0 && format.bitCount != 24;
  const sys::gfx::FormatShapes shapes = sys::gfx::ShapesOf(format);
  for (int32_t y = 0; y < std::min(mHeight, locked.height); ++y) {
    const uint8_t* from = RowOf(locked, y);
    uint32_t* to = out.data() + static_cast<size_t>(y) * static_cast<size_t>(locked.width);
    for (int32_t x = 0; x < std::min(mWidth, locked.width); ++x) {
      const uint32_t pixel = sys::gfx::ReadPixel(from + x * bytes, bytes);
      const uint32_t alphaByte = alpha ? ChannelByte(pixel, format.alphaMask, shapes.alpha) : 0xFF;
      to[x] = alphaByte << 24 | ChannelByte(pixel, format.redMask, shapes.red) << 16 |
              ChannelByte(pixel, format.greenMask, shapes.green) << 8 | ChannelByte(pixel, format.blueMask, shapes.blue);
    }
  }
  mSurface->Unlock();
  return true;
}

// A surface of A8R8G8B8 is handed out as it is; any other as a converted
// copy of the whole surface, zero beyond the image, written back by Unlock.
bool TDxTextureData::Lock(void** pixels, int32_t* width, int32_t* height, int32_t* pitch) {
  if (!mSurface || mLockBuffered) return false;
  const std::pair<int32_t, int32_t> size{mSurface->Width(), mSurface->Height()};
  int32_t rowBytes = 0;
  void* bits = nullptr;
  sys::gfx::LockedPixels locked;
  if (mSurface->Format() == sys::gfx::MakePixelFormat(sys::gfx::PixelLayout::A8R8G8B8) &&
      mSurface->Lock(nullptr, locked) == Result::Ok) {
    bits = locked.bits;
    rowBytes = locked.pitch;
  } else {
    mLockBuffer.assign(static_cast<size_t>(size.first) * static_cast<size_t>(size.second), 0);
    if (!CopyOut(mLockBuffer)) {
      mLockBuffer.clear();
      return false;
    }
    mLockBuffered = true;
    bits = mLockBuffer.data();
    rowBytes = size.first * 4;
  }
  if (pixels) *pixels = bits;
  if (width) *width = size.first;
  if (height) *height = size.second;
  if (pitch) *pitch = rowBytes;
  return true;
}

void TDxTextureData::Unlock() {
  if (!mLockBuffered) {
    if (mSurface) mSurface->Unlock();
    return;
  }
  mLockBuffered = false;
  CopyIn(reinterpret_cast<const uint8_t*>(mLockBuffer.data()), mSurface ? mSurface->Width() : 0, false);
  mLockBuffer.clear();
}

// Each index becomes its entry of the current palette: narrowed into the
// channels of a 15- or 16-bit target, alpha too; as it is into 32 bits.
// The copy stays inside both surfaces.
bool TDxTextureData::BlitThroughPalette(sys::gfx::Surface& target, int32_t x, int32_t y, const TRect& source) {
  const sys::gfx::Rect asked{source.left, source.top, source.right, source.bottom};
  const sys::gfx::Rect from = sys::gfx::Intersect(asked, sys::gfx::SizeRect(mSurface->Width(), mSurface->Height()));
  // Where `from`'s top-left corner lands, and what of it the target holds.
  const int32_t originX = x + (from.left - asked.left);
  const int32_t originY = y + (from.top - asked.top);
  const sys::gfx::Rect to =
      sys::gfx::Intersect(sys::gfx::Rect{originX, originY, originX + from.Width(), originY + from.Height()},
                          sys::gfx::SizeRect(target.Width(), target.Height()));
  if (from.Width() <= 0 || from.Height() <= 0 || to.Width() <= 0 || to.Height() <= 0) return true;
  sys::gfx::LockedPixels indices;
  if (mSurface->Lock(nullptr, indices) != Result::Ok) return false;
  sys::gfx::LockedPixels pixels;
  if (target.Lock(nullptr, pixels) != Result::Ok) {
    mSurface->Unlock();
    return false;
  }
  const uint32_t bytes = pixels.format.BytesPerPixel();
  const bool wide = pixels.format.bitCount == 32;
  const int32_t fromX = from.left + (to.left - originX);
  const int32_t fromY = from.top + (to.top - originY);
  for (int32_t row = 0; row < to.Height(); ++row) {
    const uint8_t* read = RowOf(indices, fromY + row) + fromX;
    uint8_t* write = RowOf(pixels, to.top + row) + static_cast<size_t>(to.left) * bytes;
    for (int32_t column = 0; column < to.Width(); ++column) {
      const uint32_t entry = (*mCurrentPalette)[read[column]];
      sys::gfx::WritePixel(write + column * bytes, bytes, wide ? entry : sys::gfx::PixelFromArgb(pixels.format, entry));
    }
  }
  target.Unlock();
  mSurface->Unlock();
  return true;
}
