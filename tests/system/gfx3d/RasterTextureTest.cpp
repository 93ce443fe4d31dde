// Texture sampling: texel i of W covers [i/W, (i+1)/W), point sampling takes
// floor(u W), linear sampling blends around u W - 0.5; addressing per axis;
// mipmap levels; perspective through 1/w.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/system/gfx3d/RasterKit.h"

namespace {

using namespace rasterkit;
using sys::gfx::TextureAddress;
using sys::gfx::TextureFilter;

constexpr uint32_t kBackground = 0xFF000000;

uint32_t Distinct(int32_t x, int32_t y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 16 + 8) << 16 | static_cast<uint32_t>(y * 16 + 4) << 8 |
         static_cast<uint32_t>((x * 7 + y * 3) & 0xFF);
}

sys::gfx::RenderStates Sampling(TextureFilter filter, TextureAddress u = TextureAddress::Clamp,
                           TextureAddress v = TextureAddress::Clamp) {
  sys::gfx::RenderStates states;
  states.cullMode = sys::gfx::CullMode::None;
  states.stage.magFilter = states.stage.minFilter = filter;
  states.stage.addressU = u;
  states.stage.addressV = v;
  return states;
}

TEST(RasterTexture, SixteenSquareAtMinusHalfIsTexelExact) {
  const Texture texture(16, 16, Distinct);
  for (const auto filter : {TextureFilter::Point, TextureFilter::Linear}) {
    SCOPED_TRACE(filter == TextureFilter::Point ? "point" : "linear");
    Canvas canvas(24, 24, sys::gfx::PixelLayout::A8R8G8B8, kBackground);
    auto rasterizer = RasterizerFor(canvas);
    rasterizer.SetStates(Sampling(filter));
    rasterizer.SetTexture(&texture.view);
    DrawQuad(rasterizer, 4 - 0.5f, 5 - 0.5f, 20 - 0.5f, 21 - 0.5f);
    for (int32_t y = 0; y < 24; ++y) {
      for (int32_t x = 0; x < 24; ++x) {
        const bool inside = x >= 4 && x < 20 && y >= 5 && y < 21;
        EXPECT_EQ(canvas.At(x, y), inside ? Distinct(x - 4, y - 5) : kBackground) << x << ", " << y;
      }
    }
  }
}

TEST(RasterTexture, SixteenSquareAtPlusATenthMissesItsFirstColumn) {
  const Texture texture(16, 16, Distinct);
  Canvas canvas(24, 24, sys::gfx::PixelLayout::A8R8G8B8, kBackground);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(Sampling(TextureFilter::Point));
  rasterizer.SetTexture(&texture.view);
  DrawQuad(rasterizer, 4.1f, 5.1f, 20.1f, 21.1f);
  for (int32_t y = 6; y < 21; ++y) {
    EXPECT_EQ(canvas.At(4, y), kBackground) << y;
    for (int32_t x = 5; x <= 20; ++x) EXPECT_EQ(canvas.At(x, y), Distinct(x - 5, y - 6)) << x << ", " << y;
  }
}

