#include "system/gfx/PixelFormat.h"

#include <bit>

namespace sys::gfx {
namespace {

PixelFormat Rgb(uint32_t bitCount, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha = 0) {
  PixelFormat format;
  format.flags = alpha ? kPixelRgb | kPixelAlpha : static_cast<uint32_t>(kPixelRgb);
  format.bitCount = bitCount;
  format.redMask = red;
  format.greenMask = green;
  format.blueMask = blue;
  format.alphaMask = alpha;
  return format;
}

// The top `shape.bits` bits of an 8-bit channel, moved into place.
uint32_t NarrowInto(uint32_t channel8, ChannelShape shape) {
  if (shape.bits == 0) return 0;
  if (shape.bits >= 8) return channel8 << (shape.shift + shape.bits - 8);
  return (channel8 >> (8 - shape.bits)) << shape.shift;
}

uint32_t WidenFrom(uint32_t pixel, ChannelShape shape, uint32_t mask) {
  if (shape.bits == 0) return 0;
  return WidenChannel((pixel & mask) >> shape.shift, shape.bits);
}

constexpr PixelLayout kKnownLayouts[] = {
    PixelLayout::X8R8G8B8, PixelLayout::A8R8G8B8, PixelLayout::R5G6B5,   PixelLayout::X1R5G5B5,
    PixelLayout::A4R4G4B4, PixelLayout::A1R5G5B5, PixelLayout::Palette8, PixelLayout::Depth16,
};

}  // namespace

PixelFormat MakePixelFormat(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::X8R8G8B8: return Rgb(32, 0x00FF0000, 0x0000FF00, 0x000000FF);
    case PixelLayout::A8R8G8B8: return Rgb(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
    case PixelLayout::R5G6B5: return Rgb(16, 0xF800, 0x07E0, 0x001F);
    case PixelLayout::X1R5G5B5: return Rgb(16, 0x7C00, 0x03E0, 0x001F);
    case PixelLayout::A4R4G4B4: return Rgb(16, 0x0F00, 0x00F0, 0x000F, 0xF000);
    case PixelLayout::A1R5G5B5: return Rgb(16, 0x7C00, 0x03E0, 0x001F, 0x8000);
    case PixelLayout::Palette8: {
      PixelFormat format;
      format.flags = kPixelRgb | kPixelPaletteIndexed8;
      format.bitCount = 8;
      return format;
    }
    case PixelLayout::Depth16: {
      PixelFormat format;
      format.flags = kPixelDepth;
      format.bitCount = 16;
      format.depthMask = 0xFFFF;
      return format;
    }
    case PixelLayout::Unknown: break;
  }
  return PixelFormat{};
}

PixelLayout LayoutOf(const PixelFormat& format) {
  for (PixelLayout layout : kKnownLayouts) {
    if (MakePixelFormat(layout) == format) return layout;
  }
  return PixelLayout::Unknown;
}

ChannelShape ShapeOf(uint32_t mask) {
  if (mask == 0) return {};
  return {static_cast<uint32_t>(std::countr_zero(mask)), static_cast<uint32_t>(std::popcount(mask))};
}

uint32_t WidenChannel(uint32_t value, uint32_t bits) {
  if (bits == 0) return 0;
  if (bits >= 8) return value >> (bits - 8);
  uint32_t wide = 0;
  for (int filled = 0; filled < 8; filled += static_cast<int>(bits)) {
    int shift = 8 - filled - static_cast<int>(bits);
    wide |= shift >= 0 ? value << shift : value >> -shift;
  }
  return wide & 0xFF;
}

FormatShapes ShapesOf(const PixelFormat& format) {
  return {ShapeOf(format.redMask), ShapeOf(format.greenMask), ShapeOf(format.blueMask), ShapeOf(format.alphaMask)};
}

uint32_t PixelFromArgb(const PixelFormat& format, uint32_t argb) { return PixelFromArgb(format, ShapesOf(format), argb); }

uint32_t PixelFromArgb(const PixelFormat& format, const FormatShapes& shapes, uint32_t argb) {
  if (!(format.flags & kPixelRgb) || format.IsPaletteIndexed()) return 0;
  uint32_t pixel = NarrowInto((argb >> 16) & 0xFF, shapes.red) | NarrowInto((argb >> 8) & 0xFF, shapes.green) |
                   NarrowInto(argb & 0xFF, shapes.blue);
  if (format.HasAlpha()) pixel |= NarrowInto(argb >> 24, shapes.alpha);
  return pixel;
}

uint32_t ArgbFromPixel(const PixelFormat& format, uint32_t pixel) {
  if (!(format.flags & kPixelRgb) || format.IsPaletteIndexed()) return 0;
  uint32_t alpha = format.HasAlpha() ? WidenFrom(pixel, ShapeOf(format.alphaMask), format.alphaMask) : 0xFF;
  return (alpha << 24) | (WidenFrom(pixel, ShapeOf(format.redMask), format.redMask) << 16) |
         (WidenFrom(pixel, ShapeOf(format.greenMask), format.greenMask) << 8) |
         WidenFrom(pixel, ShapeOf(format.blueMask), format.blueMask);
}

uint32_t ReadPixel(const uint8_t* at, uint32_t bytesPerPixel) {
  uint32_t value = 0;
  for (uint32_t i = 0; i < bytesPerPixel; ++i) value |= static_cast<uint32_t>(at[i]) << (8 * i);
  return value;
}

void WritePixel(uint8_t* at, uint32_t bytesPerPixel, uint32_t value) {
  for (uint32_t i = 0; i < bytesPerPixel; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace sys::gfx
