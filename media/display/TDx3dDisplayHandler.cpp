#include "media/display/TDx3dDisplayHandler.h"

#include <cmath>

#include "media/display/DisplayRules.h"
#include "media/display/TVertexList.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "platform/types/TColor32.h"

using sys::gfx::Result;
using sys::gfx::TransformKind;

namespace {

// Below this the ray runs along the triangle's plane.
constexpr float kParallel = 0.0001f;
// The projection every set-up starts with.
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 1000.0f;
constexpr float kFieldOfView = 0.785398f;  // vertical, pi / 4

sys::gfx::Matrix4 DeviceMatrix(const TMatrix4& matrix) {
  sys::gfx::Matrix4 out;
  for (int row = 0; row < 4; ++row) {
    const TVec4& r = matrix.rows[row];
    out.m[row][0] = r.x;
    out.m[row][1] = r.y;
    out.m[row][2] = r.z;
    out.m[row][3] = r.w;
  }
  return out;
}

TMatrix4 DisplayMatrix(const sys::gfx::Matrix4& matrix) {
  TMatrix4 out;
  for (int row = 0; row < 4; ++row) out.rows[row] = TVec4{matrix.m[row][0], matrix.m[row][1], matrix.m[row][2], matrix.m[row][3]};
  return out;
}

sys::gfx::Vec3 DeviceVec(const TVec3& v) { return sys::gfx::Vec3{v.x, v.y, v.z}; }

sys::gfx::ColourValue DeviceColour(const TColor& c) { return sys::gfx::ColourValue{c.r, c.g, c.b, c.a}; }

TVec3 Minus(const TVec3& a, const TVec3& b) {
  TVec3 out;
  out.x = a.x - b.x;
  out.y = a.y - b.y;
  out.z = a.z - b.z;
  return out;
}

TVec3 Cross(const TVec3& a, const TVec3& b) {
  TVec3 out;
  out.x = a.y * b.z - a.z * b.y;
  out.y = a.z * b.x - a.x * b.z;
  out.z = a.x * b.y - a.y * b.x;
  return out;
}

float Dot(const TVec3& a, const TVec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool KnownPrimitive(int32_t type) {
  switch (static_cast<sys::gfx::PrimitiveType>(type)) {
    case sys::gfx::PrimitiveType::LineList:
    case sys::gfx::PrimitiveType::TriangleList:
    case sys::gfx::PrimitiveType::TriangleStrip:
    case sys::gfx::PrimitiveType::TriangleFan: return true;
  }
  return false;
}

}  // namespace

void TDx3dDisplayHandler::SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet,
                                     bool embedded) {
  TPlatform* platform = TPlatform::Instance();
  if (platform && !platform->IsActive() && !force) return;
  TDxDisplayHandler::SetDisplay(width, height, fullScreen, force, quiet, embedded);
  if (!IsReady()) return;
  SetWorldTransform(TMatrix4());
  SetViewTransform(TMatrix4());
  SetPerspective(kNearPlane, kFarPlane, kFieldOfView, 0);
  SetAmbientLight(TColor(1.0f, 1.0f, 1.0f, 1.0f));
  TMaterial material;
  material.diffuse = TColor(1.0f, 1.0f, 1.0f, 1.0f);
  material.ambient = TColor(0.5f, 0.5f, 0.5f, 1.0f);
  material.specular = TColor(1.0f, 1.0f, 1.0f, 1.0f);
  material.emissive = TColor(0.0f, 0.0f, 0.0f, 1.0f);
  material.power = 1;
  SetMaterial(material);
}

// The ray meets the triangle where its barycentric weights u and w of the
// edges b - a and c - a are both within it; a hit behind the origin is none.
bool TDx3dDisplayHandler::IntersectTriangle(const TVec3& origin, const TVec3& direction, const TVec3& a,
                                            const TVec3& b, const TVec3& c, float& distance, TVec3& point) {
  if (!mData->mDevice) return false;
  TVec3 edge1 = Minus(b, a);
  TVec3 edge2 = Minus(c, a);
  TVec3 p = Cross(direction, edge2);
  float det = Dot(edge1, p);
  TVec3 t = det > 0 ? Minus(origin, a) : Minus(a, origin);
  det = std::fabs(det);
  if (det < kParallel) return false;
  float u = Dot(t, p);
  if (u < 0 || u > det) return false;
  TVec3 q = Cross(t, edge1);
  float w = Dot(direction, q);
  if (w < 0 || u + w > det) return false;
  float along = Dot(edge2, q) / det;
  if (along < 0) return false;
  distance = along;
  u /= det;
  w /= det;
  point.x = a.x + u * edge1.x + w * edge2.x;
  point.y = a.y + u * edge1.y + w * edge2.y;
  point.z = a.z + u * edge1.z + w * edge2.z;
  return true;
}

