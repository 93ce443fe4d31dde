// The SIMD shader against the plain one: random scenes over every state,
// format and filter, and the shapes its shortcuts are made for, must give
// the same bytes in the target and in the depth buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/system/gfx3d/RasterKit.h"

namespace {

using namespace rasterkit;
using sys::gfx::PixelLayout;

constexpr PixelLayout kFormats[] = {PixelLayout::X8R8G8B8, PixelLayout::A8R8G8B8, PixelLayout::R5G6B5,
                                     PixelLayout::X1R5G5B5, PixelLayout::A1R5G5B5, PixelLayout::A4R4G4B4};

class Scene {
 public:
  explicit Scene(uint32_t seed) : mRandom(seed) {}

  template <typename T>
  T Pick(std::initializer_list<T> choices) {
    return choices.begin()[Below(static_cast<int>(choices.size()))];
  }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }
  float Between(float low, float high) { return std::uniform_real_distribution<float>(low, high)(mRandom); }
  uint32_t Colour() {
    const uint32_t alpha = Pick<uint32_t>({0, 1, 0x80, 0xFF, static_cast<uint32_t>(Below(256))});
    return alpha << 24 | (std::uniform_int_distribution<uint32_t>(0, 0xFFFFFF)(mRandom));
  }

  sys::gfx::RenderStates States() {
    using namespace sys::gfx;
    RenderStates s;
    s.blendEnable = Below(4) != 0;
    const auto factors = {BlendFactor::Zero, BlendFactor::One, BlendFactor::SourceAlpha,
                          BlendFactor::InverseSourceAlpha, BlendFactor::InverseSourceColour};
    s.sourceBlend = Pick(factors);
    s.destinationBlend = Pick(factors);
    if (Below(2)) s.sourceBlend = BlendFactor::SourceAlpha, s.destinationBlend = BlendFactor::InverseSourceAlpha;
    s.alphaTestEnable = Below(2);
    s.alphaFunction = Pick({AlphaCompare::Always, AlphaCompare::GreaterEqual});
    s.alphaReference = static_cast<uint8_t>(Pick({0, 1, 0x80, Below(256)}));
    s.depthEnable = Below(2);
    s.depthWriteEnable = Below(2);
    s.shadeMode = Pick({ShadeMode::Flat, ShadeMode::Gouraud});
    s.specularEnable = Below(2);
    s.textureFactor = Colour();
    const auto ops = {TextureOp::Modulate, TextureOp::SelectArg1, TextureOp::SelectArg2};
    const auto args = {TextureArg::Texture, TextureArg::Diffuse, TextureArg::Current, TextureArg::Factor};
    s.stage.colourOp = Pick(ops);
    s.stage.colourArg1 = Pick(args);
    s.stage.colourArg2 = Pick(args);
    s.stage.alphaOp = Pick(ops);
    s.stage.alphaArg1 = Pick(args);
    s.stage.alphaArg2 = Pick(args);
    const auto filters = {TextureFilter::Point, TextureFilter::Linear};
    s.stage.magFilter = Pick(filters);
    s.stage.minFilter = Pick(filters);
    s.stage.mipFilter = Pick({MipFilter::None, MipFilter::Point});
    const auto modes = {TextureAddress::Wrap, TextureAddress::Mirror, TextureAddress::Clamp};
    s.stage.addressU = Pick(modes);
    s.stage.addressV = Pick(modes);
    return s;
  }

  Texture MakeTexture() {
    const int32_t width = Pick({1, 3, 16, 64, Below(40) + 1}), height = Pick({1, 5, 16, 32, Below(40) + 1});
    Texture texture(width, height, [&](int32_t, int32_t) { return Colour(); }, kFormats[Below(6)]);
    while (texture.view.levelCount < 4 && Below(2)) texture.AddLevel([&](int32_t, int32_t) { return Colour(); });
    return texture;
  }

  sys::gfx::TransformedVertex Corner(bool perspective, float rhw) {
    return Vertex(Between(-20, 90), Between(-20, 70), Between(-2, 3), Between(-2, 3), Colour(), Between(-0.2f, 1.2f),
                  perspective ? Between(0.05f, 2) : rhw, Colour());
  }

 private:
  std::mt19937 mRandom;
};

// Reports the first pixel that differs.
void ExpectSame(const Canvas& plain, const Canvas& simd) {
  const int bytes = sys::gfx::BytesPerPixel(plain.view.format);
  for (int32_t y = 0; y < plain.view.height; ++y) {
    for (int32_t x = 0; x < plain.view.width; ++x) {
      const size_t at = static_cast<size_t>(y) * plain.view.pitch + x * bytes;
      ASSERT_TRUE(std::equal(plain.bytes.begin() + at, plain.bytes.begin() + at + bytes, simd.bytes.begin() + at))
          << "pixel " << x << ", " << y << ": plain " << std::hex << plain.At(x, y) << ", simd " << simd.At(x, y);
      ASSERT_EQ(plain.DepthAt(x, y), simd.DepthAt(x, y)) << "depth " << x << ", " << y;
    }
  }
}

