// The SSE2 shader: the same arithmetic as the plain one, in passes over
// chunks of a span, four pixels at a time. Every float operation is the one
// the plain shader does, in the same order, so the two give the same bits.
#include "system/gfx/raster/Span.h"

#if defined(__SSE2__)

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "system/gfx/raster/PixelMath.h"

namespace sys::gfx {
namespace {

constexpr int kChunk = 64;

struct alignas(16) Chunk {
  uint32_t texel[kChunk];
  uint32_t diffuse[kChunk];
  uint32_t specular[kChunk];
  uint32_t colour[kChunk];
  uint32_t keep[kChunk];  // all ones where the pixel is still drawn
  uint32_t depth[kChunk];
  float q[kChunk];
  int32_t i0[kChunk];  // texel indices, per pixel
  int32_t j0[kChunk];
};

// What one chunk works on: pixels [start, start + count) of the span.
struct Work {
  const DrawSetup& setup;
  const Span& span;
  int32_t start;
  int32_t count;
  int32_t groups;  // of four pixels, the last one maybe partly outside
  Chunk& chunk;
};

inline __m128i Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline __m128i Splat(uint32_t v) { return _mm_set1_epi32(static_cast<int32_t>(v)); }

// The first `count` (1 to 3) values at `at` in the low lanes, the others 0.
inline __m128i LoadPart(const uint32_t* at, int32_t count) {
  const __m128i first = count == 1 ? _mm_cvtsi32_si128(static_cast<int32_t>(at[0]))
                                   : _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
  return count == 3 ? _mm_unpacklo_epi64(first, _mm_cvtsi32_si128(static_cast<int32_t>(at[2]))) : first;
}

// The low `count` (1 to 3) lanes to `at`.
inline void StorePart(uint32_t* at, __m128i v, int32_t count) {
  if (count == 1) {
    at[0] = static_cast<uint32_t>(_mm_cvtsi128_si32(v));
    return;
  }
  _mm_storel_epi64(reinterpret_cast<__m128i*>(at), v);
  if (count == 3) at[2] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(v, 8)));
}

// Pixel indices of group g as floats, exactly as the plain shader makes them.
inline __m128 Indices(int32_t first) {
  return _mm_add_ps(_mm_set1_ps(static_cast<float>(first)), _mm_setr_ps(0, 1, 2, 3));
}

inline __m128 ValueAt(const Interpolant& value, __m128 i) {
  return _mm_add_ps(_mm_set1_ps(value.base), _mm_mul_ps(_mm_set1_ps(value.step), i));
}

inline __m128 Clamp(__m128 v, float low, float high) {
  return _mm_min_ps(_mm_max_ps(v, _mm_set1_ps(low)), _mm_set1_ps(high));
}

// floor for |v| below 2^31, as float and as integer.
inline __m128i Floor(__m128 v, __m128& asFloat) {
  const __m128i truncated = _mm_cvttps_epi32(v);
  const __m128 back = _mm_cvtepi32_ps(truncated);
  const __m128 above = _mm_cmpgt_ps(back, v);
  asFloat = _mm_sub_ps(back, _mm_and_ps(above, _mm_set1_ps(1.0f)));
  return _mm_add_epi32(truncated, _mm_castps_si128(above));
}

// Round to nearest of a * b / 255 on 16-bit lanes holding 8-bit values.
inline __m128i Mul255(__m128i a, __m128i b) {
  const __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

inline __m128i Modulate(__m128i a, __m128i b) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = Mul255(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero));
  const __m128i high = Mul255(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero));
  return _mm_packus_epi16(low, high);
}

// a + ((b - a) * w >> 7) on 16-bit lanes; w holds one weight per pixel.
inline __m128i Lerp(__m128i a, __m128i b, __m128i w) {
  return _mm_add_epi16(a, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(b, a), w), pixel::kWeightBits));
}

// ---- per-pixel values ------------------------------------------------------

void InitKeep(Work& w) {
  for (int32_t k = 0; k < w.groups * 4; ++k) w.chunk.keep[k] = k < w.count ? ~0u : 0u;
}

void ComputeQ(Work& w) {
  for (int32_t g = 0; g < w.groups; ++g) {
    const __m128 q = _mm_max_ps(ValueAt(w.span.q, Indices(w.start + 4 * g)), _mm_set1_ps(pixel::kSmallestQ));
    _mm_store_ps(w.chunk.q + 4 * g, q);
  }
}

void DepthTest(Work& w) {
  const uint16_t* stored = w.setup.depth.Row(w.span.y) + w.span.x + w.start;
  alignas(16) uint32_t existing[kChunk];
  for (int32_t k = 0; k < w.count; ++k) existing[k] = stored[k];
  for (int32_t k = w.count; k < w.groups * 4; ++k) existing[k] = 0;
  for (int32_t g = 0; g < w.groups; ++g) {
    const __m128 z = Clamp(ValueAt(w.span.z, Indices(w.start + 4 * g)), 0.0f, 1.0f);
    const __m128i depth = _mm_cvtps_epi32(_mm_mul_ps(z, _mm_set1_ps(65535.0f)));
    const __m128i farther = _mm_cmpgt_epi32(depth, _mm_load_si128(reinterpret_cast<const __m128i*>(existing + 4 * g)));
    Store(w.chunk.depth + 4 * g, depth);
    Store(w.chunk.keep + 4 * g, _mm_andnot_si128(farther, Load(w.chunk.keep + 4 * g)));
  }
}

