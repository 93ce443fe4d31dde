// Which pixels a triangle covers: centres inside, the top-left rule on
// edges, and the viewport and target as hard limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "tests/system/gfx3d/RasterKit.h"

namespace {

using namespace rasterkit;
using sys::gfx::TransformedVertex;

// Adding 1 into the blue channel counts how often each pixel was drawn.
sys::gfx::RenderStates CountingStates() {
  sys::gfx::RenderStates states;
  states.textureFactor = 0x00000001;
  states.stage.colourOp = states.stage.alphaOp = sys::gfx::TextureOp::SelectArg1;
  states.stage.colourArg1 = states.stage.alphaArg1 = sys::gfx::TextureArg::Factor;
  states.blendEnable = true;
  states.sourceBlend = sys::gfx::BlendFactor::One;
  states.destinationBlend = sys::gfx::BlendFactor::One;
  return states;
}

constexpr uint32_t kOne = 0x00000001;

// +1 inside a clockwise convex outline, -1 outside, 0 on it.
int Side(const std::vector<TransformedVertex>& outline, double x, double y) {
  int side = 1;
  for (size_t k = 0; k < outline.size(); ++k) {
    const TransformedVertex& a = outline[k];
    const TransformedVertex& b = outline[(k + 1) % outline.size()];
    const double cross = (double{b.x} - a.x) * (y - a.y) - (double{b.y} - a.y) * (x - a.x);
    if (cross < 0) return -1;
    if (cross == 0) side = 0;
  }
  return side;
}

TEST(RasterCoverage, TrianglesSharingEdgesDrawEveryCoveredPixelOnce) {
  struct Mesh {
    const char* name;
    std::vector<TransformedVertex> fan;
    std::vector<TransformedVertex> outline;  // clockwise on the screen
  };
  const std::vector<TransformedVertex> quad = {Vertex(1.5f, 1.5f), Vertex(12.5f, 1.5f), Vertex(12.5f, 9.5f),
                                               Vertex(1.5f, 9.5f)};
  const std::vector<TransformedVertex> rotated = {Vertex(8, 0.3f), Vertex(15.2f, 7.9f), Vertex(7.6f, 15.1f),
                                                  Vertex(0.4f, 8.2f)};
  const std::vector<TransformedVertex> ring = {Vertex(1, 1),       Vertex(8, 0.5f),        Vertex(14.5f, 1),
                                               Vertex(15, 8),      Vertex(14, 15),         Vertex(8, 15.5f),
                                               Vertex(1.25f, 14.75f), Vertex(0.5f, 8)};
  std::vector<TransformedVertex> slivers = {Vertex(8, 8)};
  slivers.insert(slivers.end(), ring.begin(), ring.end());
  slivers.push_back(ring.front());
  const std::vector<Mesh> meshes = {
      {"axis quad off centres", quad, quad},
      {"rotated quad", rotated, rotated},
      {"fan of slivers round a centre", slivers, ring},
  };
  for (const Mesh& mesh : meshes) {
    SCOPED_TRACE(mesh.name);
    Canvas canvas(16, 16, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    rasterizer.SetStates(CountingStates());
    for (size_t k = 1; k + 1 < mesh.fan.size(); ++k) {
      rasterizer.DrawTriangle(mesh.fan[0], mesh.fan[k], mesh.fan[k + 1]);
    }
    for (int32_t y = 0; y < 16; ++y) {
      for (int32_t x = 0; x < 16; ++x) {
        const int side = Side(mesh.outline, x, y);
        if (side > 0) {
          EXPECT_EQ(canvas.At(x, y), kOne) << x << ", " << y;
        } else if (side < 0) {
          EXPECT_EQ(canvas.At(x, y), 0u) << x << ", " << y;
        } else {
          EXPECT_LE(canvas.At(x, y), kOne) << x << ", " << y;
        }
      }
    }
  }
}

TEST(RasterCoverage, QuadsDrawWhatTheirTwoTrianglesDraw) {
  const Texture texture(8, 8, [](int32_t x, int32_t y) { return 0x80000000u | static_cast<uint32_t>(x * 30 + y + 1); });
  struct Case {
    const char* name;
    TransformedVertex a, b, c, d;
  };
  const Case cases[] = {
      {"axis-aligned", Vertex(1.5f, 2.5f, 0, 0), Vertex(13.5f, 2.5f, 1, 0), Vertex(13.5f, 9.5f, 1, 1),
       Vertex(1.5f, 9.5f, 0, 1)},
      {"rotated", Vertex(8, 0.3f, 0, 0), Vertex(15.2f, 7.9f, 1, 0), Vertex(7.6f, 15.1f, 1, 1), Vertex(0.4f, 8.2f, 0, 1)},
      {"perspective", Vertex(1, 1, 0, 0, ~0u, 0, 1), Vertex(15, 3, 1, 0, ~0u, 0, 0.25f),
       Vertex(15, 12, 1, 1, ~0u, 0, 0.25f), Vertex(1, 14, 0, 1, ~0u, 0, 1)},
      {"colours off one plane", Vertex(1, 1, 0, 0, 0xFF0000FF), Vertex(15, 1, 1, 0, 0xFF00FF00),
       Vertex(15, 15, 1, 1, 0xFF0000FF), Vertex(1, 15, 0, 1, 0xFF00FF00)},
      {"not convex", Vertex(1, 1), Vertex(15, 1), Vertex(4, 4), Vertex(1, 15)},
      {"counter-clockwise", Vertex(1.5f, 9.5f, 0, 1), Vertex(13.5f, 9.5f, 1, 1), Vertex(13.5f, 2.5f, 1, 0),
       Vertex(1.5f, 2.5f, 0, 0)},
  };
  for (const Case& c : cases) {
    Canvas quad(16, 16, sys::gfx::PixelLayout::A8R8G8B8, 0), triangles(16, 16, sys::gfx::PixelLayout::A8R8G8B8, 0);
    for (Canvas* canvas : {&quad, &triangles}) {
      auto rasterizer = RasterizerFor(*canvas);
      auto states = CountingStates();
      states.stage.colourOp = sys::gfx::TextureOp::Modulate;
      states.stage.colourArg1 = sys::gfx::TextureArg::Texture;
      states.stage.colourArg2 = sys::gfx::TextureArg::Diffuse;
      rasterizer.SetStates(states);
      rasterizer.SetTexture(&texture.view);
      if (canvas == &quad) {
        rasterizer.DrawQuad(c.a, c.b, c.c, c.d);
      } else {
        rasterizer.DrawTriangle(c.a, c.b, c.c);
        rasterizer.DrawTriangle(c.a, c.c, c.d);
      }
    }
    EXPECT_EQ(quad.bytes, triangles.bytes) << c.name;
    EXPECT_GT(quad.CountNot(0), 0) << c.name;
  }
}

// Every pixel of `area` drawn once, none outside.
void ExpectDrawnOnceIn(const Canvas& canvas, const sys::gfx::Rect& area) {
  for (int32_t y = 0; y < canvas.view.height; ++y) {
    for (int32_t x = 0; x < canvas.view.width; ++x) {
      EXPECT_EQ(canvas.At(x, y), area.Contains(x, y) ? kOne : 0u) << x << ", " << y;
    }
  }
}

TEST(RasterCoverage, QuadOnPixelCentresTakesItsTopAndLeftEdgesOnly) {
  Canvas canvas(16, 16, sys::gfx::PixelLayout::A8R8G8B8, 0);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(CountingStates());
  DrawQuad(rasterizer, 2, 3, 12, 9);
  ExpectDrawnOnceIn(canvas, {2, 3, 12, 9});
}

TEST(RasterCoverage, NeighbouringQuadsTileWithoutGapOrOverlap) {
  Canvas canvas(24, 24, sys::gfx::PixelLayout::A8R8G8B8, 0);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(CountingStates());
  const float cuts[] = {0.5f, 3.25f, 7.0f, 11.75f, 16.4f, 23.5f};
  for (int row = 0; row + 1 < 6; ++row) {
    for (int column = 0; column + 1 < 6; ++column) {
      DrawQuad(rasterizer, cuts[column], cuts[row], cuts[column + 1], cuts[row + 1]);
    }
  }
  ExpectDrawnOnceIn(canvas, {1, 1, 24, 24});
}

TEST(RasterCoverage, SlantedSharedEdgeSplitsItsCentresBetweenTheTwoSides) {
  // The diagonal from (0, 0) to (16, 8) passes through the centres (2k, k).
  Canvas canvas(16, 8, sys::gfx::PixelLayout::A8R8G8B8, 0);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(CountingStates());
  rasterizer.DrawTriangle(Vertex(0, 0), Vertex(16, 0), Vertex(16, 8));
  rasterizer.DrawTriangle(Vertex(0, 0), Vertex(16, 8), Vertex(0, 8));
  EXPECT_EQ(canvas.CountNot(kOne), 0);
}

// A picture of how often each pixel is drawn, '.' for never, by rows.
template <typename Count>
std::string Picture(int32_t width, int32_t height, Count count) {
  std::string picture;
  picture.reserve(static_cast<size_t>(width + 1) * height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const int n = count(x, y);
      picture += n == 0 ? '.' : static_cast<char>('0' + n);
    }
    picture += '\n';
  }
  return picture;
}

std::string Counts(const Canvas& canvas) {
  return Picture(canvas.view.width, canvas.view.height,
                 [&](int32_t x, int32_t y) { return static_cast<int>(canvas.At(x, y) & 0xFF); });
}

constexpr int32_t kSide = 64;

// A kSide x kSide target that counts what each drawing draws.
class CountingTarget {
 public:
  CountingTarget() : mCanvas(kSide, kSide, sys::gfx::PixelLayout::A8R8G8B8, 0), mRasterizer(RasterizerFor(mCanvas)) {
    mRasterizer.SetStates(CountingStates());
  }