TEST(RasterTexture, LinearBlendsNeighboursWherePointPicksOne) {
  // Two texels, black and white, stretched over eight pixels.
  const Texture texture(2, 1, [](int32_t x, int32_t) { return x ? 0xFFFFFFFFu : 0xFF000000u; });
  for (const auto filter : {TextureFilter::Point, TextureFilter::Linear}) {
    Canvas canvas(8, 1, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    rasterizer.SetStates(Sampling(filter));
    rasterizer.SetTexture(&texture.view);
    DrawQuad(rasterizer, -0.5f, -0.5f, 7.5f, 0.5f);
    for (int32_t x = 0; x < 8; ++x) {
      const double s = (x + 0.5) / 4.0;  // u W at the centre
      const double white = filter == TextureFilter::Point ? std::floor(s) : std::clamp(s - 0.5, 0.0, 1.0);
      EXPECT_NEAR(canvas.At(x, 0) & 0xFF, 255 * white, 1) << x;
    }
  }
}

TEST(RasterTexture, AddressingWrapsMirrorsOrClampsEachAxis) {
  // u and v run from -1 to 2 over a 4 x 4 texture, one texel a pixel.
  struct Case {
    TextureAddress mode;
    int32_t texel[12];  // texel index at pixel 0..11
  };
  const Case cases[] = {
      {TextureAddress::Wrap, {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3}},
      {TextureAddress::Mirror, {3, 2, 1, 0, 0, 1, 2, 3, 3, 2, 1, 0}},
      {TextureAddress::Clamp, {0, 0, 0, 0, 0, 1, 2, 3, 3, 3, 3, 3}},
  };
  const Texture texture(4, 4, Distinct);
  for (const Case& across : cases) {
    for (const Case& down : cases) {
      Canvas canvas(12, 12, sys::gfx::PixelLayout::A8R8G8B8, 0);
      auto rasterizer = RasterizerFor(canvas);
      rasterizer.SetStates(Sampling(TextureFilter::Point, across.mode, down.mode));
      rasterizer.SetTexture(&texture.view);
      DrawQuad(rasterizer, -0.5f, -0.5f, 11.5f, 11.5f, -1, -1, 2, 2);
      for (int32_t y = 0; y < 12; ++y) {
        for (int32_t x = 0; x < 12; ++x) {
          ASSERT_EQ(canvas.At(x, y), Distinct(across.texel[x], down.texel[y]))
              << static_cast<int>(across.mode) << "/" << static_cast<int>(down.mode) << " at " << x << ", " << y;
        }
      }
    }
  }
}

TEST(RasterTexture, WithoutATextureTheStageReadsOpaqueWhite) {
  Canvas canvas(4, 4, sys::gfx::PixelLayout::A8R8G8B8, 0);
  auto rasterizer = RasterizerFor(canvas);
  auto states = Sampling(TextureFilter::Point);
  states.stage.alphaOp = sys::gfx::TextureOp::Modulate;
  states.stage.alphaArg2 = sys::gfx::TextureArg::Diffuse;
  rasterizer.SetStates(states);
  DrawQuad(rasterizer, -0.5f, -0.5f, 3.5f, 3.5f, 0, 0, 1, 1, 0x80336699);
  EXPECT_EQ(canvas.CountNot(0x80336699), 0);
}

TEST(RasterTexture, FormatsWidenByBitReplicationAndWithoutAlphaReadOpaque) {
  struct Case {
    sys::gfx::PixelLayout format;
    uint32_t stored;  // what the texture holds, written as its own format would
    uint32_t read;
  };
  const Case cases[] = {
      {sys::gfx::PixelLayout::X8R8G8B8, 0x00123456, 0xFF123456},
      {sys::gfx::PixelLayout::A8R8G8B8, 0x40123456, 0x40123456},
      // 0x8C keeps 10001 and reads 10001100; 0x4A keeps 010010, reads 01001001.
      {sys::gfx::PixelLayout::R5G6B5, 0xFF8C4A21, 0xFF8C4921},
      {sys::gfx::PixelLayout::A4R4G4B4, 0x7FF08040, 0x77FF8844},
      {sys::gfx::PixelLayout::A1R5G5B5, 0x7FFFFFFF, 0x00FFFFFF},
      {sys::gfx::PixelLayout::X1R5G5B5, 0x00F80000, 0xFFFF0000},
  };
  for (const Case& c : cases) {
    const Texture texture(1, 1, [&](int32_t, int32_t) { return c.stored; }, c.format);
    Canvas canvas(2, 2, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    rasterizer.SetStates(Sampling(TextureFilter::Point));
    rasterizer.SetTexture(&texture.view);
    DrawQuad(rasterizer, -0.5f, -0.5f, 1.5f, 1.5f);
    EXPECT_EQ(canvas.At(1, 1), c.read) << static_cast<int>(c.format);
  }
}

TEST(RasterTexture, PointMipmappingPicksTheNearestLevel) {
  Texture texture(8, 8, [](int32_t, int32_t) { return 0xFFFF0000u; });
  texture.AddLevel([](int32_t, int32_t) { return 0xFF00FF00u; });
  texture.AddLevel([](int32_t, int32_t) { return 0xFF0000FFu; });
  struct Case {
    float side;
    sys::gfx::MipFilter mip;
    uint32_t colour;
  };
  const Case cases[] = {
      {8, sys::gfx::MipFilter::Point, 0xFFFF0000}, {12, sys::gfx::MipFilter::Point, 0xFFFF0000},
      {4, sys::gfx::MipFilter::Point, 0xFF00FF00}, {2, sys::gfx::MipFilter::Point, 0xFF0000FF},
      {1, sys::gfx::MipFilter::Point, 0xFF0000FF}, {2, sys::gfx::MipFilter::None, 0xFFFF0000},
  };
  for (const Case& c : cases) {
    Canvas canvas(16, 16, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    auto states = Sampling(TextureFilter::Point);
    states.stage.mipFilter = c.mip;
    rasterizer.SetStates(states);
    rasterizer.SetTexture(&texture.view);
    DrawQuad(rasterizer, -0.5f, -0.5f, c.side - 0.5f, c.side - 0.5f);
    EXPECT_EQ(canvas.At(0, 0), c.colour) << c.side;
  }
}

TEST(RasterTexture, CoordinatesFollowPerspectiveThroughOneOverW) {
  // A strip whose right end is three times as far as its left end.
  const Texture texture(16, 1, Distinct);
  Canvas canvas(32, 1, sys::gfx::PixelLayout::A8R8G8B8, 0);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(Sampling(TextureFilter::Point));
  rasterizer.SetTexture(&texture.view);
  const float far = 1.0f / 3;
  const auto topLeft = Vertex(-0.5f, -0.5f, 0, 0, ~0u, 0, 1);
  const auto topRight = Vertex(31.5f, -0.5f, 1, 0, ~0u, 0, far);
  const auto bottomRight = Vertex(31.5f, 0.5f, 1, 1, ~0u, 0, far);
  const auto bottomLeft = Vertex(-0.5f, 0.5f, 0, 1, ~0u, 0, 1);
  rasterizer.DrawTriangle(topLeft, topRight, bottomRight);
  rasterizer.DrawTriangle(topLeft, bottomRight, bottomLeft);
  int checked = 0;
  for (int32_t x = 0; x < 32; ++x) {
    const double f = (x + 0.5) / 32;
    const double u = (f * far) / ((1 - f) + f * far);
    const double s = u * 16;
    if (std::abs(s - std::round(s)) < 0.05) continue;  // too close to call
    EXPECT_EQ(canvas.At(x, 0), Distinct(static_cast<int32_t>(s), 0)) << x;
    ++checked;
  }
  EXPECT_GT(checked, 24);
}

}  // namespace
