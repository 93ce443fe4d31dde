#include "system/gfx/GeometryPipeline.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sys::gfx {
namespace {

// Clip planes: w stays above a tiny positive value always; with clipping on,
// 0 <= z <= w too. The distance is positive inside.
enum Plane { kPositiveW, kNear, kFar, kPlaneCount };
constexpr float kSmallestW = 1e-6f;
// A triangle clipped by three planes has at most six corners.
constexpr int kMaxCorners = 3 + kPlaneCount;

template <typename V>
float Distance(const V& v, int plane) {
  switch (plane) {
    case kPositiveW: return v.w - kSmallestW;
    case kNear: return v.z;
    default: return v.w - v.z;
  }
}

uint32_t LerpColour(uint32_t a, uint32_t b, float t) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const float ca = static_cast<float>((a >> shift) & 0xFF), cb = static_cast<float>((b >> shift) & 0xFF);
    out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return out;
}

bool ValidCount(PrimitiveType type, uint32_t count) {
  switch (type) {
    case PrimitiveType::LineList: return count >= 2 && count % 2 == 0;
    case PrimitiveType::TriangleList: return count >= 3 && count % 3 == 0;
    case PrimitiveType::TriangleStrip:
    case PrimitiveType::TriangleFan: return count >= 3;
  }
  return false;
}

}  // namespace

void GeometryPipeline::SetViewport(const Viewport3d& viewport) {
  mViewport = viewport;
  mRaster.SetViewport({viewport.x, viewport.y, viewport.x + viewport.width, viewport.y + viewport.height});
}

Result GeometryPipeline::Draw(PrimitiveType type, VertexLayout layout, const void* vertices, uint32_t vertexCount,
                              const uint16_t* indices, uint32_t indexCount) {
  const uint32_t count = indices ? indexCount : vertexCount;
  if (!ValidCount(type, count) || vertexCount > kMaxVertices || !vertices) return Result::InvalidArgument;
  if (indices && std::any_of(indices, indices + indexCount, [&](uint16_t index) { return index >= vertexCount; })) {
    return Result::InvalidArgument;
  }
  Process(layout, vertices, vertexCount);
  auto at = [&](uint32_t k) { return indices ? uint32_t{indices[k]} : k; };
  switch (type) {
    case PrimitiveType::LineList:
      if (mPreTransformed && !indices) {
        mRaster.DrawLineList(mScreen.data(), count);
        break;
      }
      for (uint32_t k = 0; k + 1 < count; k += 2) DrawLine(at(k), at(k + 1));
      break;
    case PrimitiveType::TriangleList:
      for (uint32_t k = 0; k + 2 < count; k += 3) DrawTriangle(at(k), at(k + 1), at(k + 2));
      break;
    case PrimitiveType::TriangleStrip:
      // Every second triangle turns the other way; swapping its last two
      // corners keeps the winding and its first vertex.
      for (uint32_t k = 0; k + 2 < count; ++k) {
        if (k % 2 == 0) {
          DrawTriangle(at(k), at(k + 1), at(k + 2));
        } else {
          DrawTriangle(at(k), at(k + 2), at(k + 1));
        }
      }
      break;
    case PrimitiveType::TriangleFan:
      if (count == 4 && mPreTransformed) {
        DrawQuad(at(0), at(1), at(2), at(3));
        break;
      }
      for (uint32_t k = 1; k + 1 < count; ++k) DrawTriangle(at(0), at(k), at(k + 1));
      break;
  }
  return Result::Ok;
}

