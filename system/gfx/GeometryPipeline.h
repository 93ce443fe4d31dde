#pragma once

#include <cstdint>
#include <vector>

#include "system/gfx/Lighting.h"
#include "system/gfx/Matrix4.h"
#include "system/gfx/Result.h"
#include "system/gfx/raster/Rasterizer.h"

namespace sys::gfx {

enum class TransformKind : uint8_t { World, View, Projection };

// Where clip space lands on the target: a rectangle of pixels and the depth
// range; drawing never leaves the rectangle.
struct Viewport3d {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  float minZ = 0.0f;
  float maxZ = 1.0f;

  bool operator==(const Viewport3d&) const = default;
};

// From vertices to the rasterizer: transforms (row vectors, world then view
// then projection), lighting of the lit layout, primitive assembly from
// lists, strips and fans with or without 16-bit indices, clipping against
// the near and far planes, the viewport mapping, and culling by the winding
// on the target (y down).
class GeometryPipeline {
 public:
  // Draws at most this many vertices per call, as 16-bit indices can reach.
  static constexpr uint32_t kMaxVertices = 65535;

  Rasterizer& Raster() { return mRaster; }
  Lighting& Lights() { return mLighting; }
  const Lighting& Lights() const { return mLighting; }

  void SetTransform(TransformKind kind, const Matrix4& matrix) { mTransforms[static_cast<int>(kind)] = matrix; }
  const Matrix4& Transform(TransformKind kind) const { return mTransforms[static_cast<int>(kind)]; }
  void SetViewport(const Viewport3d& viewport);

  // InvalidArgument, drawing nothing, when the counts do not make whole
  // primitives, exceed kMaxVertices, or an index reaches past the vertices.
  Result Draw(PrimitiveType type, VertexLayout layout, const void* vertices, uint32_t vertexCount,
              const uint16_t* indices, uint32_t indexCount);

 private:
  // A vertex after transform and lighting, before the divide by w.
  struct ClipVertex {
    float x, y, z, w;
    uint32_t diffuse, specular;
    float u, v;
  };

  void Process(VertexLayout layout, const void* vertices, uint32_t count);
  TransformedVertex Project(const ClipVertex& v) const;
  void DrawTriangle(uint32_t a, uint32_t b, uint32_t c);
  // The quads of 2D drawing: a fan of four pre-transformed vertices.
  void DrawQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
  void DrawLine(uint32_t a, uint32_t b);
  void DrawPolygon(const ClipVertex* polygon, int count);
  bool Culled(const TransformedVertex* corners, int count) const;

  Rasterizer mRaster;
  Lighting mLighting;
  Matrix4 mTransforms[3];
  Viewport3d mViewport;
  bool mPreTransformed = false;
  std::vector<TransformedVertex> mScreen;
  std::vector<ClipVertex> mClip;
};

}  // namespace sys::gfx
