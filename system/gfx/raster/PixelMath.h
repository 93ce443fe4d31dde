#pragma once

// The arithmetic every pixel goes through, shared by the plain and the SIMD
// shader so that both give the same bits.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "system/gfx/raster/PixelCodec.h"
#include "system/gfx/raster/RasterViews.h"
#include "system/gfx/raster/RenderStates.h"

namespace sys::gfx::pixel {

// Texel coordinates are kept within this many texels of 0 before they become
// integers; far beyond a texture's side the precision is gone anyway.
constexpr float kCoordinateLimit = 4194304.0f;
// Bilinear weights have 7 bits, so weighted differences fit 16-bit lanes.
constexpr int kWeightBits = 7;
constexpr float kWeightScale = 128.0f;

// 1/w never falls below this inside a span, whatever rounding did to it.
constexpr float kSmallestQ = 1e-30f;

inline float QAt(float base, float step, float i) { return std::max(base + step * i, kSmallestQ); }

// Round to nearest of a * b / 255 for 8-bit a and b.
constexpr uint32_t Mul255(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

// Mul255(255, x) is x for every x.
constexpr bool WhiteChangesNothing() {
  for (uint32_t value = 0; value < 256; ++value) {
    if (Mul255(255, value) != value) return false;
  }
  return true;
}
static_assert(WhiteChangesNothing());

constexpr uint32_t Channel(uint32_t argb, int shift) { return (argb >> shift) & 0xFF; }

// White changes nothing, so the stages of untextured drawing, which
// modulate the white of no texture by the diffuse colour, skip the sums.
inline uint32_t Modulate(uint32_t a, uint32_t b) {
  if (a == 0xFFFFFFFFu) return b;
  if (b == 0xFFFFFFFFu) return a;
  return Mul255(a >> 24, b >> 24) << 24 | Mul255(Channel(a, 16), Channel(b, 16)) << 16 |
         Mul255(Channel(a, 8), Channel(b, 8)) << 8 | Mul255(a & 0xFF, b & 0xFF);
}

inline uint32_t Argument(TextureArg arg, uint32_t texel, uint32_t diffuse, uint32_t factor) {
  switch (arg) {
    case TextureArg::Texture: return texel;
    case TextureArg::Factor: return factor;
    default: return diffuse;
  }
}

inline uint32_t Operate(TextureOp op, uint32_t a, uint32_t b) {
  switch (op) {
    case TextureOp::Modulate: return Modulate(a, b);
    case TextureOp::SelectArg1: return a;
    default: return b;
  }
}

// The texture stage: colour and alpha each from their own operation.
inline uint32_t Combine(const TextureStage& stage, uint32_t texel, uint32_t diffuse, uint32_t factor) {
  const uint32_t colour = Operate(stage.colourOp, Argument(stage.colourArg1, texel, diffuse, factor),
                                  Argument(stage.colourArg2, texel, diffuse, factor));
  const uint32_t alpha = Operate(stage.alphaOp, Argument(stage.alphaArg1, texel, diffuse, factor),
                                 Argument(stage.alphaArg2, texel, diffuse, factor));
  return (alpha & 0xFF000000u) | (colour & 0x00FFFFFFu);
}

inline uint32_t AddSpecular(uint32_t colour, uint32_t specular) {
  uint32_t out = colour & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    out |= std::min<uint32_t>(255, Channel(colour, shift) + Channel(specular, shift)) << shift;
  }
  return out;
}

inline uint32_t Factor(BlendFactor factor, uint32_t source, int shift) {
  switch (factor) {
    case BlendFactor::Zero: return 0;
    case BlendFactor::One: return 255;
    case BlendFactor::SourceAlpha: return source >> 24;
    case BlendFactor::InverseSourceAlpha: return 255 - (source >> 24);
    default: return 255 - Channel(source, shift);
  }
}

// Source times its factor plus destination times its factor, saturated,
// alpha included.
inline uint32_t Blend(BlendFactor sourceFactor, BlendFactor destinationFactor, uint32_t source, uint32_t destination) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sum = Mul255(Channel(source, shift), Factor(sourceFactor, source, shift)) +
                         Mul255(Channel(destination, shift), Factor(destinationFactor, source, shift));
    out |= std::min<uint32_t>(255, sum) << shift;
  }
  return out;
}

inline uint16_t DepthValue(float z) {
  return static_cast<uint16_t>(std::lrintf(std::min(std::max(z, 0.0f), 1.0f) * 65535.0f));
}

inline int32_t Address(TextureAddress mode, int32_t i, int32_t size) {
  switch (mode) {
    case TextureAddress::Wrap: {
      const int32_t m = i % size;
      return m < 0 ? m + size : m;
    }
    case TextureAddress::Mirror: {
      int32_t m = i % (2 * size);
      if (m < 0) m += 2 * size;
      return m < size ? m : 2 * size - 1 - m;
    }
    default: return std::min(std::max(i, 0), size - 1);
  }
}

inline float LimitCoordinate(float s) { return std::min(std::max(s, -kCoordinateLimit), kCoordinateLimit); }

inline uint32_t Texel(const TextureLevel& level, int32_t i, int32_t j) {
  return LoadArgb(level.format, level.Row(j) + i * BytesPerPixel(level.format));
}

// a + (b - a) * weight / 128 on each channel, the shift rounding down.
inline uint32_t Lerp(uint32_t a, uint32_t b, int32_t weight) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int32_t ca = static_cast<int32_t>(Channel(a, shift));
    const int32_t cb = static_cast<int32_t>(Channel(b, shift));
    out |= static_cast<uint32_t>(ca + (((cb - ca) * weight) >> kWeightBits)) << shift;
  }
  return out;
}

// Texel i of a side of W covers [i/W, (i+1)/W): s and t are u W and v H.
// Point sampling takes floor(s); linear sampling blends around s - 0.5.
inline uint32_t Sample(const TextureLevel& level, TextureFilter filter, TextureAddress addressU,
                       TextureAddress addressV, float s, float t) {
  if (filter == TextureFilter::Point) {
    const auto i = static_cast<int32_t>(std::floor(LimitCoordinate(s)));
    const auto j = static_cast<int32_t>(std::floor(LimitCoordinate(t)));
    return Texel(level, Address(addressU, i, level.width), Address(addressV, j, level.height));
  }
  const float sl = LimitCoordinate(s - 0.5f);
  const float tl = LimitCoordinate(t - 0.5f);
  const float fs = std::floor(sl);
  const float ft = std::floor(tl);
  const auto weightU = static_cast<int32_t>((sl - fs) * kWeightScale);
  const auto weightV = static_cast<int32_t>((tl - ft) * kWeightScale);
  const auto i = static_cast<int32_t>(fs);
  const auto j = static_cast<int32_t>(ft);
  const int32_t i0 = Address(addressU, i, level.width);
  const int32_t i1 = Address(addressU, i + 1, level.width);
  const int32_t j0 = Address(addressV, j, level.height);
  const int32_t j1 = Address(addressV, j + 1, level.height);
  const uint32_t top = Lerp(Texel(level, i0, j0), Texel(level, i1, j0), weightU);
  const uint32_t bottom = Lerp(Texel(level, i0, j1), Texel(level, i1, j1), weightU);
  return Lerp(top, bottom, weightV);
}

// One colour channel of an interpolated colour at pixel i of a span.
inline uint32_t ChannelAt(float base, float step, float i, bool perspective, float q) {
  float value = base + step * i;
  if (perspective) value = value / q;
  return static_cast<uint32_t>(std::lrintf(std::min(std::max(value, 0.0f), 255.0f)));
}

}  // namespace sys::gfx::pixel