void InterpolateColours(Work& w, const Interpolant (&channels)[4], uint32_t* out) {
  const __m128 base = _mm_setr_ps(channels[0].base, channels[1].base, channels[2].base, channels[3].base);
  const __m128 step = _mm_setr_ps(channels[0].step, channels[1].step, channels[2].step, channels[3].step);
  for (int32_t k = 0; k < w.groups * 4; ++k) {
    __m128 value = _mm_add_ps(base, _mm_mul_ps(step, _mm_set1_ps(static_cast<float>(w.start + k))));
    if (w.setup.perspective) value = _mm_div_ps(value, _mm_set1_ps(w.chunk.q[k]));
    const __m128i channel = _mm_cvtps_epi32(Clamp(value, 0.0f, 255.0f));
    const __m128i lanes = _mm_packs_epi32(channel, channel);
    const __m128i packed = _mm_packus_epi16(lanes, lanes);
    out[k] = static_cast<uint32_t>(_mm_cvtsi128_si32(packed));
  }
}

// ---- texels ----------------------------------------------------------------

// Texel coordinates s and t of group g, before the filter's offset.
inline void Coordinates(const Work& w, int32_t g, __m128& s, __m128& t) {
  const __m128 i = Indices(w.start + 4 * g);
  s = ValueAt(w.span.s, i);
  t = ValueAt(w.span.t, i);
  if (w.setup.perspective) {
    const __m128 q = _mm_load_ps(w.chunk.q + 4 * g);
    s = _mm_div_ps(s, q);
    t = _mm_div_ps(t, q);
  }
}

void CopyTexels(const TextureLevel& level, int32_t i, int32_t j, int32_t count, uint32_t* out) {
  const uint8_t* row = level.Row(j);
  switch (level.format) {
    case PixelLayout::A8R8G8B8: std::memcpy(out, row + 4 * i, 4 * static_cast<size_t>(count)); return;
    case PixelLayout::X8R8G8B8: {
      const uint32_t* texels = reinterpret_cast<const uint32_t*>(row) + i;
      int32_t k = 0;
      for (; k + 4 <= count; k += 4) Store(out + k, _mm_or_si128(Load(texels + k), Splat(0xFF000000u)));
      for (; k < count; ++k) out[k] = texels[k] | 0xFF000000u;
      return;
    }
    default:
      for (int32_t k = 0; k < count; ++k) out[k] = pixel::Texel(level, i + k, j);
  }
}

// One texel a pixel along a texture row, no addressing needed: the texels
// are a run in memory. True when it did the work.
bool CopyRun(Work& w) {
  const Span& span = w.span;
  const TextureLevel& level = *span.level;
  if (w.setup.perspective || span.s.step != 1.0f || span.t.step != 0.0f) return false;
  // With a base of few fraction bits and small size, base + i is exact.
  const float first = span.s.base + static_cast<float>(w.start);
  if (std::abs(span.s.base) > 8192.0f || w.span.count > 8192 || first * 256.0f != std::floor(first * 256.0f)) {
    return false;
  }
  float s = first, t = span.t.base;
  if (span.filter == TextureFilter::Linear) {
    s -= 0.5f, t -= 0.5f;
    if (s != std::floor(s) || t != std::floor(t)) return false;  // weights would not all be 0
  }
  const float column = std::floor(s), row = std::floor(t);
  if (column < 0 || column + w.count > level.width || row < 0 || row >= level.height) return false;
  CopyTexels(level, static_cast<int32_t>(column), static_cast<int32_t>(row), w.count, w.chunk.texel);
  return true;
}

void PointTexels(Work& w) {
  const TextureLevel& level = *w.span.level;
  const TextureStage& stage = w.setup.states->stage;
  const float limit = pixel::kCoordinateLimit;
  for (int32_t g = 0; g < w.groups; ++g) {
    __m128 s, t, unused;
    Coordinates(w, g, s, t);
    Store(reinterpret_cast<uint32_t*>(w.chunk.i0 + 4 * g), Floor(Clamp(s, -limit, limit), unused));
    Store(reinterpret_cast<uint32_t*>(w.chunk.j0 + 4 * g), Floor(Clamp(t, -limit, limit), unused));
  }
  for (int32_t k = 0; k < w.groups * 4; ++k) {
    w.chunk.texel[k] = pixel::Texel(level, pixel::Address(stage.addressU, w.chunk.i0[k], level.width),
                                    pixel::Address(stage.addressV, w.chunk.j0[k], level.height));
  }
}

// Each pixel's weight in the four 16-bit lanes of its channels, for the
// pixels of one half of a group.
inline void SpreadWeights(__m128i weights, __m128i& low, __m128i& high) {
  const __m128i narrow = _mm_packs_epi32(weights, weights);
  const __m128i doubled = _mm_unpacklo_epi16(narrow, narrow);
  low = _mm_unpacklo_epi32(doubled, doubled);
  high = _mm_unpackhi_epi32(doubled, doubled);
}

