#pragma once

#include <cstdint>
#include <cstring>

namespace sys {

// The colour layouts the rasterizer reads (textures, blending) and writes
// (render targets). Every colour inside the rasterizer is 0xAARRGGBB with
// 8 bits a channel: narrower channels widen by bit replication and narrow
// by truncation; layouts without alpha read alpha 255 and write their unused
// bits as ones.
enum class RasterFormat : uint8_t { X8R8G8B8, A8R8G8B8, R5G6B5, X1R5G5B5, A1R5G5B5, A4R4G4B4 };

constexpr int BytesPerPixel(RasterFormat format) {
  return format == RasterFormat::X8R8G8B8 || format == RasterFormat::A8R8G8B8 ? 4 : 2;
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
constexpr uint32_t ToX1R5G5B5(uint32_t c) {
  return 0x8000 | ((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x001F);
}
constexpr uint32_t ToA1R5G5B5(uint32_t c) { return (ToX1R5G5B5(c) & 0x7FFF) | ((c >> 16) & 0x8000); }
constexpr uint32_t ToA4R4G4B4(uint32_t c) {
  return ((c >> 16) & 0xF000) | ((c >> 12) & 0x0F00) | ((c >> 8) & 0x00F0) | ((c >> 4) & 0x000F);
}

}  // namespace codec

inline uint32_t LoadPixel(RasterFormat format, const uint8_t* at) {
  if (BytesPerPixel(format) == 4) {
    uint32_t p;
    std::memcpy(&p, at, 4);
    return format == RasterFormat::X8R8G8B8 ? p | 0xFF000000u : p;
  }
  uint16_t p;
  std::memcpy(&p, at, 2);
  switch (format) {
    case RasterFormat::R5G6B5: return codec::FromR5G6B5(p);
    case RasterFormat::X1R5G5B5: return codec::FromX1R5G5B5(p);
    case RasterFormat::A1R5G5B5: return codec::FromA1R5G5B5(p);
    default: return codec::FromA4R4G4B4(p);
  }
}

inline void StorePixel(RasterFormat format, uint8_t* at, uint32_t argb) {
  if (BytesPerPixel(format) == 4) {
    const uint32_t p = format == RasterFormat::X8R8G8B8 ? argb | 0xFF000000u : argb;
    std::memcpy(at, &p, 4);
    return;
  }
  uint16_t p;
  switch (format) {
    case RasterFormat::R5G6B5: p = static_cast<uint16_t>(codec::ToR5G6B5(argb)); break;
    case RasterFormat::X1R5G5B5: p = static_cast<uint16_t>(codec::ToX1R5G5B5(argb)); break;
    case RasterFormat::A1R5G5B5: p = static_cast<uint16_t>(codec::ToA1R5G5B5(argb)); break;
    default: p = static_cast<uint16_t>(codec::ToA4R4G4B4(argb)); break;
  }
  std::memcpy(at, &p, 2);
}

}  // namespace sys