  template <typename Draw>
  std::string CountsOf(Draw draw) {
    mCanvas.Fill(0);
    draw(mRasterizer);
    return Counts(mCanvas);
  }

 private:
  Canvas mCanvas;
  sys::gfx::Rasterizer mRasterizer;
};

// Random corners on a grid of `step` grid steps, within a side's length of a
// square target, so that long edges cross it and corners fall on both sides
// of its edges.
class GridCorners {
 public:
  GridCorners(int64_t step, uint32_t seed) : mStep(step), mRandom(seed) {}
  GridPoint Next() { return {Coordinate(), Coordinate()}; }

 private:
  int64_t Coordinate() {
    const int64_t low = -kSide * kGridSteps, span = 3 * kSide * kGridSteps / mStep;
    return low + mStep * static_cast<int64_t>(mRandom() % span);
  }

  int64_t mStep;
  std::mt19937 mRandom;
};

std::string Describe(std::initializer_list<GridPoint> corners) {
  std::string text;
  for (const GridPoint& p : corners) {
    text += "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")/" + std::to_string(kGridSteps) + " ";
  }
  return text;
}

struct Grid {
  const char* name;
  int64_t step;  // in grid steps
};

// Pixel centres on the integer grid lie on many edges and at corners; the
// fine grid is the finest the corners snap to.
constexpr Grid kGrids[] = {{"integer grid", kGridSteps}, {"half-pixel grid", kGridSteps / 2}, {"fine grid", 1}};