// Blends the four corners of four pixels.
inline __m128i Bilinear(__m128i topLeft, __m128i topRight, __m128i bottomLeft, __m128i bottomRight, __m128i weightU,
                        __m128i weightV) {
  const __m128i zero = _mm_setzero_si128();
  __m128i uLow, uHigh, vLow, vHigh;
  SpreadWeights(weightU, uLow, uHigh);
  SpreadWeights(weightV, vLow, vHigh);
  auto half = [&](auto unpack, __m128i u, __m128i v) {
    const __m128i top = Lerp(unpack(topLeft, zero), unpack(topRight, zero), u);
    const __m128i bottom = Lerp(unpack(bottomLeft, zero), unpack(bottomRight, zero), u);
    return Lerp(top, bottom, v);
  };
  const __m128i low = half([](__m128i a, __m128i b) { return _mm_unpacklo_epi8(a, b); }, uLow, vLow);
  const __m128i high = half([](__m128i a, __m128i b) { return _mm_unpackhi_epi8(a, b); }, uHigh, vHigh);
  return _mm_packus_epi16(low, high);
}

// Clamp into [0, size - 1] on 32-bit lanes.
inline __m128i ClampLanes(__m128i i, int32_t size) {
  const __m128i last = _mm_set1_epi32(size - 1);
  i = _mm_and_si128(i, _mm_cmpgt_epi32(i, _mm_setzero_si128()));
  const __m128i beyond = _mm_cmpgt_epi32(i, last);
  return _mm_or_si128(_mm_and_si128(beyond, last), _mm_andnot_si128(beyond, i));
}

// Texel indices i and i + 1 after addressing, four lanes at a time where the
// mode allows it.
inline void AddressPair(TextureAddress mode, __m128i i, int32_t size, int32_t (&first)[4], int32_t (&second)[4]) {
  const __m128i next = _mm_add_epi32(i, _mm_set1_epi32(1));
  if (mode == TextureAddress::Clamp) {
    Store(reinterpret_cast<uint32_t*>(first), ClampLanes(i, size));
    Store(reinterpret_cast<uint32_t*>(second), ClampLanes(next, size));
  } else if (mode == TextureAddress::Wrap && (size & (size - 1)) == 0) {
    const __m128i mask = _mm_set1_epi32(size - 1);
    Store(reinterpret_cast<uint32_t*>(first), _mm_and_si128(i, mask));
    Store(reinterpret_cast<uint32_t*>(second), _mm_and_si128(next, mask));
  } else {
    alignas(16) int32_t lanes[4];
    Store(reinterpret_cast<uint32_t*>(lanes), i);
    for (int p = 0; p < 4; ++p) {
      first[p] = pixel::Address(mode, lanes[p], size);
      second[p] = pixel::Address(mode, lanes[p] + 1, size);
    }
  }
}

void LinearTexels(Work& w) {
  const TextureLevel& level = *w.span.level;
  const TextureStage& stage = w.setup.states->stage;
  const float limit = pixel::kCoordinateLimit;
  const __m128 half = _mm_set1_ps(0.5f), scale = _mm_set1_ps(pixel::kWeightScale);
  const bool wide = BytesPerPixel(level.format) == 4 && level.pitch % 4 == 0;
  const __m128i alphaOr = Splat(level.format == PixelLayout::X8R8G8B8 ? 0xFF000000u : 0u);
  for (int32_t g = 0; g < w.groups; ++g) {
    __m128 s, t, fs, ft;
    Coordinates(w, g, s, t);
    s = Clamp(_mm_sub_ps(s, half), -limit, limit);
    t = Clamp(_mm_sub_ps(t, half), -limit, limit);
    const __m128i i = Floor(s, fs), j = Floor(t, ft);
    const __m128i weightU = _mm_cvttps_epi32(_mm_mul_ps(_mm_sub_ps(s, fs), scale));
    const __m128i weightV = _mm_cvttps_epi32(_mm_mul_ps(_mm_sub_ps(t, ft), scale));
    alignas(16) int32_t i0[4], i1[4], j0[4], j1[4];
    AddressPair(stage.addressU, i, level.width, i0, i1);
    AddressPair(stage.addressV, j, level.height, j0, j1);
    // Built from loads rather than stored one by one and loaded back, which
    // would stall on store forwarding.
    __m128i corners[4];
    const bool neighbours =
        wide && _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_sub_epi32(Load(reinterpret_cast<const uint32_t*>(i1)),
                                                                Load(reinterpret_cast<const uint32_t*>(i0))),
                                                  _mm_set1_epi32(1))) == 0xFFFF;
    if (neighbours) {
      // Each pixel's left and right texels side by side: one load a row.
      auto pairs = [&](const int32_t (&j)[4], __m128i& left, __m128i& right) {
        auto pair = [&](int p) {
          return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(level.Row(j[p]) + 4 * static_cast<intptr_t>(i0[p])));
        };
        const __m128 first = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(0), pair(1)));
        const __m128 second = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(2), pair(3)));
        left = _mm_castps_si128(_mm_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0)));
        right = _mm_castps_si128(_mm_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1)));
      };
      pairs(j0, corners[0], corners[1]);
      pairs(j1, corners[2], corners[3]);
    } else if (wide) {
      const auto* texels = reinterpret_cast<const uint32_t*>(level.pixels);
      const int32_t stride = level.pitch / 4;
      auto at = [&](const int32_t (&i)[4], const int32_t (&j)[4]) {
        return _mm_setr_epi32(static_cast<int32_t>(texels[j[0] * stride + i[0]]),
                              static_cast<int32_t>(texels[j[1] * stride + i[1]]),
                              static_cast<int32_t>(texels[j[2] * stride + i[2]]),
                              static_cast<int32_t>(texels[j[3] * stride + i[3]]));
      };
      corners[0] = at(i0, j0), corners[1] = at(i1, j0), corners[2] = at(i0, j1), corners[3] = at(i1, j1);
    } else {
      auto at = [&](const int32_t (&i)[4], const int32_t (&j)[4]) {
        return _mm_setr_epi32(static_cast<int32_t>(pixel::Texel(level, i[0], j[0])),
                              static_cast<int32_t>(pixel::Texel(level, i[1], j[1])),
                              static_cast<int32_t>(pixel::Texel(level, i[2], j[2])),
                              static_cast<int32_t>(pixel::Texel(level, i[3], j[3])));
      };
      corners[0] = at(i0, j0), corners[1] = at(i1, j0), corners[2] = at(i0, j1), corners[3] = at(i1, j1);
    }
    auto corner = [&](int c) { return _mm_or_si128(corners[c], alphaOr); };
    Store(w.chunk.texel + 4 * g, Bilinear(corner(0), corner(1), corner(2), corner(3), weightU, weightV));
  }
}

