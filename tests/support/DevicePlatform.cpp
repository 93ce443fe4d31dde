#include "tests/support/DevicePlatform.h"

#include <gtest/gtest.h>

#include "media/display/TVertexList.h"
#include "system/gfx/Adapter.h"
#include "system/gfx/PixelFormat.h"

namespace {

using sys::gfx::Result;

class DeviceTextures final : public TVecTextures {
 public:
  explicit DeviceTextures(DevicePlatform& platform) : mPlatform(platform) {}

  std::shared_ptr<TTexture> CreateRenderTarget(int32_t width, int32_t height) override {
    return mPlatform.MakeTexture(width, height);
  }
  bool Lock(TTexture& texture, TVecPixels& out) override {
    sys::gfx::Surface* surface = mPlatform.SurfaceOf(&texture);
    sys::gfx::LockedPixels locked;
    if (!surface || surface->Lock(nullptr, locked) != Result::Ok) return false;
    out = {locked.bits, locked.width, locked.height, locked.pitch};
    return true;
  }
  void Unlock(TTexture& texture) override {
    if (sys::gfx::Surface* surface = mPlatform.SurfaceOf(&texture)) surface->Unlock();
  }

 private:
  DevicePlatform& mPlatform;
};

// 2D drawing of untextured, coloured vertices blended by their alpha.
void Set2dStates(sys::gfx::RenderStates& states) {
  states.blendEnable = true;
  states.sourceBlend = sys::gfx::BlendFactor::SourceAlpha;
  states.destinationBlend = sys::gfx::BlendFactor::InverseSourceAlpha;
  states.depthEnable = false;
  states.depthWriteEnable = false;
  states.cullMode = sys::gfx::CullMode::None;
  states.lighting = false;
  states.stage.colourOp = sys::gfx::TextureOp::Modulate;
  states.stage.alphaOp = sys::gfx::TextureOp::Modulate;
  states.stage.alphaArg2 = sys::gfx::TextureArg::Diffuse;
}

}  // namespace

DevicePlatform::DevicePlatform(int32_t width, int32_t height) {
  viewport = {0, 0, width, height};
  sys::gfx::AdapterConfig config;
  config.modes = {{800, 600, 32}};
  EXPECT_EQ(sys::gfx::Device::Create(sys::gfx::Adapter::Create(config), 0, mDevice), Result::Ok);
  EXPECT_EQ(mDevice->SetCooperativeLevel(&mWindow, sys::gfx::CooperativeLevel::Normal), Result::Ok);
  mScreen = MakeSurface(width, height);
  mScreen->Fill(nullptr, 0xFF000000);
  const auto devices = sys::gfx::Device3d::Enumerate(*mDevice);
  EXPECT_EQ(sys::gfx::Device3d::Create(*mDevice, devices.at(0).guid, mScreen, mDevice3d), Result::Ok);
  mDevice3d->BeginScene();
}

DevicePlatform::~DevicePlatform() = default;

std::shared_ptr<sys::gfx::Surface> DevicePlatform::MakeSurface(int32_t width, int32_t height) {
  sys::gfx::SurfaceDesc desc;
  desc.width = width;
  desc.height = height;
  desc.caps = sys::gfx::kCaps3dDevice | sys::gfx::kCapsTexture | sys::gfx::kCapsSystemMemory;
  desc.format = sys::gfx::MakePixelFormat(sys::gfx::PixelLayout::A8R8G8B8);
  std::shared_ptr<sys::gfx::Surface> surface;
  EXPECT_EQ(mDevice->CreateSurface(desc, surface), Result::Ok);
  return surface;
}

std::shared_ptr<TTexture> DevicePlatform::MakeTexture(int32_t width, int32_t height, uint32_t argb) {
  std::shared_ptr<sys::gfx::Surface> surface = MakeSurface(width, height);
  if (!surface) return nullptr;
  surface->Fill(nullptr, argb);
  // The handle points at the surface; only this platform looks behind it.
  std::shared_ptr<TTexture> texture(surface, reinterpret_cast<TTexture*>(surface.get()));
  mTextures[texture.get()] = surface;
  return texture;
}

sys::gfx::Surface* DevicePlatform::SurfaceOf(const TTexture* texture) const {
  auto found = mTextures.find(texture);
  return found == mTextures.end() ? nullptr : found->second.get();
}

uint32_t DevicePlatform::ColourAt(sys::gfx::Surface& surface, int32_t x, int32_t y) {
  sys::gfx::LockedPixels locked;
  const sys::gfx::Rect pixel{x, y, x + 1, y + 1};
  if (surface.Lock(&pixel, locked) != Result::Ok) return 0;
  const uint32_t value = sys::gfx::ReadPixel(locked.bits, locked.format.BytesPerPixel());
  surface.Unlock();
  return sys::gfx::ArgbFromPixel(surface.Format(), value);
}

std::unique_ptr<TVecTextures> DevicePlatform::Textures() { return std::make_unique<DeviceTextures>(*this); }

bool DevicePlatform::Begin2d() {
  FakePlatform::Begin2d();
  Set2dStates(mDevice3d->States());
  return begin2d;
}

void DevicePlatform::End2d() {
  FakePlatform::End2d();
  mDevice3d->SetTexture(nullptr);
}

void DevicePlatform::SetTexture(const std::shared_ptr<TTexture>& texture) {
  FakePlatform::SetTexture(texture);
  sys::gfx::Surface* surface = SurfaceOf(texture.get());
  mDevice3d->SetTexture(surface ? mTextures[texture.get()] : nullptr);
}

void DevicePlatform::SetBlendMode(int32_t mode) {
  FakePlatform::SetBlendMode(mode);
  if (mode == 0) Set2dStates(mDevice3d->States());
}

void DevicePlatform::DrawVertices(int32_t primitiveType, TVertexList* vertices) {
  FakePlatform::DrawVertices(primitiveType, vertices);
  if (drawsNothing) return;
  mDevice3d->DrawPrimitive(static_cast<sys::gfx::PrimitiveType>(primitiveType), sys::gfx::VertexLayout::Transformed,
                           vertices->vertices, static_cast<uint32_t>(vertices->count));
}

void DevicePlatform::SwitchTo(std::shared_ptr<sys::gfx::Surface> target) {
  mDevice3d->EndScene();
  mDevice3d->SetRenderTarget(std::move(target));
  mDevice3d->BeginScene();
}

bool DevicePlatform::PushRenderTarget(const std::shared_ptr<TTexture>& target) {
  if (!FakePlatform::PushRenderTarget(target)) return false;
  sys::gfx::Surface* surface = SurfaceOf(target.get());
  if (!surface) return false;
  mTargets.push_back(mTextures[target.get()]);
  SwitchTo(mTargets.back());
  return true;
}

bool DevicePlatform::PopRenderTarget() {
  FakePlatform::PopRenderTarget();
  if (mTargets.empty()) return false;
  mTargets.pop_back();
  SwitchTo(mTargets.empty() ? mScreen : mTargets.back());
  return true;
}

void DevicePlatform::DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                              const std::shared_ptr<TTexture>& texture) {
  FakePlatform::DrawRect(left, top, right, bottom, colour, texture);
  sys::gfx::Surface* surface = texture ? SurfaceOf(texture.get()) : mScreen.get();
  if (!surface) return;
  auto channel = [](float value) { return static_cast<uint32_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f); };
  const sys::gfx::Rect area{left, top, right, bottom};
  surface->Fill(&area, channel(colour.a) << 24 | channel(colour.r) << 16 | channel(colour.g) << 8 | channel(colour.b));
}
