#pragma once

#include <cstdint>

namespace sys::gfx {

// Flags of a pixel format: what its bits hold.
enum PixelFormatFlags : uint32_t {
  kPixelRgb = 0x01,             // red, green and blue channels in the masks
  kPixelAlpha = 0x02,           // an alpha channel in the alpha mask
  kPixelPaletteIndexed8 = 0x04, // 8-bit indices into a palette of 256 entries
  kPixelDepth = 0x08,           // depth values in the depth mask
  kPixelLuminance = 0x10,       // one grey channel (no such surface is offered)
};

// A pixel format as callers read it: flags, bits per pixel and the masks of
// each channel within a little-endian pixel value.
struct PixelFormat {
  uint32_t flags = 0;
  uint32_t bitCount = 0;
  uint32_t redMask = 0;
  uint32_t greenMask = 0;
  uint32_t blueMask = 0;
  uint32_t alphaMask = 0;
  uint32_t depthMask = 0;

  bool operator==(const PixelFormat&) const = default;
  bool HasAlpha() const { return (flags & kPixelAlpha) && alphaMask != 0; }
  bool IsPaletteIndexed() const { return (flags & kPixelPaletteIndexed8) != 0; }
  bool IsDepth() const { return (flags & kPixelDepth) != 0; }
  uint32_t BytesPerPixel() const { return bitCount / 8; }
  // The bits of the red, green and blue channels (and depth), alpha left out.
  uint32_t ColourBits() const { return redMask | greenMask | blueMask | depthMask; }
};

// The layouts the device's surfaces can have.
enum class PixelLayout : uint8_t {
  X8R8G8B8,
  A8R8G8B8,
  R5G6B5,
  X1R5G5B5,
  A4R4G4B4,
  A1R5G5B5,
  Palette8,  // system memory only
  Depth16,
  Unknown,
};

PixelFormat MakePixelFormat(PixelLayout layout);
// Unknown for a format that is none of the layouts above.
PixelLayout LayoutOf(const PixelFormat& format);

struct FormatShapes;

// Colours outside a surface are 32-bit values 0xAARRGGBB. Narrowing into a
// format keeps the high bits of each channel; a format without alpha drops
// it. Palette and depth formats have no colour channels and give 0.
uint32_t PixelFromArgb(const PixelFormat& format, uint32_t argb);
// The same with the format's channel shapes worked out beforehand, for runs
// of pixels.
uint32_t PixelFromArgb(const PixelFormat& format, const FormatShapes& shapes, uint32_t argb);
// Widening repeats each channel's bits down to 8 bits (5-bit 0x1F gives 0xFF,
// 0x10 gives 0x84); a format without alpha gives alpha 0xFF.
uint32_t ArgbFromPixel(const PixelFormat& format, uint32_t pixel);

// One pixel of 1 to 4 bytes, little-endian, at `at`.
uint32_t ReadPixel(const uint8_t* at, uint32_t bytesPerPixel);
void WritePixel(uint8_t* at, uint32_t bytesPerPixel, uint32_t value);

// Where a channel lies in a pixel value.
struct ChannelShape {
  uint32_t shift = 0;
  uint32_t bits = 0;
};
ChannelShape ShapeOf(uint32_t mask);
// The shapes of a format's four channels.
struct FormatShapes {
  ChannelShape red;
  ChannelShape green;
  ChannelShape blue;
  ChannelShape alpha;
};
FormatShapes ShapesOf(const PixelFormat& format);
// A channel of `bits` bits widened to 8 by repeating its bits.
uint32_t WidenChannel(uint32_t value, uint32_t bits);

}  // namespace sys::gfx
