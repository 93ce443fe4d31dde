#pragma once

#include "media/display/TDxDisplayHandler.h"

// The display the program uses: the Direct3D display with its 3D drawing:
// transforms, lights and materials, vertex lists and picking.
class TDx3dDisplayHandler final : public TDxDisplayHandler {
 public:
  explicit TDx3dDisplayHandler(std::shared_ptr<sys::gfx::Adapter> adapter)
      : TDxDisplayHandler(std::move(adapter)) {}

  // The set-up of the 2D display, then the 3D drawing every set-up starts
  // from: identity world and view, a perspective of pi / 4 over
  // the viewport, white ambient light and a plain material.
  void SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet, bool embedded) override;
  bool IntersectTriangle(const TVec3& origin, const TVec3& direction, const TVec3& a, const TVec3& b,
                         const TVec3& c, float& distance, TVec3& point) override;
  void SetMaterial(const TMaterial& material) override;
  void SetLight(int32_t index, const TLight* light) override;
  bool Begin3d() override;
  void SetWorldTransform(const TMatrix4& matrix) override;
  void SetViewTransform(const TMatrix4& matrix) override;
  void SetProjectionTransform(const TMatrix4& matrix) override;
  void SetLookAt(const TVec3& eye, const TVec3& target, const TVec3& up) override;
  void SetPerspective(float nearPlane, float farPlane, float fovY, float aspect) override;
  void SetOrthoProjection(float nearPlane, float farPlane) override;
  void GetWorldTransform(TMatrix4& matrix) override;
  void GetViewTransform(TMatrix4& matrix) override;
  void GetProjectionTransform(TMatrix4& matrix) override;
  void SetCullMode(int32_t mode) override;
  void SetAmbientLight(const TColor& colour) override;
  void DrawVertices(int32_t primitiveType, TVertexList* vertices) override;
  void DrawIndexedVertices(int32_t primitiveType, TVertexList* vertices, const uint16_t* indices,
                           int32_t indexCount) override;

 private:
  void Draw(int32_t primitiveType, const TVertexList* vertices, const uint16_t* indices, int32_t indexCount);
  // False for a type the device does not draw, told once per display and type.
  bool Drawable(int32_t primitiveType);
  void SetTransform(sys::gfx::TransformKind kind, const TMatrix4& matrix);
  void GetTransform(sys::gfx::TransformKind kind, TMatrix4& matrix);
};
