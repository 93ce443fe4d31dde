#pragma once

#include <cstdint>

#include "system/gfx/raster/RasterViews.h"
#include "system/gfx/raster/RenderStates.h"

namespace sys::gfx {

// A value across a span: base at its first pixel, step per pixel. With
// perspective the value is the attribute times 1/w.
struct Interpolant {
  float base = 0.0f;
  float step = 0.0f;
};

// What stays the same over one primitive.
struct DrawSetup {
  const RenderStates* states = nullptr;
  ColourView target;
  DepthView depth;
  bool depthTest = false;
  bool depthWrite = false;
  bool perspective = false;
  // The stage reads the texture and one is bound; otherwise TEXTURE is white.
  bool textured = false;
  bool diffuseVaries = false;
  uint32_t diffuse = 0xFFFFFFFF;  // when it does not vary
  bool specularAdd = false;
  bool specularVaries = false;
  uint32_t specular = 0;
};

// A run of pixels on one row, left to right.
struct Span {
  int32_t x = 0;
  int32_t y = 0;
  int32_t count = 0;
  Interpolant q;  // 1/w, with perspective only
  Interpolant z;
  Interpolant s;  // texel coordinates in the sampled level
  Interpolant t;
  Interpolant diffuse[4];  // blue, green, red, alpha, 0 to 255
  Interpolant specular[4];
  const TextureLevel* level = nullptr;
  TextureFilter filter = TextureFilter::Point;
};

// A run of pixels on one row in one colour: a span with nothing to
// interpolate, its setup's colours its own.
struct FlatSpan {
  int32_t x = 0;
  int32_t y = 0;
  int32_t count = 0;
  uint32_t diffuse = 0;
  uint32_t specular = 0;
};

// Draws one span; the plain and the SIMD shader give the same pixels.
using SpanShader = void (*)(const DrawSetup& setup, const Span& span);
// Draws flat spans in turn, each as the span shader would with the setup's
// diffuse and specular colours taken from it; the setup interpolates
// nothing. What stays the same over the spans is worked out once.
using FlatSpanShader = void (*)(const DrawSetup& setup, const FlatSpan* spans, int32_t count);

void ShadeSpanPlain(const DrawSetup& setup, const Span& span);
void ShadeSpanSimd(const DrawSetup& setup, const Span& span);
void ShadeFlatSpansPlain(const DrawSetup& setup, const FlatSpan* spans, int32_t count);
// Flat spans drawn one by one through `shader`.
void ShadeFlatSpansWith(SpanShader shader, const DrawSetup& setup, const FlatSpan* spans, int32_t count);
void ShadeFlatSpansSimd(const DrawSetup& setup, const FlatSpan* spans, int32_t count);
// Whether the SIMD shader is built for this processor; without it,
// ShadeSpanSimd draws with the plain one.
bool HasSimdShader();

}  // namespace sys::gfx