// Linear sampling whose weights are all 0 reads the same texels as point
// sampling half a texel to the left and up.
bool LinearIsPoint(const Span& span) {
  const float s = span.s.base - 0.5f, t = span.t.base - 0.5f;
  return std::abs(s) < 8192.0f && std::abs(t) < 8192.0f && span.count < 8192 && s == std::floor(s) &&
         t == std::floor(t) && span.s.step == std::floor(span.s.step) && span.t.step == std::floor(span.t.step) &&
         std::abs(span.s.step) <= 1 && std::abs(span.t.step) <= 1;
}

void Texels(Work& w) {
  if (CopyRun(w)) return;
  if (w.span.filter == TextureFilter::Point) {
    PointTexels(w);
  } else if (!w.setup.perspective && LinearIsPoint(w.span)) {
    Span shifted = w.span;
    shifted.s.base -= 0.5f;
    shifted.t.base -= 0.5f;
    Work point{w.setup, shifted, w.start, w.count, w.groups, w.chunk};
    PointTexels(point);
  } else {
    LinearTexels(w);
  }
}

// ---- the texture stage -----------------------------------------------------

struct Arguments {
  const uint32_t* texel;
  const uint32_t* diffuse;  // null: the constant one
  uint32_t constantDiffuse;
  uint32_t factor;
};

inline __m128i Argument(TextureArg arg, const Arguments& a, int32_t k) {
  switch (arg) {
    case TextureArg::Texture: return a.texel ? Load(a.texel + k) : Splat(0xFFFFFFFFu);
    case TextureArg::Factor: return Splat(a.factor);
    default: return a.diffuse ? Load(a.diffuse + k) : Splat(a.constantDiffuse);
  }
}

inline __m128i Operate(TextureOp op, TextureArg arg1, TextureArg arg2, const Arguments& a, int32_t k) {
  switch (op) {
    case TextureOp::Modulate: return Modulate(Argument(arg1, a, k), Argument(arg2, a, k));
    case TextureOp::SelectArg1: return Argument(arg1, a, k);
    default: return Argument(arg2, a, k);
  }
}

// With the diffuse colour constant, the stage is the texel times a
// constant in the channels it reads the texel for, and a constant in the
// others: (Modulate(texel, scale) & fromTexel) | fixed. A select of the
// texel is a modulation by 255, which changes nothing.
struct TexelPlan {
  bool valid = false;
  uint32_t scale = 0xFFFFFFFF;
  uint32_t fromTexel = 0;
  uint32_t fixed = 0;
};

TexelPlan PlanTexelStage(const TextureStage& stage, uint32_t diffuse, uint32_t factor) {
  auto constant = [&](TextureArg arg) { return arg == TextureArg::Factor ? factor : diffuse; };
  TexelPlan plan;
  plan.valid = true;
  auto group = [&](TextureOp op, TextureArg arg1, TextureArg arg2, uint32_t bits) {
    const bool first = arg1 == TextureArg::Texture, second = arg2 == TextureArg::Texture;
    const bool reads = op == TextureOp::Modulate ? first || second : op == TextureOp::SelectArg1 ? first : second;
    if (op == TextureOp::Modulate && first && second) {
      plan.valid = false;
      return;
    }
    if (!reads) {
      plan.fixed |= pixel::Operate(op, constant(arg1), constant(arg2)) & bits;
      return;
    }
    plan.fromTexel |= bits;
    if (op == TextureOp::Modulate) plan.scale = (plan.scale & ~bits) | (constant(first ? arg2 : arg1) & bits);
  };
  group(stage.colourOp, stage.colourArg1, stage.colourArg2, 0x00FFFFFF);
  group(stage.alphaOp, stage.alphaArg1, stage.alphaArg2, 0xFF000000);
  return plan;
}