void TDx3dDisplayHandler::SetMaterial(const TMaterial& material) {
  if (!mData->mDevice) return;
  mData->mDevice->SetMaterial(sys::gfx::Material{DeviceColour(material.diffuse), DeviceColour(material.ambient),
                                                 DeviceColour(material.specular), DeviceColour(material.emissive),
                                                 material.power});
}

void TDx3dDisplayHandler::SetLight(int32_t index, const TLight* light) {
  if (!mData->mDevice || index < 0) return;
  uint32_t slot = static_cast<uint32_t>(index);
  if (!light) {
    mData->mDevice->LightEnable(slot, false);
    return;
  }
  sys::gfx::Light made;
  made.type = light->kind == TLight::kPoint  ? sys::gfx::LightType::Point
              : light->kind == TLight::kSpot ? sys::gfx::LightType::Spot
                                             : sys::gfx::LightType::Directional;
  made.diffuse = DeviceColour(light->diffuse);
  made.specular = DeviceColour(light->specular);
  made.ambient = DeviceColour(light->ambient);
  made.position = DeviceVec(light->position);
  made.direction = DeviceVec(light->direction);
  made.range = light->range;
  made.attenuation0 = light->constantAttenuation;
  made.attenuation1 = light->linearAttenuation;
  made.attenuation2 = light->quadraticAttenuation;
  made.theta = light->theta;
  made.phi = light->phi;
  made.falloff = 1.0f;
  mData->mDevice->SetLight(slot, made);
  mData->mDevice->LightEnable(slot, true);
}

bool TDx3dDisplayHandler::Begin3d() {
  if (!mData->mDevice) return false;
  sys::gfx::RenderStates& states = mData->mDevice->States();
  if (!mData->mNoSpecularGouraud) states.specularEnable = true;
  states.depthEnable = true;
  states.depthWriteEnable = true;
  states.clipping = true;
  SetModulatingStage(states.stage);
  SetTextureAddress(1, 1);
  SetCullMode(3);
  return true;
}

void TDx3dDisplayHandler::SetTransform(TransformKind kind, const TMatrix4& matrix) {
  if (mData->mDevice) mData->mDevice->SetTransform(kind, DeviceMatrix(matrix));
}

void TDx3dDisplayHandler::GetTransform(TransformKind kind, TMatrix4& matrix) {
  if (mData->mDevice) matrix = DisplayMatrix(mData->mDevice->GetTransform(kind));
}

void TDx3dDisplayHandler::SetWorldTransform(const TMatrix4& matrix) { SetTransform(TransformKind::World, matrix); }

void TDx3dDisplayHandler::SetViewTransform(const TMatrix4& matrix) { SetTransform(TransformKind::View, matrix); }

void TDx3dDisplayHandler::SetProjectionTransform(const TMatrix4& matrix) {
  if (!mData->mDevice) return;
  mData->mProjection = matrix;
  SetTransform(TransformKind::Projection, matrix);
}

void TDx3dDisplayHandler::GetWorldTransform(TMatrix4& matrix) { GetTransform(TransformKind::World, matrix); }

void TDx3dDisplayHandler::GetViewTransform(TMatrix4& matrix) { GetTransform(TransformKind::View, matrix); }

void TDx3dDisplayHandler::GetProjectionTransform(TMatrix4& matrix) {
  GetTransform(TransformKind::Projection, matrix);
}

void TDx3dDisplayHandler::SetLookAt(const TVec3& eye, const TVec3& target, const TVec3& up) {
  if (!mData->mDevice) return;
  mData->mDevice->SetTransform(TransformKind::View,
                               sys::gfx::LookAtLeftHanded(DeviceVec(eye), DeviceVec(target), DeviceVec(up)));
}

void TDx3dDisplayHandler::SetPerspective(float nearPlane, float farPlane, float fovY, float aspect) {
  if (!mData->mDevice) return;
  mData->mNearPlane = nearPlane;
  mData->mFarPlane = farPlane;
  const TRect& viewport = mData->mViewport;
  if (aspect == 0 && viewport.Width() != 0) {
    aspect = static_cast<float>(viewport.Height()) / static_cast<float>(viewport.Width());
  }
  SetProjectionTransform(DisplayMatrix(sys::gfx::PerspectiveFovLeftHanded(fovY, aspect, nearPlane, farPlane)));
}

