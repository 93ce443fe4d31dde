#include "tests/system/gfx3d/RasterKit.h"

#include <algorithm>
#include <utility>

namespace rasterkit {

using sys::gfx::BytesPerPixel;
using sys::gfx::PixelLayout;

Canvas::Canvas(int32_t width, int32_t height, PixelLayout format, uint32_t fill)
    : bytes(static_cast<size_t>(width) * height * BytesPerPixel(format)),
      depth(static_cast<size_t>(width) * height, 0xFFFF) {
  view = {bytes.data(), width * BytesPerPixel(format), width, height, format};
  depthView = {reinterpret_cast<uint8_t*>(depth.data()), width * 2, width, height};
  Fill(fill);
}

uint32_t Canvas::At(int32_t x, int32_t y) const {
  return sys::gfx::LoadArgb(view.format, view.Row(y) + x * BytesPerPixel(view.format));
}

void Canvas::Fill(uint32_t argb) {
  for (int32_t y = 0; y < view.height; ++y) {
    for (int32_t x = 0; x < view.width; ++x) sys::gfx::StoreArgb(view.format, view.Row(y) + x * BytesPerPixel(view.format), argb);
  }
}

int Canvas::CountNot(uint32_t colour) const {
  int count = 0;
  for (int32_t y = 0; y < view.height; ++y) {
    for (int32_t x = 0; x < view.width; ++x) count += At(x, y) != colour;
  }
  return count;
}

Texture::Texture(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& texel,
                 PixelLayout format) {
  view.levels[0] = {nullptr, width * BytesPerPixel(format), width, height, format};
  view.levelCount = 0;
  AddLevel(texel);
}

void Texture::AddLevel(const std::function<uint32_t(int32_t, int32_t)>& texel) {
  sys::gfx::TextureLevel level = view.levels[0];
  if (view.levelCount > 0) {
    const sys::gfx::TextureLevel& previous = view.levels[view.levelCount - 1];
    level.width = std::max(1, previous.width / 2);
    level.height = std::max(1, previous.height / 2);
    level.pitch = level.width * BytesPerPixel(level.format);
  }
  auto& pixels = storage.emplace_back(static_cast<size_t>(level.pitch) * level.height);
  for (int32_t y = 0; y < level.height; ++y) {
    for (int32_t x = 0; x < level.width; ++x) {
      sys::gfx::StoreArgb(level.format, pixels.data() + y * level.pitch + x * BytesPerPixel(level.format), texel(x, y));
    }
  }
  level.pixels = pixels.data();
  view.levels[view.levelCount++] = level;
}

sys::gfx::TransformedVertex Vertex(float x, float y, float u, float v, uint32_t diffuse, float z, float rhw,
                              uint32_t specular) {
  return {x, y, z, rhw, diffuse, specular, u, v};
}

sys::gfx::TransformedVertex Vertex(const GridPoint& at) {
  return Vertex(static_cast<float>(at.x) / kGridSteps, static_cast<float>(at.y) / kGridSteps);
}

bool Covers(const GridPoint& a, const GridPoint& b, const GridPoint& c, int32_t x, int32_t y) {
  const int64_t area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
  if (area == 0) return false;
  const GridPoint centre{x * kGridSteps, y * kGridSteps};
  const GridPoint corners[3] = {a, b, c};
  for (int k = 0; k < 3; ++k) {
    // Each edge taken the way round that puts the triangle where its edge
    // function is above 0.
    GridPoint from = corners[k], to = corners[(k + 1) % 3];
    if (area < 0) std::swap(from, to);
    const int64_t dx = to.x - from.x, dy = to.y - from.y;
    const int64_t edge = dx * (centre.y - from.y) - dy * (centre.x - from.x);
    const bool leftOrTop = dy < 0 || (dy == 0 && dx > 0);
    if (edge < 0 || (edge == 0 && !leftOrTop)) return false;
  }
  return true;
}

sys::gfx::Rasterizer RasterizerFor(Canvas& canvas, sys::gfx::Rasterizer::Path path) {
  sys::gfx::Rasterizer rasterizer;
  rasterizer.SetTarget(canvas.view, canvas.depthView);
  rasterizer.SetViewport({0, 0, canvas.view.width, canvas.view.height});
  rasterizer.SetPath(path);
  return rasterizer;
}

sys::gfx::RenderStates States2d() {
  sys::gfx::RenderStates states;
  states.blendEnable = true;
  states.sourceBlend = sys::gfx::BlendFactor::SourceAlpha;
  states.destinationBlend = sys::gfx::BlendFactor::InverseSourceAlpha;
  states.alphaTestEnable = true;
  states.alphaFunction = sys::gfx::AlphaCompare::GreaterEqual;
  states.alphaReference = 1;
  states.cullMode = sys::gfx::CullMode::None;
  states.lighting = false;
  states.stage.alphaOp = sys::gfx::TextureOp::Modulate;
  states.stage.alphaArg2 = sys::gfx::TextureArg::Diffuse;
  states.stage.addressU = states.stage.addressV = sys::gfx::TextureAddress::Clamp;
  return states;
}

void DrawQuad(sys::gfx::Rasterizer& rasterizer, float left, float top, float right, float bottom, float u0, float v0,
              float u1, float v1, uint32_t diffuse) {
  const auto topLeft = Vertex(left, top, u0, v0, diffuse);
  const auto topRight = Vertex(right, top, u1, v0, diffuse);
  const auto bottomRight = Vertex(right, bottom, u1, v1, diffuse);
  const auto bottomLeft = Vertex(left, bottom, u0, v1, diffuse);
  rasterizer.DrawTriangle(topLeft, topRight, bottomRight);
  rasterizer.DrawTriangle(topLeft, bottomRight, bottomLeft);
}

}  // namespace rasterkit