inline __m128i ApplyPlan(const TexelPlan& plan, __m128i texel) {
  const __m128i scaled = plan.scale == 0xFFFFFFFF ? texel : Modulate(texel, Splat(plan.scale));
  return _mm_or_si128(_mm_and_si128(scaled, Splat(plan.fromTexel)), Splat(plan.fixed));
}

void Combine(Work& w) {
  const TextureStage& stage = w.setup.states->stage;
  const Arguments args{w.setup.textured ? w.chunk.texel : nullptr, w.setup.diffuseVaries ? w.chunk.diffuse : nullptr,
                       w.setup.diffuse, w.setup.states->textureFactor};
  const bool same = stage.colourOp == stage.alphaOp && stage.colourArg1 == stage.alphaArg1 &&
                    stage.colourArg2 == stage.alphaArg2;
  const __m128i alphaMask = Splat(0xFF000000u);
  const TexelPlan plan = w.setup.textured && !w.setup.diffuseVaries
                             ? PlanTexelStage(stage, w.setup.diffuse, w.setup.states->textureFactor)
                             : TexelPlan{};
  for (int32_t k = 0; k < w.groups * 4; k += 4) {
    if (plan.valid) {
      Store(w.chunk.colour + k, ApplyPlan(plan, Load(w.chunk.texel + k)));
      continue;
    }
    const __m128i colour = Operate(stage.colourOp, stage.colourArg1, stage.colourArg2, args, k);
    if (same) {
      Store(w.chunk.colour + k, colour);
      continue;
    }
    const __m128i alpha = Operate(stage.alphaOp, stage.alphaArg1, stage.alphaArg2, args, k);
    Store(w.chunk.colour + k, _mm_or_si128(_mm_and_si128(alpha, alphaMask), _mm_andnot_si128(alphaMask, colour)));
  }
  if (w.setup.specularAdd) {
    for (int32_t k = 0; k < w.groups * 4; k += 4) {
      const __m128i specular = w.setup.specularVaries ? Load(w.chunk.specular + k) : Splat(w.setup.specular);
      Store(w.chunk.colour + k, _mm_adds_epu8(Load(w.chunk.colour + k), _mm_andnot_si128(alphaMask, specular)));
    }
  }
}

void AlphaTest(Work& w) {
  const __m128i reference = _mm_set1_epi32(static_cast<int32_t>(w.setup.states->alphaReference) - 1);
  for (int32_t k = 0; k < w.groups * 4; k += 4) {
    const __m128i passes = _mm_cmpgt_epi32(_mm_srli_epi32(Load(w.chunk.colour + k), 24), reference);
    Store(w.chunk.keep + k, _mm_and_si128(passes, Load(w.chunk.keep + k)));
  }
}

void WriteDepth(Work& w) {
  uint16_t* stored = w.setup.depth.Row(w.span.y) + w.span.x + w.start;
  for (int32_t k = 0; k < w.count; ++k) {
    if (w.chunk.keep[k]) stored[k] = static_cast<uint16_t>(w.chunk.depth[k]);
  }
}

// ---- blending and the target -----------------------------------------------

inline __m128i BroadcastAlpha(__m128i lanes) {
  return _mm_shufflehi_epi16(_mm_shufflelo_epi16(lanes, 0xFF), 0xFF);
}

inline __m128i FactorLanes(BlendFactor factor, __m128i source) {
  const __m128i full = _mm_set1_epi16(255);
  switch (factor) {
    case BlendFactor::Zero: return _mm_setzero_si128();
    case BlendFactor::One: return full;
    case BlendFactor::SourceAlpha: return BroadcastAlpha(source);
    case BlendFactor::InverseSourceAlpha: return _mm_sub_epi16(full, BroadcastAlpha(source));
    default: return _mm_sub_epi16(full, source);
  }
}

inline __m128i Weighted(BlendFactor factor, __m128i value, __m128i source) {
  if (factor == BlendFactor::One) return value;
  if (factor == BlendFactor::Zero) return _mm_setzero_si128();
  return Mul255(value, FactorLanes(factor, source));
}

inline __m128i BlendLanes(BlendFactor sourceFactor, BlendFactor destinationFactor, __m128i source,
                          __m128i destination) {
  return _mm_add_epi16(Weighted(sourceFactor, source, source), Weighted(destinationFactor, destination, source));
}

// The blending states, copied: the target's stores may alias anything, so
// reading the states through a reference would reload them for every group.
struct Blending {
  explicit Blending(const RenderStates& states)
      : enable(states.blendEnable),
        source(states.sourceBlend),
        destination(states.destinationBlend),
        overAlpha(source == BlendFactor::SourceAlpha && destination == BlendFactor::InverseSourceAlpha) {}

  const bool enable;
  const BlendFactor source;
  const BlendFactor destination;
  const bool overAlpha;
};

inline __m128i Blend(const Blending& blending, __m128i source, __m128i destination) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = BlendLanes(blending.source, blending.destination, _mm_unpacklo_epi8(source, zero),
                                 _mm_unpacklo_epi8(destination, zero));
  const __m128i high = BlendLanes(blending.source, blending.destination, _mm_unpackhi_epi8(source, zero),
                                  _mm_unpackhi_epi8(destination, zero));
  return _mm_packus_epi16(low, high);
}

