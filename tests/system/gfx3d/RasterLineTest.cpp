// Lines: along the major axis the centres in [start, end), on the minor axis
// the nearest pixel. Text is drawn as one-pixel spans under this rule.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <utility>

#include "tests/system/gfx3d/RasterKit.h"

namespace {

using namespace rasterkit;
using Pixels = std::set<std::pair<int32_t, int32_t>>;

constexpr uint32_t kLineBackground = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

Pixels Lit(const Canvas& canvas) {
  Pixels lit;
  for (int32_t y = 0; y < canvas.view.height; ++y) {
    for (int32_t x = 0; x < canvas.view.width; ++x) {
      if (canvas.At(x, y) != kLineBackground) lit.insert({x, y});
    }
  }
  return lit;
}

sys::gfx::RenderStates Opaque() {
  sys::gfx::RenderStates states;
  states.cullMode = sys::gfx::CullMode::None;
  return states;
}

Pixels DrawLine(float x0, float y0, float x1, float y1) {
  Canvas canvas(12, 12);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(Opaque());
  rasterizer.DrawLine(Vertex(x0, y0), Vertex(x1, y1));
  return Lit(canvas);
}

TEST(RasterLine, LightsTheCentresFromItsStartUpToItsEnd) {
  struct Case {
    const char* name;
    float x0, y0, x1, y1;
    Pixels lit;
  };
  const Case cases[] = {
      {"rightwards between centres", 0.5f, 0.5f, 5.5f, 0.5f, {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}},
      {"leftwards between centres", 5.5f, 0.5f, 0.5f, 0.5f, {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}},
      {"rightwards on centres", 0, 2, 4, 2, {{0, 2}, {1, 2}, {2, 2}, {3, 2}}},
      {"leftwards on centres", 4, 2, 0, 2, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
      {"downwards", 3, 1, 3, 4, {{3, 1}, {3, 2}, {3, 3}}},
      {"upwards", 3, 4, 3, 1, {{3, 2}, {3, 3}, {3, 4}}},
      {"steep, nearest column", 0, 0, 3, 6, {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}, {3, 5}}},
      {"shallow, nearest row", 0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
      {"diagonal counts as shallow", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
      {"within one pixel, missing its centre", 2.1f, 2, 2.9f, 2, {}},
      {"a point", 2, 2, 2, 2, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DrawLine(c.x0, c.y0, c.x1, c.y1), c.lit) << c.name;
  }
}

TEST(RasterLine, CalibrationSpansLightWhatTheRuleSays) {
  // The vector font's calibration draws, for each trial of offsets, a span
  // inside pixel (1 + 4 i, 1) from x + start to x + 1 + end at y + row.
  Canvas canvas(4 * 128 + 4, 4);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(Opaque());
  auto offsets = [](int i) {
    return std::make_tuple(((i / 8) % 4) * 0.25f - 1, (i % 8) * 0.25f - 1, (i / 32) * 0.25f);
  };
  for (int i = 0; i < 128; ++i) {
    const auto [start, end, row] = offsets(i);
    const float x = 1 + 4 * i;
    rasterizer.DrawLine(Vertex(x + start, 1 + row), Vertex(x + 1 + end, 1 + row));
  }
  int exact = 0;
  for (int i = 0; i < 128; ++i) {
    const auto [start, end, row] = offsets(i);
    const int32_t x = 1 + 4 * i;
    Pixels expected, lit;
    for (int32_t column = x - 1; column <= x + 2; ++column) {
      if (column >= x + start && column < x + 1 + end) expected.insert({column, static_cast<int32_t>(std::floor(1 + row + 0.5f))});
      for (int32_t y = 0; y < 4; ++y) {
        if (canvas.At(column, y) != kLineBackground) lit.insert({column, y});
      }
    }
    EXPECT_EQ(lit, expected) << "trial " << i;
    exact += lit == Pixels{{x, 1}};
  }
  // Start in (-1, 0], end in (-1, 0], row below 0.5: 3 x 4 x 2 trials.
  EXPECT_EQ(exact, 24);
}

TEST(RasterLine, TheFixedSpanOffsetsLightExactlyOnePixel) {
  Canvas canvas(8, 4);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(Opaque());
  rasterizer.DrawLine(Vertex(5 - 0.75f, 2.25f), Vertex(5 + 0.25f, 2.25f));
  EXPECT_EQ(Lit(canvas), (Pixels{{5, 2}}));
}

TEST(RasterLine, ColouredSpanBlendsItsVertexColourOverTheBackground) {
  Canvas canvas(8, 2, sys::gfx::PixelLayout::A8R8G8B8, 0xFF204060);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(States2d());
  rasterizer.DrawLine(Vertex(1.25f, 1.25f, 0, 0, 0x80FF8040), Vertex(4.25f, 1.25f, 0, 0, 0x80FF8040));
  // 0x80 of the span over 0x7F of the background, channel by channel.
  const uint32_t expected = 0xFF000000 | ((0xFF * 128 + 0x20 * 127 + 127) / 255) << 16 |
                            ((0x80 * 128 + 0x40 * 127 + 127) / 255) << 8 | ((0x40 * 128 + 0x60 * 127 + 127) / 255);
  for (int32_t x = 0; x < 8; ++x) {
    const bool lit = x >= 2 && x <= 4;
    const uint32_t pixel = canvas.At(x, 1);
    if (!lit) {
      EXPECT_EQ(pixel, 0xFF204060u) << x;
      continue;
    }
    for (int shift = 0; shift < 24; shift += 8) {
      EXPECT_NEAR((pixel >> shift) & 0xFF, (expected >> shift) & 0xFF, 1) << x;
    }
  }
  EXPECT_EQ(canvas.At(3, 0), 0xFF204060u);
}

TEST(RasterLine, GouraudColoursChangeAlongTheLineAndFlatTakesTheFirst) {
  for (const auto mode : {sys::gfx::ShadeMode::Gouraud, sys::gfx::ShadeMode::Flat}) {
    Canvas canvas(12, 1);
    auto rasterizer = RasterizerFor(canvas);
    auto states = Opaque();
    states.shadeMode = mode;
    rasterizer.SetStates(states);
    rasterizer.DrawLine(Vertex(0, 0, 0, 0, 0xFF000000), Vertex(10, 0, 0, 0, 0xFF0000FF));
    for (int32_t x = 0; x < 10; ++x) {
      const uint32_t blue = mode == sys::gfx::ShadeMode::Flat ? 0 : static_cast<uint32_t>(std::lrint(x * 25.5));
      EXPECT_EQ(canvas.At(x, 0), 0xFF000000 | blue) << x;
    }
  }
}

TEST(RasterLine, ARowOfOneColourLightsWhatARowOfChangingColourLights) {
  // A line along a row with nothing to interpolate, as text spans are, is
  // drawn as one run; with its colour changing it steps pixel by pixel.
  std::mt19937 random(60);
  auto coordinate = [&](float low, float high) {
    const float value = std::uniform_real_distribution<float>(low, high)(random);
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
      case 0: return std::floor(value);
      case 1: return std::floor(value) + 0.5f;
      default: return value;
    }
  };
  for (int line = 0; line < 500; ++line) {
    SCOPED_TRACE(line);
    const float x0 = coordinate(-4, 16), x1 = coordinate(-4, 16), y = coordinate(-2, 14);
    const sys::gfx::Rect viewport{line % 3, line % 4, 12 - line % 5, 12 - line % 2};
    Pixels lit[2];
    for (int changing = 0; changing < 2; ++changing) {
      Canvas canvas(12, 12);
      auto rasterizer = RasterizerFor(canvas);
      rasterizer.SetStates(Opaque());
      rasterizer.SetViewport(viewport);
      rasterizer.DrawLine(Vertex(x0, y, 0, 0, 0xFFFF0000), Vertex(x1, y, 0, 0, changing ? 0xFF00FF00 : 0xFFFF0000));
      lit[changing] = Lit(canvas);
    }
    EXPECT_EQ(lit[0], lit[1]) << x0 << " to " << x1 << " at " << y;
  }
}

TEST(RasterLine, IsClippedToTheViewport) {
  Canvas canvas(12, 12);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(Opaque());
  rasterizer.SetViewport({2, 2, 6, 6});
  rasterizer.DrawLine(Vertex(-1e6f, 3, 0, 0, kWhite), Vertex(1e6f, 3, 0, 0, kWhite));
  rasterizer.DrawLine(Vertex(4, -50, 0, 0, kWhite), Vertex(4.2f, 50, 0, 0, kWhite));
  Pixels expected;
  for (int32_t k = 2; k < 6; ++k) expected.insert({k, 3}), expected.insert({4, k});
  EXPECT_EQ(Lit(canvas), expected);
}

}  // namespace