TEST(RasterSimd, RandomScenesMatchThePlainShader) {
  if (!sys::gfx::HasSimdShader()) GTEST_SKIP() << "no SIMD shader on this processor";
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    Scene scene(seed);
    const PixelLayout format = kFormats[scene.Below(6)];
    const uint32_t background = scene.Colour();
    Canvas plain(72, 56, format, background), simd(72, 56, format, background);
    auto plainRasterizer = RasterizerFor(plain, sys::gfx::Rasterizer::Path::Plain);
    auto simdRasterizer = RasterizerFor(simd, sys::gfx::Rasterizer::Path::Simd);
    const Texture texture = scene.MakeTexture();
    const bool bound = scene.Below(5) != 0;
    for (int draw = 0; draw < 6; ++draw) {
      const sys::gfx::RenderStates states = scene.States();
      const sys::gfx::Rect viewport{scene.Below(10), scene.Below(10), 50 + scene.Below(30), 40 + scene.Below(20)};
      for (auto* r : {&plainRasterizer, &simdRasterizer}) {
        r->SetStates(states);
        r->SetViewport(viewport);
        r->SetTexture(bound ? &texture.view : nullptr);
      }
      const bool perspective = scene.Below(2);
      const float rhw = scene.Between(0.1f, 2);
      const auto a = scene.Corner(perspective, rhw), b = scene.Corner(perspective, rhw), c = scene.Corner(perspective, rhw);
      if (scene.Below(3) == 0) {
        plainRasterizer.DrawLine(a, b);
        simdRasterizer.DrawLine(a, b);
      } else {
        plainRasterizer.DrawTriangle(a, b, c);
        simdRasterizer.DrawTriangle(a, b, c);
      }
    }
    ExpectSame(plain, simd);
  }
}

TEST(RasterSimd, TextSpansMatchThePlainShader) {
  // Short runs of one colour along a row, a pixel or a few long, blended
  // over what lies there: the spans of text.
  if (!sys::gfx::HasSimdShader()) GTEST_SKIP() << "no SIMD shader on this processor";
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    SCOPED_TRACE(seed);
    Scene scene(seed);
    const PixelLayout format = scene.Pick({PixelLayout::X8R8G8B8, PixelLayout::A8R8G8B8, PixelLayout::R5G6B5});
    const uint32_t background = scene.Colour();
    Canvas plain(40, 8, format, background), simd(40, 8, format, background);
    auto plainRasterizer = RasterizerFor(plain, sys::gfx::Rasterizer::Path::Plain);
    auto simdRasterizer = RasterizerFor(simd, sys::gfx::Rasterizer::Path::Simd);
    auto states = States2d();
    states.alphaTestEnable = scene.Below(2);
    for (auto* r : {&plainRasterizer, &simdRasterizer}) r->SetStates(states);
    for (int span = 0; span < 60; ++span) {
      const float x = static_cast<float>(scene.Below(44) - 2), y = static_cast<float>(scene.Below(8));
      const float length = static_cast<float>(1 + scene.Below(6));
      const uint32_t colour = scene.Colour();
      const auto start = Vertex(x - 0.75f, y + 0.25f, 0, 0, colour);
      const auto end = Vertex(x + length - 0.75f, y + 0.25f, 0, 0, colour);
      plainRasterizer.DrawLine(start, end);
      simdRasterizer.DrawLine(start, end);
    }
    ExpectSame(plain, simd);
  }
}

TEST(RasterSimd, TexelAlignedQuadsMatchThePlainShader) {
  // The shapes of 2D drawing: quads on whole or half pixels, 1:1 or scaled,
  // over textures of every format, point and linear.
  if (!sys::gfx::HasSimdShader()) GTEST_SKIP() << "no SIMD shader on this processor";
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    Scene scene(seed);
    const PixelLayout format = kFormats[scene.Below(6)];
    Canvas plain(150, 40, format, 0xFF204080), simd(150, 40, format, 0xFF204080);
    auto plainRasterizer = RasterizerFor(plain, sys::gfx::Rasterizer::Path::Plain);
    auto simdRasterizer = RasterizerFor(simd, sys::gfx::Rasterizer::Path::Simd);
    const int32_t width = scene.Pick({16, 100, 130}), height = scene.Pick({1, 16, 20});
    const Texture texture(width, height, [&](int32_t, int32_t) { return scene.Colour(); }, kFormats[scene.Below(6)]);
    auto states = States2d();
    states.stage.magFilter = states.stage.minFilter = scene.Pick({sys::gfx::TextureFilter::Point, sys::gfx::TextureFilter::Linear});
    states.stage.addressU = states.stage.addressV =
        scene.Pick({sys::gfx::TextureAddress::Wrap, sys::gfx::TextureAddress::Mirror, sys::gfx::TextureAddress::Clamp});
    states.blendEnable = scene.Below(4) != 0;
    const float x = scene.Below(40) - 10 + scene.Pick({-0.5f, 0.0f, 0.25f}), y = scene.Below(20) - 4 - 0.5f;
    const float scale = scene.Pick({1.0f, 1.0f, 2.0f, 0.5f});
    const float u0 = scene.Pick({0.0f, 0.5f / width, -1.0f});
    const uint32_t diffuse = scene.Pick({0xFFFFFFFFu, scene.Colour()});
    for (auto* r : {&plainRasterizer, &simdRasterizer}) {
      r->SetStates(states);
      r->SetTexture(&texture.view);
      DrawQuad(*r, x, y, x + width * scale, y + height * scale, u0, 0, u0 + 1, 1, diffuse);
    }
    ExpectSame(plain, simd);
  }
}

}  // namespace