// The new value of four target pixels, given as 0xAARRGGBB.
inline __m128i Resolve(const Blending& blending, __m128i source, __m128i destination) {
  if (!blending.enable) return source;
  if (blending.overAlpha) {
    // Source alpha over inverse source alpha: alpha 255 is the source itself,
    // alpha 0 the destination.
    const __m128i alpha = _mm_srli_epi32(source, 24);
    const int opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_set1_epi32(255)));
    if (opaque == 0xFFFF) return source;
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_setzero_si128())) == 0xFFFF) return destination;
  }
  return Blend(blending, source, destination);
}

// The alpha test, copied as the blending states are.
struct AlphaTesting {
  explicit AlphaTesting(const RenderStates& states)
      : on(states.alphaTestEnable && states.alphaFunction == AlphaCompare::GreaterEqual),
        reference(_mm_set1_epi32(static_cast<int32_t>(states.alphaReference) - 1)) {}

  // All ones in the lanes whose alpha passes.
  __m128i Passes(__m128i colour) const {
    return on ? _mm_cmpgt_epi32(_mm_srli_epi32(colour, 24), reference) : Splat(~0u);
  }

  const bool on;
  const __m128i reference;
};

// How four pixels of a 32-bit target are written.
struct WideWriter {
  explicit WideWriter(const DrawSetup& setup)
      : blending(*setup.states),
        testing(*setup.states),
        // Targets without alpha keep their unused bits 0.
        written(Splat(setup.target.format == PixelLayout::X8R8G8B8 ? 0x00FFFFFFu : 0xFFFFFFFFu)) {}

  void Write(uint32_t* at, __m128i keep, __m128i colour) const {
    if (_mm_movemask_epi8(keep) != 0) Store(at, Written(Load(at), keep, colour));
  }

  // The new value of four pixels holding `destination`.
  __m128i Written(__m128i destination, __m128i keep, __m128i colour) const {
    const int kept = _mm_movemask_epi8(keep);
    if (kept == 0) return destination;
    const __m128i value = _mm_and_si128(Resolve(blending, colour, destination), written);
    return kept == 0xFFFF ? value : _mm_or_si128(_mm_and_si128(keep, value), _mm_andnot_si128(keep, destination));
  }

  // The same after the alpha test.
  __m128i WrittenTested(__m128i destination, __m128i keep, __m128i colour) const {
    return Written(destination, _mm_and_si128(keep, testing.Passes(colour)), colour);
  }

  const Blending blending;
  const AlphaTesting testing;
  const __m128i written;
};

// Lanes below `inside` all ones.
inline __m128i LanesBelow(int32_t inside) {
  return _mm_cmpgt_epi32(_mm_set1_epi32(inside), _mm_setr_epi32(0, 1, 2, 3));
}

void WriteWide(Work& w) {
  const WideWriter writer(w.setup);
  uint32_t* row = reinterpret_cast<uint32_t*>(w.setup.target.Row(w.span.y)) + w.span.x + w.start;
  for (int32_t k = 0; k < w.groups * 4; k += 4) {
    const int32_t inside = std::min(4, w.count - k);
    if (inside == 4) {
      writer.Write(row + k, Load(w.chunk.keep + k), Load(w.chunk.colour + k));
      continue;
    }
    StorePart(row + k, writer.Written(LoadPart(row + k, inside), Load(w.chunk.keep + k), Load(w.chunk.colour + k)),
              inside);
  }
}

void WriteNarrow(Work& w) {
  const Blending blending(*w.setup.states);
  const PixelLayout format = w.setup.target.format;
  uint8_t* row = w.setup.target.Row(w.span.y) + 2 * static_cast<intptr_t>(w.span.x + w.start);
  for (int32_t k = 0; k < w.groups * 4; k += 4) {
    const int32_t inside = std::min(4, w.count - k);
    alignas(16) uint32_t destination[4] = {0, 0, 0, 0};
    for (int32_t p = 0; p < inside; ++p) destination[p] = LoadArgb(format, row + 2 * (k + p));
    alignas(16) uint32_t value[4];
    Store(value, Resolve(blending, Load(w.chunk.colour + k), Load(destination)));
    for (int32_t p = 0; p < inside; ++p) {
      if (w.chunk.keep[k + p]) StoreArgb(format, row + 2 * (k + p), value[p]);
    }
  }
}

// ---- whole spans in one pass ----------------------------------------------

// Writes `four(destination, texels, keep)`, the new value of four pixels,
// over `count` pixels from `row` four at a time; in the last, partial group
// the lanes past them hold 0 and are not written back. `texels` may be null.
template <typename Four>
void ForEachFour(uint32_t* row, int32_t count, const uint32_t* texels, bool opaqueTexels, Four four) {
  const __m128i alphaOr = Splat(opaqueTexels ? 0xFF000000u : 0u);
  for (int32_t k = 0; k < count; k += 4) {
    const int32_t inside = std::min(4, count - k);
    if (inside == 4) {
      Store(row + k, four(Load(row + k), texels ? _mm_or_si128(Load(texels + k), alphaOr) : __m128i{}, Splat(~0u)));
      continue;
    }
    const __m128i source = texels ? LoadPart(texels + k, inside) : _mm_setzero_si128();
    StorePart(row + k, four(LoadPart(row + k, inside), _mm_or_si128(source, alphaOr), LanesBelow(inside)), inside);
  }
}

