#pragma once

// Reading and writing pixels of the colour layouts the rasterizer draws
// with, one layout at a time and inline: the same widening (bit replication,
// alpha 255 without an alpha channel) and narrowing (truncation, unused bits
// 0) as the format conversions, without walking the masks per pixel.
#include <cstdint>
#include <cstring>

#include "system/gfx/PixelFormat.h"

namespace sys::gfx {

// The layouts a texture or a render target may have.
constexpr bool IsColourLayout(PixelLayout layout) {
  return layout == PixelLayout::X8R8G8B8 || layout == PixelLayout::A8R8G8B8 || layout == PixelLayout::R5G6B5 ||
         layout == PixelLayout::X1R5G5B5 || layout == PixelLayout::A1R5G5B5 || layout == PixelLayout::A4R4G4B4;
}

constexpr int BytesPerPixel(PixelLayout layout) {
  return layout == PixelLayout::X8R8G8B8 || layout == PixelLayout::A8R8G8B8 ? 4 : 2;
}

namespace codec {

constexpr uint32_t Widen5(uint32_t v) { return (v << 3) | (v >> 2); }
constexpr uint32_t Widen6(uint32_t v) { return (v << 2) | (v >> 4); }
constexpr uint32_t Widen4(uint32_t v) { return v * 0x11; }

constexpr uint32_t FromR5G6B5(uint32_t p) {
  return 0xFF000000u | Widen5(p >> 11) << 16 | Widen6((p >> 5) & 63) << 8 | Widen5(p & 31);
}
constexpr uint32_t FromX1R5G5B5(uint32_t p) {
  return 0xFF000000u | Widen5((p >> 10) & 31) << 16 | Widen5((p >> 5) & 31) << 8 | Widen5(p & 31);
}
constexpr uint32_t FromA1R5G5B5(uint32_t p) {
  return (p & 0x8000 ? 0xFF000000u : 0u) | (FromX1R5G5B5(p) & 0xFFFFFF);
}
constexpr uint32_t FromA4R4G4B4(uint32_t p) {
  return Widen4(p >> 12) << 24 | Widen4((p >> 8) & 15) << 16 | Widen4((p >> 4) & 15) << 8 | Widen4(p & 15);
}

constexpr uint32_t ToR5G6B5(uint32_t c) {
  return ((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F);
}
constexpr uint32_t ToX1R5G5B5(uint32_t c) { return ((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x001F); }
constexpr uint32_t ToA1R5G5B5(uint32_t c) { return ToX1R5G5B5(c) | ((c >> 16) & 0x8000); }
constexpr uint32_t ToA4R4G4B4(uint32_t c) {
  return ((c >> 16) & 0xF000) | ((c >> 12) & 0x0F00) | ((c >> 8) & 0x00F0) | ((c >> 4) & 0x000F);
}

}  // namespace codec

// 0xAARRGGBB of the pixel at `at`.
inline uint32_t LoadArgb(PixelLayout layout, const uint8_t* at) {
  if (BytesPerPixel(layout) == 4) {
    uint32_t p;
    std::memcpy(&p, at, 4);
    return layout == PixelLayout::X8R8G8B8 ? p | 0xFF000000u : p;
  }
  uint16_t p;
  std::memcpy(&p, at, 2);
  switch (layout) {
    case PixelLayout::R5G6B5: return codec::FromR5G6B5(p);
    case PixelLayout::X1R5G5B5: return codec::FromX1R5G5B5(p);
    case PixelLayout::A1R5G5B5: return codec::FromA1R5G5B5(p);
    default: return codec::FromA4R4G4B4(p);
  }
}

inline void StoreArgb(PixelLayout layout, uint8_t* at, uint32_t argb) {
  if (BytesPerPixel(layout) == 4) {
    const uint32_t p = layout == PixelLayout::X8R8G8B8 ? argb & 0x00FFFFFFu : argb;
    std::memcpy(at, &p, 4);
    return;
  }
  uint16_t p;
  switch (layout) {
    case PixelLayout::R5G6B5: p = static_cast<uint16_t>(codec::ToR5G6B5(argb)); break;
    case PixelLayout::X1R5G5B5: p = static_cast<uint16_t>(codec::ToX1R5G5B5(argb)); break;
    case PixelLayout::A1R5G5B5: p = static_cast<uint16_t>(codec::ToA1R5G5B5(argb)); break;
    default: p = static_cast<uint16_t>(codec::ToA4R4G4B4(argb)); break;
  }
  std::memcpy(at, &p, 2);
}

}  // namespace sys::gfx
