// The reference shader: one pixel at a time, every step spelled out. The SIMD
// shader must give the same bits; tests compare the two.
#include <span>

#include "system/gfx/raster/PixelMath.h"
#include "system/gfx/raster/Span.h"

namespace sys::gfx {
namespace {

uint32_t ColourAt(const Interpolant (&channels)[4], float i, bool perspective, float q) {
  uint32_t colour = 0;
  for (int c = 0; c < 4; ++c) {
    colour |= pixel::ChannelAt(channels[c].base, channels[c].step, i, perspective, q) << (8 * c);
  }
  return colour;
}

}  // namespace

void ShadeSpanPlain(const DrawSetup& setup, const Span& span) {
  const RenderStates& states = *setup.states;
  const TextureStage& stage = states.stage;
  const int bytes = BytesPerPixel(setup.target.format);
  uint8_t* row = setup.target.Row(span.y);
  uint16_t* depthRow = setup.depthTest ? setup.depth.Row(span.y) : nullptr;
  for (int32_t n = 0; n < span.count; ++n) {
    const int32_t x = span.x + n;
    const auto i = static_cast<float>(n);
    const float q = setup.perspective ? pixel::QAt(span.q.base, span.q.step, i) : 1.0f;
    uint16_t depth = 0;
    if (setup.depthTest) {
      depth = pixel::DepthValue(span.z.base + span.z.step * i);
      if (depth > depthRow[x]) continue;
    }
    uint32_t texel = 0xFFFFFFFF;
    if (setup.textured) {
      float s = span.s.base + span.s.step * i;
      float t = span.t.base + span.t.step * i;
      if (setup.perspective) {
        s = s / q;
        t = t / q;
      }
      texel = pixel::Sample(*span.level, span.filter, stage.addressU, stage.addressV, s, t);
    }
    const uint32_t diffuse = setup.diffuseVaries ? ColourAt(span.diffuse, i, setup.perspective, q) : setup.diffuse;
    uint32_t colour = pixel::Combine(stage, texel, diffuse, states.textureFactor);
    if (setup.specularAdd) {
      const uint32_t specular =
          setup.specularVaries ? ColourAt(span.specular, i, setup.perspective, q) : setup.specular;
      colour = pixel::AddSpecular(colour, specular);
    }
    if (states.alphaTestEnable && states.alphaFunction == AlphaCompare::GreaterEqual &&
        (colour >> 24) < states.alphaReference) {
      continue;
    }
    if (setup.depthWrite) depthRow[x] = depth;
    uint8_t* at = row + x * bytes;
    if (states.blendEnable) {
      colour = pixel::Blend(states.sourceBlend, states.destinationBlend, colour,
                            LoadArgb(setup.target.format, at));
    }
    StoreArgb(setup.target.format, at, colour);
  }
}

void ShadeFlatSpansPlain(const DrawSetup& setup, const FlatSpan* spans, int32_t count) {
  ShadeFlatSpansWith(ShadeSpanPlain, setup, spans, count);
}

void ShadeFlatSpansWith(SpanShader shader, const DrawSetup& setup, const FlatSpan* spans, int32_t count) {
  DrawSetup own = setup;
  for (const FlatSpan& flat : std::span(spans, count)) {
    own.diffuse = flat.diffuse;
    own.specular = flat.specular;
    Span span;
    span.x = flat.x;
    span.y = flat.y;
    span.count = flat.count;
    shader(own, span);
  }
}

}  // namespace sys::gfx