// The first of a 32-bit target's pixels that a run from (x, y) writes.
uint32_t* TargetPixels(const DrawSetup& setup, int32_t x, int32_t y) {
  return reinterpret_cast<uint32_t*>(setup.target.Row(y)) + x;
}

// A texture read one texel a pixel along one of its rows, the rest of the
// stage constant, into a 32-bit target without depth: most of 2D drawing.
bool TexturedRun(const DrawSetup& setup, const Span& span) {
  if (!setup.textured || setup.perspective || setup.depthTest || setup.specularAdd || setup.diffuseVaries ||
      BytesPerPixel(setup.target.format) != 4 || BytesPerPixel(span.level->format) != 4 || span.s.step != 1.0f ||
      span.t.step != 0.0f || std::abs(span.s.base) > 8192.0f || span.count > 8192 ||
      span.s.base * 256.0f != std::floor(span.s.base * 256.0f)) {
    return false;
  }
  // As CopyRun: base + i is exact, and linear weights must all be 0.
  float s = span.s.base, t = span.t.base;
  if (span.filter == TextureFilter::Linear) {
    s -= 0.5f, t -= 0.5f;
    if (s != std::floor(s) || t != std::floor(t)) return false;
  }
  const TextureLevel& level = *span.level;
  const float column = std::floor(s), row = std::floor(t);
  if (column < 0 || column + span.count > level.width || row < 0 || row >= level.height) return false;
  const auto* texels = reinterpret_cast<const uint32_t*>(level.Row(static_cast<int32_t>(row))) +
                       static_cast<int32_t>(column);
  const TexelPlan plan = PlanTexelStage(setup.states->stage, setup.diffuse, setup.states->textureFactor);
  if (!plan.valid) return false;
  const WideWriter writer(setup);
  ForEachFour(TargetPixels(setup, span.x, span.y), span.count, texels, level.format == PixelLayout::X8R8G8B8,
              [&](__m128i destination, __m128i texel, __m128i keep) {
                return writer.WrittenTested(destination, keep, ApplyPlan(plan, texel));
              });
  return true;
}

// Whether the setup draws one colour across a span, into a 32-bit target
// without depth: spans of text, fills.
bool IsFlat(const DrawSetup& setup) {
  return !setup.textured && !setup.perspective && !setup.depthTest && !setup.diffuseVaries &&
         !(setup.specularAdd && setup.specularVaries) && BytesPerPixel(setup.target.format) == 4;
}

// The colour of a flat span: the stage with a white texel, and the specular colour.
uint32_t FlatColour(const DrawSetup& setup, uint32_t diffuse, uint32_t specular) {
  const RenderStates& states = *setup.states;
  const uint32_t colour = pixel::Combine(states.stage, 0xFFFFFFFF, diffuse, states.textureFactor);
  return setup.specularAdd ? pixel::AddSpecular(colour, specular) : colour;
}

// One colour written over runs of a 32-bit target, as WideWriter writes it
// to every pixel: the colour decides the alpha test, what the source adds to
// a blend and the destination's factor, so they are worked out once.
class FlatWriter {
 public:
  // Left unset, to be assigned before use.
  FlatWriter() = default;
  FlatWriter(const DrawSetup& setup, uint32_t colour)
      : mWritten(Splat(setup.target.format == PixelLayout::X8R8G8B8 ? 0x00FFFFFFu : 0xFFFFFFFFu)) {
    const RenderStates& states = *setup.states;
    const Blending blending(states);
    const __m128i colours = Splat(colour);
    const uint32_t alpha = colour >> 24;
    if (_mm_movemask_epi8(AlphaTesting(states).Passes(colours)) == 0) {
      mMode = Mode::Skip;
    } else if (!blending.enable || (blending.overAlpha && alpha == 255)) {
      mMode = Mode::Replace;
      mValue = _mm_and_si128(colours, mWritten);
    } else if (blending.overAlpha && alpha == 0) {
      mMode = Mode::Keep;
    } else {
      mMode = Mode::Blend;
      const __m128i source = _mm_unpacklo_epi8(colours, _mm_setzero_si128());
      mSourceTerm = Weighted(blending.source, source, source);
      mDestination = blending.destination;
      mDestinationFactor = FactorLanes(blending.destination, source);
    }
  }

  void Write(uint32_t* row, int32_t count) const {
    if (mMode == Mode::Skip) return;
    for (int32_t k = 0; k < count; k += 4) {
      const int32_t inside = std::min(4, count - k);
      if (inside == 4) {
        Store(row + k, Value(Load(row + k)));
      } else {
        StorePart(row + k, Value(LoadPart(row + k, inside)), inside);
      }
    }
  }

 private:
  enum class Mode : uint8_t { Skip, Replace, Keep, Blend };

