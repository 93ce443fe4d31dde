// The SIMD shader against the plain one: random scenes over every state,
// format and filter, and the shapes its shortcuts are made for, must give
// the same bytes in the target and in the depth buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

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

// A line for a list: mostly rows of one colour as text draws them, some
// changing colour along the row, some slanted, some degenerate.
std::pair<sys::gfx::TransformedVertex, sys::gfx::TransformedVertex> ListLine(Scene& scene, bool perspective, float rhw) {
  const float x = std::floor(scene.Between(-4, 52)), y = std::floor(scene.Between(-2, 26));
  const float offset = scene.Pick({0.0f, 0.25f, 0.5f, -0.75f, scene.Between(-1, 1)});
  const float length = scene.Pick({1.0f, 2.0f, 5.0f, scene.Between(-8, 30)});
  const uint32_t colour = scene.Colour();
  auto row = [&](uint32_t endColour, float endRhw) {
    return std::pair(Vertex(x + offset, y + offset, 0, 0, colour, 0.5f, rhw),
                     Vertex(x + length + offset, y + offset, 0, 0, endColour, 0.5f, endRhw));
  };
  switch (scene.Below(10)) {
    case 0: return row(scene.Colour(), rhw);
    case 1: return row(colour, scene.Between(0.05f, 2));
    case 2: return std::pair(scene.Corner(perspective, rhw), scene.Corner(perspective, rhw));
    case 3: return std::pair(Vertex(x, y, 0, 0, colour), Vertex(x, y, 0, 0, colour));
    case 4: {
      auto line = row(colour, rhw);
      line.first.x = std::nanf("");
      return line;
    }
    default: return row(colour, rhw);
  }
}

TEST(RasterSimd, LineListsLightWhatTheirLinesLightOneByOne) {
  // A list hands its rows of one colour to the shader together. With other
  // lines between them, overlapping and blended, every line must still land
  // as it does drawn alone in its turn, on either path.
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    Scene scene(seed);
    const PixelLayout format = kFormats[scene.Below(6)];
    const uint32_t background = scene.Colour();
    const sys::gfx::RenderStates states = scene.Below(2) ? States2d() : scene.States();
    const Texture texture = scene.MakeTexture();
    const bool bound = scene.Below(3) == 0;
    const sys::gfx::Rect viewport{scene.Below(6), scene.Below(6), 40 + scene.Below(12), 18 + scene.Below(8)};
    const bool perspective = scene.Below(2);
    const float rhw = scene.Between(0.1f, 2);
    std::vector<sys::gfx::TransformedVertex> list;
    for (int line = 0; line < 150; ++line) {
      const auto [start, end] = ListLine(scene, perspective, rhw);
      list.push_back(start);
      list.push_back(end);
    }
    auto prepared = [&](Canvas& canvas, sys::gfx::Rasterizer::Path path) {
      auto rasterizer = RasterizerFor(canvas, path);
      rasterizer.SetStates(states);
      rasterizer.SetViewport(viewport);
      rasterizer.SetTexture(bound ? &texture.view : nullptr);
      return rasterizer;
    };
    Canvas alone(48, 24, format, background);
    auto aloneRasterizer = prepared(alone, sys::gfx::Rasterizer::Path::Plain);
    for (size_t k = 0; k < list.size(); k += 2) aloneRasterizer.DrawLine(list[k], list[k + 1]);
    for (const auto path : {sys::gfx::Rasterizer::Path::Plain, sys::gfx::Rasterizer::Path::Simd}) {
      Canvas listed(48, 24, format, background);
      prepared(listed, path).DrawLineList(list.data(), static_cast<uint32_t>(list.size()));
      ExpectSame(alone, listed);
    }
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