int64_t Turn(const GridPoint& a, const GridPoint& b, const GridPoint& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

TEST(RasterCoverage, RandomTrianglesCoverTheCentresTheTopLeftRuleGivesExactly) {
  for (const Grid& grid : kGrids) {
    SCOPED_TRACE(grid.name);
    GridCorners corners(grid.step, 59);
    CountingTarget target;
    for (int n = 0; n < 600; ++n) {
      const GridPoint a = corners.Next(), b = corners.Next(), c = corners.Next();
      const std::string expected = Picture(kSide, kSide, [&](int32_t x, int32_t y) { return Covers(a, b, c, x, y); });
      bool wrong = false;
      for (const bool reversed : {false, true}) {
        const std::string drawn = target.CountsOf([&](sys::gfx::Rasterizer& rasterizer) {
          rasterizer.DrawTriangle(Vertex(a), Vertex(reversed ? c : b), Vertex(reversed ? b : c));
        });
        EXPECT_EQ(drawn, expected) << Describe({a, b, c}) << (reversed ? "reversed" : "");
        wrong = wrong || drawn != expected;
      }
      if (wrong) break;
    }
  }
}

TEST(RasterCoverage, RandomTrianglesSharingAnEdgeDrawEachPixelOfTheirUnionOnce) {
  for (const Grid& grid : kGrids) {
    SCOPED_TRACE(grid.name);
    GridCorners corners(grid.step, 1959);
    CountingTarget target;
    for (int n = 0; n < 600; ++n) {
      // a b is the shared edge; c and d lie on either side of it.
      GridPoint a, b, c, d;
      do {
        a = corners.Next(), b = corners.Next(), c = corners.Next(), d = corners.Next();
      } while (Turn(a, b, c) == 0 || (Turn(a, b, c) > 0) == (Turn(a, b, d) >= 0));
      const std::string expected = Picture(kSide, kSide, [&](int32_t x, int32_t y) {
        return int{Covers(a, c, b, x, y)} + int{Covers(a, b, d, x, y)};
      });
      ASSERT_EQ(expected.find('2'), std::string::npos) << "the rule itself gives a centre twice";
      bool wrong = false;
      for (const bool asQuad : {false, true}) {
        const std::string drawn = target.CountsOf([&](sys::gfx::Rasterizer& rasterizer) {
          if (asQuad) {
            rasterizer.DrawQuad(Vertex(a), Vertex(c), Vertex(b), Vertex(d));
          } else {
            rasterizer.DrawTriangle(Vertex(a), Vertex(c), Vertex(b));
            rasterizer.DrawTriangle(Vertex(a), Vertex(b), Vertex(d));
          }
        });
        EXPECT_EQ(drawn, expected) << Describe({a, b, c, d}) << (asQuad ? "as a quad" : "as triangles");
        wrong = wrong || drawn != expected;
      }
      if (wrong) break;
    }
  }
}

TEST(RasterCoverage, ShapesReachingFarPastTheTargetStillShareTheirEdges) {
  // Two triangles sharing the edge p q, which crosses the target, with the
  // far corners r and s on either side of it.
  struct Case {
    const char* name;
    TransformedVertex p, q, r, s;
  };
  const Case cases[] = {
      {"millions of pixels out", Vertex(8 - 4e6f, 8 - 5e6f), Vertex(8 + 4e6f, 8 + 5e6f), Vertex(6e6f, -6e6f),
       Vertex(-6e6f, 7e6f)},
      {"near the float's limit", Vertex(-1e38f, -1.25e38f), Vertex(1e38f, 1.25e38f), Vertex(3e38f, -3e38f),
       Vertex(-3e38f, 3e38f)},
      {"one corner far, the edge short", Vertex(3.3f, -0.7f), Vertex(12.1f, 16.6f), Vertex(9e6f, 2.5f),
       Vertex(-9e6f, 8.25f)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(16, 16, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    rasterizer.SetStates(CountingStates());
    rasterizer.DrawTriangle(c.p, c.r, c.q);
    rasterizer.DrawTriangle(c.p, c.q, c.s);
    EXPECT_EQ(canvas.CountNot(kOne), 0) << Counts(canvas);
  }
}

TEST(RasterCoverage, NothingIsDrawnOutsideTheViewport) {
  struct Case {
    const char* name;
    float left, top, right, bottom;
  };
  const Case cases[] = {
      {"far outside every side", -1e7f, -1e7f, 1e7f, 1e7f},
      {"far to the left", -5e6f, 2, -4e6f, 6},
      {"across the right edge", 10, 1, 5e5f, 30},
      {"above", 0, -900, 20, -100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(20, 12, sys::gfx::PixelLayout::A8R8G8B8, 0);
    auto rasterizer = RasterizerFor(canvas);
    rasterizer.SetStates(CountingStates());
    rasterizer.SetViewport({4, 3, 15, 9});
    DrawQuad(rasterizer, c.left, c.top, c.right, c.bottom);
    for (int32_t y = 0; y < 12; ++y) {
      for (int32_t x = 0; x < 20; ++x) {
        const bool inViewport = x >= 4 && x < 15 && y >= 3 && y < 9;
        const bool covered = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
        EXPECT_EQ(canvas.At(x, y), inViewport && covered ? kOne : 0u) << x << ", " << y;
      }
    }
  }
}

TEST(RasterCoverage, ViewportIsKeptWithinTheTarget) {
  Canvas canvas(8, 8, sys::gfx::PixelLayout::A8R8G8B8, 0);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetViewport({-5, -5, 2000, 2000});
  EXPECT_EQ(rasterizer.Viewport().left, 0);
  EXPECT_EQ(rasterizer.Viewport().right, 8);
  EXPECT_EQ(rasterizer.Viewport().bottom, 8);
  rasterizer.SetStates(CountingStates());
  DrawQuad(rasterizer, -100, -100, 100, 100);
  EXPECT_EQ(canvas.CountNot(kOne), 0);
}

TEST(RasterCoverage, DegenerateAndNonFiniteTrianglesDrawNothing) {
  Canvas canvas(8, 8, sys::gfx::PixelLayout::A8R8G8B8, 0);
  auto rasterizer = RasterizerFor(canvas);
  rasterizer.SetStates(CountingStates());
  rasterizer.DrawTriangle(Vertex(0, 0), Vertex(4, 4), Vertex(8, 8));
  rasterizer.DrawTriangle(Vertex(0, 0), Vertex(NAN, 4), Vertex(8, 0));
  rasterizer.DrawTriangle(Vertex(0, 0), Vertex(INFINITY, 4), Vertex(8, 0));
  rasterizer.DrawTriangle(Vertex(0, 0, 0, 0, ~0u, 0, 1), Vertex(8, 0, 0, 0, ~0u, 0, -1), Vertex(8, 8));
  EXPECT_EQ(canvas.CountNot(0), 0);
}

}  // namespace
