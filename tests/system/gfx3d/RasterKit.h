#pragma once

// Small targets and textures for the rasterizer's tests.
#include <cstdint>
#include <functional>
#include <vector>

#include "system/gfx/raster/Rasterizer.h"

namespace rasterkit {

struct Canvas {
  Canvas(int32_t width, int32_t height, sys::gfx::PixelLayout format = sys::gfx::PixelLayout::A8R8G8B8,
         uint32_t fill = 0xFF000000);
  uint32_t At(int32_t x, int32_t y) const;
  void Fill(uint32_t argb);
  // Pixels that differ from `colour`.
  int CountNot(uint32_t colour) const;
  uint16_t DepthAt(int32_t x, int32_t y) const { return depth[y * view.width + x]; }

  std::vector<uint8_t> bytes;
  std::vector<uint16_t> depth;
  sys::gfx::ColourView view;
  sys::gfx::DepthView depthView;
};

struct Texture {
  Texture(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& texel,
          sys::gfx::PixelLayout format = sys::gfx::PixelLayout::A8R8G8B8);
  // Adds the next smaller level, each texel from `texel`.
  void AddLevel(const std::function<uint32_t(int32_t, int32_t)>& texel);

  std::vector<std::vector<uint8_t>> storage;
  sys::gfx::TextureView view;
};

sys::gfx::TransformedVertex Vertex(float x, float y, float u = 0, float v = 0, uint32_t diffuse = 0xFFFFFFFF,
                              float z = 0, float rhw = 1, uint32_t specular = 0);

// A position on the grid of 1/256 pixel that corners snap to, in whole
// steps of that grid, so that tests can work out coverage exactly.
struct GridPoint {
  int64_t x = 0;
  int64_t y = 0;
};
constexpr int64_t kGridSteps = 256;  // per pixel

sys::gfx::TransformedVertex Vertex(const GridPoint& at);

// Whether the triangle covers the centre of pixel (x, y), by the top-left
// rule worked out in whole numbers: the centre lies inside every edge, or on
// an edge that has the triangle on its right (a left edge) or, level, below
// it (a top edge). Either winding; a triangle without area covers nothing.
bool Covers(const GridPoint& a, const GridPoint& b, const GridPoint& c, int32_t x, int32_t y);

// A rasterizer drawing into the canvas, its whole area the viewport.
sys::gfx::Rasterizer RasterizerFor(Canvas& canvas, sys::gfx::Rasterizer::Path path = sys::gfx::Rasterizer::Path::Plain);

// The states 2D drawing runs with: texture times diffuse, blended by source
// alpha, alpha 0 dropped, no depth.
sys::gfx::RenderStates States2d();

// An axis-aligned quad as the 2D code draws it: a fan of two triangles from
// the top-left corner, clockwise.
void DrawQuad(sys::gfx::Rasterizer& rasterizer, float left, float top, float right, float bottom, float u0 = 0,
              float v0 = 0, float u1 = 1, float v1 = 1, uint32_t diffuse = 0xFFFFFFFF);

}  // namespace rasterkit