void GeometryPipeline::Process(VertexLayout layout, const void* vertices, uint32_t count) {
  const auto* bytes = static_cast<const uint8_t*>(vertices);
  mPreTransformed = layout == VertexLayout::Transformed;
  if (mPreTransformed) {
    mScreen.resize(count);
    std::memcpy(mScreen.data(), bytes, count * sizeof(TransformedVertex));
    return;
  }
  const RenderStates& states = mRaster.States();
  const Matrix4 toClip = Multiply(Multiply(Transform(TransformKind::World), Transform(TransformKind::View)),
                                  Transform(TransformKind::Projection));
  const bool lit = layout == VertexLayout::Lit && states.lighting;
  if (lit) {
    mLighting.Begin(Transform(TransformKind::World), Transform(TransformKind::View), states.ambient,
                    states.normalizeNormals);
  }
  mClip.resize(count);
  for (uint32_t k = 0; k < count; ++k) {
    // Both untransformed layouts start with the position and end with u, v.
    float position[3], uv[2];
    std::memcpy(position, bytes + 32 * k, sizeof position);
    std::memcpy(uv, bytes + 32 * k + 24, sizeof uv);
    ClipVertex& out = mClip[k];
    const auto& m = toClip.m;
    out.x = position[0] * m[0][0] + position[1] * m[1][0] + position[2] * m[2][0] + m[3][0];
    out.y = position[0] * m[0][1] + position[1] * m[1][1] + position[2] * m[2][1] + m[3][1];
    out.z = position[0] * m[0][2] + position[1] * m[1][2] + position[2] * m[2][2] + m[3][2];
    out.w = position[0] * m[0][3] + position[1] * m[1][3] + position[2] * m[2][3] + m[3][3];
    out.u = uv[0];
    out.v = uv[1];
    if (layout == VertexLayout::Coloured) {
      ColouredVertex vertex;
      std::memcpy(&vertex, bytes + 32 * k, sizeof vertex);
      out.diffuse = vertex.diffuse;
      out.specular = vertex.specular;
    } else if (lit) {
      LitVertex vertex;
      std::memcpy(&vertex, bytes + 32 * k, sizeof vertex);
      mLighting.Shade({vertex.x, vertex.y, vertex.z}, {vertex.nx, vertex.ny, vertex.nz}, out.diffuse, out.specular);
    } else {
      out.diffuse = 0xFFFFFFFF;
      out.specular = 0;
    }
  }
}

TransformedVertex GeometryPipeline::Project(const ClipVertex& v) const {
  const float rhw = 1 / v.w;
  const Viewport3d& vp = mViewport;
  return {vp.x + (1 + v.x * rhw) * vp.width * 0.5f,
          vp.y + (1 - v.y * rhw) * vp.height * 0.5f,
          vp.minZ + v.z * rhw * (vp.maxZ - vp.minZ),
          rhw,
          v.diffuse,
          v.specular,
          v.u,
          v.v};
}

bool GeometryPipeline::Culled(const TransformedVertex* corners, int count) const {
  const CullMode mode = mRaster.States().cullMode;
  if (mode == CullMode::None) return false;
  // Twice the signed area; positive is clockwise on a target whose y goes down.
  double area = 0;
  for (int k = 0; k < count; ++k) {
    const TransformedVertex& a = corners[k];
    const TransformedVertex& b = corners[(k + 1) % count];
    area += double{a.x} * b.y - double{b.x} * a.y;
  }
  return mode == CullMode::Clockwise ? area > 0 : area < 0;
}

void GeometryPipeline::DrawTriangle(uint32_t a, uint32_t b, uint32_t c) {
  if (mPreTransformed) {
    const TransformedVertex corners[3] = {mScreen[a], mScreen[b], mScreen[c]};
    if (!Culled(corners, 3)) mRaster.DrawTriangle(corners[0], corners[1], corners[2]);
    return;
  }
  ClipVertex polygon[3] = {mClip[a], mClip[b], mClip[c]};
  if (mRaster.States().shadeMode == ShadeMode::Flat) {
    // New corners made by clipping keep the first vertex's colours.
    polygon[1].diffuse = polygon[2].diffuse = polygon[0].diffuse;
    polygon[1].specular = polygon[2].specular = polygon[0].specular;
  }
  DrawPolygon(polygon, 3);
}