void TDx3dDisplayHandler::SetOrthoProjection(float nearPlane, float farPlane) {
  if (!mData->mDevice) return;
  mData->mNearPlane = nearPlane;
  mData->mFarPlane = farPlane;
  const TRect& viewport = mData->mViewport;
  SetProjectionTransform(DisplayMatrix(sys::gfx::OrthoLeftHanded(
      static_cast<float>(viewport.Width()), static_cast<float>(viewport.Height()), nearPlane, farPlane)));
}

void TDx3dDisplayHandler::SetCullMode(int32_t mode) {
  if (!mData->mDevice) return;
  sys::gfx::CullMode cull = sys::gfx::CullMode::None;
  if (mode == 2) cull = sys::gfx::CullMode::Clockwise;
  if (mode == 3) cull = sys::gfx::CullMode::CounterClockwise;
  mData->mDevice->States().cullMode = cull;
}

void TDx3dDisplayHandler::SetAmbientLight(const TColor& colour) {
  if (mData->mDevice) mData->mDevice->States().ambient = TColor32(colour).GetValue();
}

void TDx3dDisplayHandler::DrawVertices(int32_t primitiveType, TVertexList* vertices) {
  Draw(primitiveType, vertices, nullptr, 0);
}

void TDx3dDisplayHandler::DrawIndexedVertices(int32_t primitiveType, TVertexList* vertices, const uint16_t* indices,
                                              int32_t indexCount) {
  if (indices) Draw(primitiveType, vertices, indices, indexCount);
}

bool TDx3dDisplayHandler::Drawable(int32_t primitiveType) {
  if (KnownPrimitive(primitiveType)) return true;
  if (mData->mRefusedPrimitives.insert(primitiveType).second) {
    LogPrintf("Primitive type %d refused: only line lists and triangles are drawn", primitiveType);
  }
  return false;
}

// Screen vertices of a game drawn scaled go through an orthographic
// projection of the viewport instead, with depth passed on unchanged, so
// that the viewport's scale applies to them.
void TDx3dDisplayHandler::Draw(int32_t primitiveType, const TVertexList* vertices, const uint16_t* indices,
                               int32_t indexCount) {
  sys::gfx::Device3d* device = mData->mDevice;
  if (!device || !vertices || !vertices->vertices || vertices->count <= 0 || indexCount < 0 ||
      !Drawable(primitiveType)) {
    return;
  }
  const int32_t kind = vertices->kind;
  const bool screen = kind == TVertexList::kScreen || kind == TVertexList::kScreenLit;
  device->States().lighting = kind != TVertexList::kColoured && kind != TVertexList::kScreen;
  sys::gfx::VertexLayout layout = screen                            ? sys::gfx::VertexLayout::Transformed
                                  : kind == TVertexList::kColoured ? sys::gfx::VertexLayout::Coloured
                                                                   : sys::gfx::VertexLayout::Lit;
  float scale = 1.0f;
  const bool rescaled = kind == TVertexList::kScreen && DrawsScaled(scale);
  TDxDisplayHandlerData& data = *mData;
  if (rescaled) {
    data.mSavedWorld = DisplayMatrix(device->GetTransform(TransformKind::World));
    data.mSavedView = DisplayMatrix(device->GetTransform(TransformKind::View));
    data.mSavedProjection = DisplayMatrix(device->GetTransform(TransformKind::Projection));
    const TRect& viewport = data.mViewport;
    sys::gfx::Matrix4 projection = sys::gfx::OrthoOffCentreLeftHanded(
        static_cast<float>(viewport.left), static_cast<float>(viewport.right), static_cast<float>(viewport.bottom),
        static_cast<float>(viewport.top), data.mNearPlane, data.mFarPlane);
    projection.m[2][2] = 1;
    projection.m[2][3] = 0;
    projection.m[3][2] = 0;
    projection.m[3][3] = 1;
    device->SetTransform(TransformKind::World, sys::gfx::Matrix4{});
    device->SetTransform(TransformKind::View, sys::gfx::Matrix4{});
    device->SetTransform(TransformKind::Projection, projection);
    layout = sys::gfx::VertexLayout::Coloured;
  }
  const auto type = static_cast<sys::gfx::PrimitiveType>(primitiveType);
  const auto count = static_cast<uint32_t>(vertices->count);
  Result drawn = indices ? device->DrawIndexedPrimitive(type, layout, vertices->vertices, count, indices,
                                                        static_cast<uint32_t>(indexCount))
                         : device->DrawPrimitive(type, layout, vertices->vertices, count);
  CheckVideoMemory(drawn);
  if (rescaled) {
    device->SetTransform(TransformKind::World, DeviceMatrix(data.mSavedWorld));
    device->SetTransform(TransformKind::View, DeviceMatrix(data.mSavedView));
    device->SetTransform(TransformKind::Projection, DeviceMatrix(data.mSavedProjection));
  }
}