  __m128i Value(__m128i destination) const {
    switch (mMode) {
      case Mode::Replace: return mValue;
      case Mode::Keep: return _mm_and_si128(destination, mWritten);
      default: break;
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_add_epi16(mSourceTerm, DestinationTerm(_mm_unpacklo_epi8(destination, zero)));
    const __m128i high = _mm_add_epi16(mSourceTerm, DestinationTerm(_mm_unpackhi_epi8(destination, zero)));
    return _mm_and_si128(_mm_packus_epi16(low, high), mWritten);
  }

  __m128i DestinationTerm(__m128i destination) const {
    if (mDestination == BlendFactor::One) return destination;
    if (mDestination == BlendFactor::Zero) return _mm_setzero_si128();
    return Mul255(destination, mDestinationFactor);
  }

  __m128i mWritten;
  Mode mMode;
  __m128i mValue;
  __m128i mSourceTerm;  // two pixels' channels, 16 bits each
  BlendFactor mDestination;
  __m128i mDestinationFactor;
};

// Writers for the colours met lately. Text cycles through a few dozen
// alphas of one colour, one for each coverage, changing from span to span.
class FlatWriters {
 public:
  explicit FlatWriters(const DrawSetup& setup) : mSetup(setup) {}

  const FlatWriter& For(uint32_t diffuse, uint32_t specular) {
    const uint32_t slot = (diffuse * 0x9E3779B1u ^ specular * 0x85EBCA77u) >> (32 - kSlotBits);
    Entry& entry = mEntries[slot];
    const uint64_t bit = uint64_t{1} << slot;
    if (!(mFilled & bit) || entry.diffuse != diffuse || entry.specular != specular) {
      entry = {diffuse, specular, FlatWriter(mSetup, FlatColour(mSetup, diffuse, specular))};
      mFilled |= bit;
    }
    return entry.writer;
  }

 private:
  static constexpr int kSlotBits = 6;
  struct Entry {
    uint32_t diffuse;
    uint32_t specular;
    FlatWriter writer;
  };

  const DrawSetup& mSetup;
  uint64_t mFilled = 0;  // a bit for each entry holding a writer
  Entry mEntries[1 << kSlotBits];
};

bool FlatRun(const DrawSetup& setup, const Span& span) {
  if (!IsFlat(setup)) return false;
  FlatWriter(setup, FlatColour(setup, setup.diffuse, setup.specular))
      .Write(TargetPixels(setup, span.x, span.y), span.count);
  return true;
}

// Sampled texels, the rest of the stage constant, into a 32-bit target
// without depth: stage, alpha test and blending in one pass over the texels.
bool TexelsInOnePass(Work& w) {
  const DrawSetup& setup = w.setup;
  if (!setup.textured || setup.depthTest || setup.diffuseVaries || setup.specularAdd ||
      BytesPerPixel(setup.target.format) != 4) {
    return false;
  }
  const TexelPlan plan = PlanTexelStage(setup.states->stage, setup.diffuse, setup.states->textureFactor);
  if (!plan.valid) return false;
  if (setup.perspective) ComputeQ(w);
  Texels(w);
  const WideWriter writer(setup);
  ForEachFour(TargetPixels(setup, w.span.x + w.start, w.span.y), w.count, w.chunk.texel, false,
              [&](__m128i destination, __m128i texel, __m128i keep) {
    return writer.WrittenTested(destination, keep, ApplyPlan(plan, texel));
  });
  return true;
}

void ShadeChunk(Work& w) {
  const DrawSetup& setup = w.setup;
  if (TexelsInOnePass(w)) return;
  InitKeep(w);
  if (setup.perspective) ComputeQ(w);
  if (setup.depthTest) DepthTest(w);
  if (setup.textured) Texels(w);
  if (setup.diffuseVaries) InterpolateColours(w, w.span.diffuse, w.chunk.diffuse);
  if (setup.specularAdd && setup.specularVaries) InterpolateColours(w, w.span.specular, w.chunk.specular);
  Combine(w);
  const RenderStates& states = *setup.states;
  if (states.alphaTestEnable && states.alphaFunction == AlphaCompare::GreaterEqual) AlphaTest(w);
  if (setup.depthWrite) WriteDepth(w);
  if (BytesPerPixel(setup.target.format) == 4) {
    WriteWide(w);
  } else {
    WriteNarrow(w);
  }
}

}  // namespace

bool HasSimdShader() { return true; }

void ShadeSpanSimd(const DrawSetup& setup, const Span& span) {
  if (TexturedRun(setup, span) || FlatRun(setup, span)) return;
  Chunk chunk;
  for (int32_t start = 0; start < span.count; start += kChunk) {
    const int32_t count = std::min(kChunk, span.count - start);
    Work work{setup, span, start, count, (count + 3) / 4, chunk};
    ShadeChunk(work);
  }
}

void ShadeFlatSpansSimd(const DrawSetup& setup, const FlatSpan* spans, int32_t count) {
  if (!IsFlat(setup)) {
    ShadeFlatSpansWith(ShadeSpanSimd, setup, spans, count);
    return;
  }
  FlatWriters writers(setup);
  for (const FlatSpan& span : std::span(spans, count)) {
    writers.For(span.diffuse, span.specular).Write(TargetPixels(setup, span.x, span.y), span.count);
  }
}

}  // namespace sys::gfx

#else

namespace sys::gfx {

bool HasSimdShader() { return false; }

void ShadeSpanSimd(const DrawSetup& setup, const Span& span) { ShadeSpanPlain(setup, span); }

void ShadeFlatSpansSimd(const DrawSetup& setup, const FlatSpan* spans, int32_t count) {
  ShadeFlatSpansPlain(setup, spans, count);
}

}  // namespace sys::gfx

#endif