void GeometryPipeline::DrawQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  const TransformedVertex corners[4] = {mScreen[a], mScreen[b], mScreen[c], mScreen[d]};
  const bool firstCulled = Culled(corners, 3);
  const TransformedVertex second[3] = {corners[0], corners[2], corners[3]};
  const bool secondCulled = Culled(second, 3);
  if (!firstCulled && !secondCulled) {
    mRaster.DrawQuad(corners[0], corners[1], corners[2], corners[3]);
    return;
  }
  if (!firstCulled) mRaster.DrawTriangle(corners[0], corners[1], corners[2]);
  if (!secondCulled) mRaster.DrawTriangle(second[0], second[1], second[2]);
}

void GeometryPipeline::DrawPolygon(const ClipVertex* polygon, int count) {
  ClipVertex buffers[2][kMaxCorners];
  const ClipVertex* in = polygon;
  const int planes = mRaster.States().clipping ? kPlaneCount : kPositiveW + 1;
  for (int plane = 0; plane < planes && count > 0; ++plane) {
    ClipVertex* out = buffers[plane % 2];
    int kept = 0;
    for (int k = 0; k < count; ++k) {
      const ClipVertex& p = in[k];
      const ClipVertex& q = in[(k + 1) % count];
      const float dp = Distance(p, plane), dq = Distance(q, plane);
      if (dp >= 0) out[kept++] = p;
      if ((dp >= 0) != (dq >= 0)) {
        // Always measured from the inside end, so a shared edge is cut the
        // same way in both triangles.
        const bool fromP = dp >= 0;
        const ClipVertex& inside = fromP ? p : q;
        const ClipVertex& outside = fromP ? q : p;
        const float di = fromP ? dp : dq, dout = fromP ? dq : dp;
        const float t = di / (di - dout);
        ClipVertex cut;
        cut.x = inside.x + (outside.x - inside.x) * t;
        cut.y = inside.y + (outside.y - inside.y) * t;
        cut.z = inside.z + (outside.z - inside.z) * t;
        cut.w = inside.w + (outside.w - inside.w) * t;
        cut.u = inside.u + (outside.u - inside.u) * t;
        cut.v = inside.v + (outside.v - inside.v) * t;
        cut.diffuse = LerpColour(inside.diffuse, outside.diffuse, t);
        cut.specular = LerpColour(inside.specular, outside.specular, t);
        out[kept++] = cut;
      }
    }
    in = out;
    count = kept;
  }
  if (count < 3) return;
  TransformedVertex corners[kMaxCorners];
  for (int k = 0; k < count; ++k) corners[k] = Project(in[k]);
  if (Culled(corners, count)) return;
  for (int k = 1; k + 1 < count; ++k) mRaster.DrawTriangle(corners[0], corners[k], corners[k + 1]);
}

void GeometryPipeline::DrawLine(uint32_t a, uint32_t b) {
  if (mPreTransformed) {
    mRaster.DrawLine(mScreen[a], mScreen[b]);
    return;
  }
  ClipVertex ends[2] = {mClip[a], mClip[b]};
  if (mRaster.States().shadeMode == ShadeMode::Flat) {
    ends[1].diffuse = ends[0].diffuse;
    ends[1].specular = ends[0].specular;
  }
  const int planes = mRaster.States().clipping ? kPlaneCount : kPositiveW + 1;
  float enter = 0, leave = 1;
  for (int plane = 0; plane < planes; ++plane) {
    const float d0 = Distance(ends[0], plane), d1 = Distance(ends[1], plane);
    if (d0 < 0 && d1 < 0) return;
    if (d0 < 0) enter = std::max(enter, d0 / (d0 - d1));
    if (d1 < 0) leave = std::min(leave, d0 / (d0 - d1));
  }
  if (enter > leave) return;
  auto at = [&](float t) {
    const ClipVertex& p = ends[0];
    const ClipVertex& q = ends[1];
    ClipVertex v{p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t,
                 p.z + (q.z - p.z) * t, p.w + (q.w - p.w) * t,
                 LerpColour(p.diffuse, q.diffuse, t), LerpColour(p.specular, q.specular, t),
                 p.u + (q.u - p.u) * t, p.v + (q.v - p.v) * t};
    return Project(v);
  };
  mRaster.DrawLine(at(enter), at(leave));
}

}  // namespace sys::gfx
