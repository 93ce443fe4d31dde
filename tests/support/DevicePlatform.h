#pragma once

#include <map>
#include <memory>
#include <vector>

#include "media/text/TVecTextures.h"
#include "system/gfx/Device.h"
#include "system/gfx/Device3d.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakePlatform.h"

// A platform face that really draws, until the display object takes its
// place: 2D drawing, vertex lists and render textures go to our 3D device,
// on a screen surface of the given size or into textures made here, with
// the rasterizer's own line rule. Its textures are 32-bit surfaces that the
// vector renderer can lock (Textures). The other calls are the fake's.
class DevicePlatform : public FakePlatform {
 public:
  explicit DevicePlatform(int32_t width = 800, int32_t height = 600);
  ~DevicePlatform() override;

  // An adapter whose targets show nothing: vertex lists are dropped.
  bool drawsNothing = false;

  sys::gfx::Surface& Screen() { return *mScreen; }
  // A texture of the given size, filled with `argb`.
  std::shared_ptr<TTexture> MakeTexture(int32_t width, int32_t height, uint32_t argb = 0);
  // The surface behind a texture made here; null for any other.
  sys::gfx::Surface* SurfaceOf(const TTexture* texture) const;
  // 0xAARRGGBB at (x, y).
  static uint32_t ColourAt(sys::gfx::Surface& surface, int32_t x, int32_t y);
  // What the vector renderer needs of textures, over this platform's.
  std::unique_ptr<TVecTextures> Textures();

  bool Begin2d() override;
  void End2d() override;
  void SetTexture(const std::shared_ptr<TTexture>& texture) override;
  void SetBlendMode(int32_t mode) override;
  void DrawVertices(int32_t primitiveType, TVertexList* vertices) override;
  bool PushRenderTarget(const std::shared_ptr<TTexture>& target) override;
  bool PopRenderTarget() override;
  void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                const std::shared_ptr<TTexture>& texture) override;

 private:
  std::shared_ptr<sys::gfx::Surface> MakeSurface(int32_t width, int32_t height);
  void SwitchTo(std::shared_ptr<sys::gfx::Surface> target);

  FakeNativeWindow mWindow;
  std::unique_ptr<sys::gfx::Device> mDevice;
  std::unique_ptr<sys::gfx::Device3d> mDevice3d;
  std::shared_ptr<sys::gfx::Surface> mScreen;
  std::vector<std::shared_ptr<sys::gfx::Surface>> mTargets;  // pushed render textures
  std::map<const TTexture*, std::shared_ptr<sys::gfx::Surface>> mTextures;
};
