// What happens to a covered pixel: the texture stage, specular, alpha test,
// depth test and write, blending and the write into the target's format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tests/system/gfx3d/RasterKit.h"

namespace {

using namespace rasterkit;
using sys::gfx::BlendFactor;
using sys::gfx::TextureArg;
using sys::gfx::TextureOp;

double Unit(uint32_t colour, int shift) { return ((colour >> shift) & 0xFF) / 255.0; }

TEST(RasterPixel, BlendModesFollowTheirFormulaOverAKnownBackground) {
  // The display's five blend modes as states.
  struct Mode {
    int number;
    bool blend;
    BlendFactor source, destination;
    bool opaqueAlpha;  // alpha from the texture factor 0xFFFFFFFF
  };
  const Mode modes[] = {
      {0, true, BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha, false},
      {1, false, BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha, true},
      {2, true, BlendFactor::One, BlendFactor::One, false},
      {3, true, BlendFactor::SourceAlpha, BlendFactor::One, false},
      {4, true, BlendFactor::InverseSourceAlpha, BlendFactor::InverseSourceColour, false},
  };
  const uint32_t background = 0x802878F0;
  const uint32_t texel = 0xC0C86432;
  const uint32_t diffuse = 0xE0F0B080;
  const Texture texture(1, 1, [&](int32_t, int32_t) { return texel; });
  for (const Mode& mode : modes) {
    Canvas canvas(2, 2, sys::gfx::PixelLayout::A8R8G8B8, background);
    auto rasterizer = RasterizerFor(canvas);
    auto states = States2d();
    states.blendEnable = mode.blend;
    states.sourceBlend = mode.source;
    states.destinationBlend = mode.destination;
    if (mode.opaqueAlpha) {
      states.textureFactor = 0xFFFFFFFF;
      states.stage.alphaOp = TextureOp::SelectArg1;
      states.stage.alphaArg1 = TextureArg::Factor;
    }
    rasterizer.SetStates(states);
    rasterizer.SetTexture(&texture.view);
    DrawQuad(rasterizer, -0.5f, -0.5f, 1.5f, 1.5f, 0, 0, 1, 1, diffuse);

    const double sourceAlpha = mode.opaqueAlpha ? 1.0 : Unit(texel, 24) * Unit(diffuse, 24);
    for (int shift = 0; shift < 32; shift += 8) {
      const double source = shift == 24 ? sourceAlpha : Unit(texel, shift) * Unit(diffuse, shift);
      const double destination = Unit(background, shift);
      auto factor = [&](BlendFactor f) {
        switch (f) {
          case BlendFactor::One: return 1.0;
          case BlendFactor::SourceAlpha: return sourceAlpha;
          case BlendFactor::InverseSourceAlpha: return 1 - sourceAlpha;
          case BlendFactor::InverseSourceColour: return 1 - source;
          default: return 0.0;
        }
      };
      const double expected =
          mode.blend ? std::min(1.0, source * factor(mode.source) + destination * factor(mode.destination)) : source;
      EXPECT_NEAR((canvas.At(1, 1) >> shift) & 0xFF, expected * 255, 1) << "mode " << mode.number << " shift " << shift;
    }
  }
}

TEST(RasterPixel, AlphaTestDropsAlphaZeroEvenWhenAdding) {
  const Texture texture(2, 1, [](int32_t x, int32_t) { return x ? 0x01404040u : 0x00404040u; });
  Canvas canvas(2, 1, sys::gfx::PixelLayout::A8R8G8B8, 0xFF101010);
  auto rasterizer = RasterizerFor(canvas);
  auto states = States2d();
  states.sourceBlend = states.destinationBlend = BlendFactor::One;
  rasterizer.SetStates(states);
  rasterizer.SetTexture(&texture.view);
  DrawQuad(rasterizer, -0.5f, -0.5f, 1.5f, 0.5f);
  EXPECT_EQ(canvas.At(0, 0), 0xFF101010u);
  EXPECT_EQ(canvas.At(1, 0), 0xFF505050u);
}

TEST(RasterPixel, DepthTestPassesLessOrEqualAndWritesOnlyWhenAsked) {
  struct Case {
    const char* name;
    bool enable, write;
    float second;  // depth of the second quad; the first lies at 0.5
    bool secondShows;
    uint16_t depthAfter;
  };
  const uint16_t half = 32768;  // 0.5 x 65535, rounded
  const Case cases[] = {
      {"nearer passes", true, true, 0.25f, true, 16384},
      {"equal passes", true, true, 0.5f, true, half},
      {"farther fails", true, true, 0.75f, false, half},
      {"nearer without write", true, false, 0.25f, true, 0xFFFF},
      {"no test, no write", false, true, 0.75f, true, 0xFFFF},
  };
  for (const Case& c : cases) {
    Canvas canvas(4, 4, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    sys::gfx::RenderStates states;
    states.depthEnable = c.enable;
    states.depthWriteEnable = true;
    rasterizer.SetStates(states);
    auto quad = [&](float z, uint32_t colour) {
      const auto a = Vertex(-0.5f, -0.5f, 0, 0, colour, z), b = Vertex(3.5f, -0.5f, 0, 0, colour, z);
      const auto d = Vertex(3.5f, 3.5f, 0, 0, colour, z), e = Vertex(-0.5f, 3.5f, 0, 0, colour, z);
      rasterizer.DrawTriangle(a, b, d);
      rasterizer.DrawTriangle(a, d, e);
    };
    quad(0.5f, 0xFFFF0000);
    states.depthWriteEnable = c.write;
    rasterizer.SetStates(states);
    quad(c.second, 0xFF00FF00);
    EXPECT_EQ(canvas.At(2, 2), c.secondShows ? 0xFF00FF00u : 0xFFFF0000u) << c.name;
    const uint16_t firstWrite = c.enable ? half : 0xFFFF;
    EXPECT_EQ(canvas.DepthAt(2, 2), c.write ? c.depthAfter : firstWrite) << c.name;
  }
}

TEST(RasterPixel, FlatShadingTakesTheFirstVertexColours) {
  for (const auto mode : {sys::gfx::ShadeMode::Flat, sys::gfx::ShadeMode::Gouraud}) {
    Canvas canvas(8, 8, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    sys::gfx::RenderStates states;
    states.shadeMode = mode;
    states.specularEnable = true;
    rasterizer.SetStates(states);
    rasterizer.DrawTriangle(Vertex(0, 0, 0, 0, 0xFF000080, 0, 1, 0x00100000), Vertex(8, 0, 0, 0, 0xFF0000FF),
                            Vertex(0, 8, 0, 0, 0xFF000000));
    if (mode == sys::gfx::ShadeMode::Flat) {
      EXPECT_EQ(canvas.At(5, 1), 0xFF100080u);
      EXPECT_EQ(canvas.At(1, 5), 0xFF100080u);
    } else {
      // Weights of the corners at (5, 1): 2/8, 5/8, 1/8; at (1, 5): 2/8, 1/8, 5/8.
      EXPECT_NEAR(canvas.At(5, 1) & 0xFF, 0x80 * 0.25 + 0xFF * 0.625, 1);
      EXPECT_NEAR(canvas.At(1, 5) & 0xFF, 0x80 * 0.25 + 0xFF * 0.125, 1);
      EXPECT_NEAR((canvas.At(5, 1) >> 16) & 0xFF, 0x10 * 0.25, 1);
    }
  }
}

TEST(RasterPixel, SpecularIsAddedOnlyWhenEnabledAndSaturates) {
  for (const bool enabled : {false, true}) {
    Canvas canvas(2, 2, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    sys::gfx::RenderStates states;
    states.specularEnable = enabled;
    rasterizer.SetStates(states);
    const uint32_t diffuse = 0xFFF08010, specular = 0x80204060;
    const auto a = Vertex(-0.5f, -0.5f, 0, 0, diffuse, 0, 1, specular);
    const auto b = Vertex(1.5f, -0.5f, 0, 0, diffuse, 0, 1, specular);
    const auto c = Vertex(1.5f, 1.5f, 0, 0, diffuse, 0, 1, specular);
    rasterizer.DrawTriangle(a, b, c);
    EXPECT_EQ(canvas.At(1, 0), enabled ? 0xFFFFC070u : diffuse);
  }
}

TEST(RasterPixel, TextureStageOperatesOnColourAndAlphaSeparately) {
  const uint32_t texel = 0x80C04020, diffuse = 0x40FF8000, factor = 0xC0102030;
  struct Case {
    TextureOp colourOp;
    TextureArg colour1, colour2;
    TextureOp alphaOp;
    TextureArg alpha1, alpha2;
    uint32_t expected;
  };
  const Case cases[] = {
      {TextureOp::SelectArg1, TextureArg::Texture, TextureArg::Diffuse, TextureOp::SelectArg1, TextureArg::Texture,
       TextureArg::Diffuse, 0x80C04020},
      {TextureOp::SelectArg2, TextureArg::Texture, TextureArg::Diffuse, TextureOp::SelectArg2, TextureArg::Texture,
       TextureArg::Diffuse, 0x40FF8000},
      {TextureOp::SelectArg1, TextureArg::Current, TextureArg::Texture, TextureOp::SelectArg1, TextureArg::Factor,
       TextureArg::Texture, 0xC0FF8000},
      {TextureOp::SelectArg2, TextureArg::Texture, TextureArg::Factor, TextureOp::SelectArg1, TextureArg::Diffuse,
       TextureArg::Texture, 0x40102030},
      // 0xC0 x 0xFF = 0xC0, 0x40 x 0x80 = 0x20, 0x20 x 0 = 0; alpha 0x80 x 0x40 = 0x20
      {TextureOp::Modulate, TextureArg::Texture, TextureArg::Current, TextureOp::Modulate, TextureArg::Texture,
       TextureArg::Diffuse, 0x20C02000},
      // 0xC0 x 0x10 = 0x0C, 0x40 x 0x20 = 0x08, 0x20 x 0x30 = 0x06; alpha 0x40 x 0xC0 = 0x30
      {TextureOp::Modulate, TextureArg::Factor, TextureArg::Texture, TextureOp::Modulate, TextureArg::Diffuse,
       TextureArg::Factor, 0x300C0806},
  };
  const Texture texture(1, 1, [&](int32_t, int32_t) { return texel; });
  for (const Case& c : cases) {
    Canvas canvas(2, 2, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    sys::gfx::RenderStates states;
    states.textureFactor = factor;
    states.stage.colourOp = c.colourOp;
    states.stage.colourArg1 = c.colour1;
    states.stage.colourArg2 = c.colour2;
    states.stage.alphaOp = c.alphaOp;
    states.stage.alphaArg1 = c.alpha1;
    states.stage.alphaArg2 = c.alpha2;
    rasterizer.SetStates(states);
    rasterizer.SetTexture(&texture.view);
    DrawQuad(rasterizer, -0.5f, -0.5f, 1.5f, 1.5f, 0, 0, 1, 1, diffuse);
    EXPECT_EQ(canvas.At(1, 1), c.expected) << std::hex << c.expected;
  }
}

TEST(RasterPixel, SixteenBitTargetsTruncateOnWriteAndWidenOnRead) {
  struct Case {
    sys::gfx::PixelLayout format;
    uint16_t opaque;   // 0xFF8C4A21 written
    uint16_t blended;  // then half of 0xFFFFFFFF over it
  };
  // Half white over the widened first write: (255 x 128 + c x 127) / 255.
  const Case cases[] = {
      {sys::gfx::PixelLayout::R5G6B5, 0x8A44, 0xC532},
      {sys::gfx::PixelLayout::X1R5G5B5, 0x4524, 0x6292},
      {sys::gfx::PixelLayout::A1R5G5B5, 0xC524, 0xE292},
      {sys::gfx::PixelLayout::A4R4G4B4, 0xF842, 0xBCA9},
  };
  for (const Case& c : cases) {
    Canvas canvas(2, 1, c.format, 0);
    auto rasterizer = RasterizerFor(canvas);
    sys::gfx::RenderStates states;
    rasterizer.SetStates(states);
    rasterizer.DrawLine(Vertex(0, 0, 0, 0, 0xFF8C4A21), Vertex(2, 0, 0, 0, 0xFF8C4A21));
    uint16_t stored;
    std::memcpy(&stored, canvas.bytes.data(), 2);
    EXPECT_EQ(stored, c.opaque) << static_cast<int>(c.format);
    auto blending = States2d();
    blending.stage.alphaOp = TextureOp::SelectArg1;
    blending.stage.alphaArg1 = TextureArg::Diffuse;
    rasterizer.SetStates(blending);
    rasterizer.DrawLine(Vertex(0, 0, 0, 0, 0x80FFFFFF), Vertex(2, 0, 0, 0, 0x80FFFFFF));
    std::memcpy(&stored, canvas.bytes.data() + 2, 2);
    EXPECT_EQ(stored, c.blended) << static_cast<int>(c.format);
  }
}

}  // namespace
