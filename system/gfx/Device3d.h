#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "system/gfx/Adapter.h"
#include "system/gfx/Device.h"
#include "system/gfx/Device3dCaps.h"
#include "system/gfx/GeometryPipeline.h"
#include "system/gfx/Result.h"
#include "system/gfx/Surface.h"
#include "system/gfx/raster/RenderStates.h"
#include "system/gfx/raster/Vertex.h"

namespace sys::gfx {

enum ClearFlags : uint32_t {
  kClearTarget = 0x01,
  kClearDepth = 0x02,
};

// The 3D device: draws vertex lists into a render target surface (the back
// buffer, or a texture surface made as a 3D target) with the depth surface
// attached to it, through the rasterizer. Main thread only; the surfaces it
// draws into and samples are locked for the length of each call.
class Device3d {
 public:
  // The 3D devices of the adapter device `device` was made for: one.
  static std::vector<Device3dCaps> Enumerate(const Device& device);
  // On `target`, which needs the 3D-device caps and a format of 16 or 32
  // bits the device renders; `guid` names one of Enumerate's devices. A
  // depth surface attached to the target is used, and the depth test starts
  // on when there is one.
  static Result Create(const Device& device, const std::array<uint32_t, 4>& guid, std::shared_ptr<Surface> target,
                       std::unique_ptr<Device3d>& out);
  Device3d(const Device3d&) = delete;
  Device3d& operator=(const Device3d&) = delete;

  const Device3dCaps& Caps() const { return mCaps; }

  // Drawing happens between these two. Failed for a scene begun twice or an
  // end without a beginning; a refused end leaves the scene open.
  Result BeginScene();
  Result EndScene();
  bool InScene() const { return mInScene; }

  // Fills the viewport of the target with `argb` and/or of the depth
  // surface with `z` (0 nearest, 1 farthest).
  Result Clear(uint32_t flags, uint32_t argb, float z);

  // Switches to another target with its own attached depth surface, if it
  // has one; the viewport becomes the whole target.
  Result SetRenderTarget(std::shared_ptr<Surface> target);
  const std::shared_ptr<Surface>& GetRenderTarget() const { return mTarget; }

  // InvalidArgument for a viewport outside the target or a depth range
  // outside [0, 1].
  Result SetViewport(const Viewport3d& viewport);
  const Viewport3d& GetViewport() const { return mViewport; }

  RenderStates& States() { return mStates; }
  const RenderStates& States() const { return mStates; }

  // Binds a texture surface to the stage; null unbinds. Unsupported for one
  // larger than the device takes.
  Result SetTexture(std::shared_ptr<Surface> texture);
  const std::shared_ptr<Surface>& GetTexture() const { return mTexture; }

  void SetTransform(TransformKind kind, const Matrix4& matrix) { mPipeline.SetTransform(kind, matrix); }
  const Matrix4& GetTransform(TransformKind kind) const { return mPipeline.Transform(kind); }
  void SetMaterial(const Material& material) { mPipeline.Lights().SetMaterial(material); }
  const Material& GetMaterial() const { return mPipeline.Lights().GetMaterial(); }
  void SetLight(uint32_t index, const Light& light) { mPipeline.Lights().SetLight(index, light); }
  // InvalidArgument for a light never set or one more than the device lights.
  Result LightEnable(uint32_t index, bool on);

  Result DrawPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices, uint32_t vertexCount);
  Result DrawIndexedPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices, uint32_t vertexCount,
                              const uint16_t* indices, uint32_t indexCount);

  // Draws with the plain shader instead of the SIMD one (tests compare them).
  void UsePlainShader(bool plain);

 private:
  Device3d(std::shared_ptr<Adapter> adapter, const Device3dCaps& caps);
  // The target and its depth surface, if usable by this device.
  Result Accept(const std::shared_ptr<Surface>& target, std::shared_ptr<Surface>& depth) const;
  Result Draw(PrimitiveType type, VertexLayout layout, const void* vertices, uint32_t vertexCount,
              const uint16_t* indices, uint32_t indexCount);

  std::shared_ptr<Adapter> mAdapter;
  Device3dCaps mCaps;
  std::shared_ptr<Surface> mTarget;
  std::shared_ptr<Surface> mDepth;
  std::shared_ptr<Surface> mTexture;
  Viewport3d mViewport;
  RenderStates mStates;
  GeometryPipeline mPipeline;
  bool mInScene = false;
};

}  // namespace sys::gfx
