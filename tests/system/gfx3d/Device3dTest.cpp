// The 3D device: its description, creation on a target, scenes, clears,
// target switches, viewports, texture binding and forced results.
#include <gtest/gtest.h>

#include "tests/system/gfx3d/Device3dRig.h"

namespace {

using namespace sys::gfx;

using Device3dTest = Device3dRig;

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;

TEST_F(Device3dTest, ListsOneHardwareDeviceWithTheCapabilitiesTheDisplayReads) {
  const auto devices = Device3d::Enumerate(*device);
  ASSERT_EQ(devices.size(), 1u);
  const Device3dCaps& caps = devices[0];
  EXPECT_TRUE(caps.hardwareRasterization);
  EXPECT_TRUE(caps.hardwareTransformAndLight);
  EXPECT_EQ(caps.renderBitCounts, (std::vector<uint32_t>{16, 32}));
  EXPECT_TRUE(caps.gouraudRgb);
  EXPECT_TRUE(caps.specularGouraudRgb);
  EXPECT_EQ(caps.maxTextureWidth, 2048);
  EXPECT_EQ(caps.maxTextureHeight, 2048);
  EXPECT_EQ(caps.maxTextureAspectRatio, 2048);
  EXPECT_FALSE(caps.squareTexturesOnly);
  EXPECT_FALSE(caps.separateTextureMemories);
  EXPECT_EQ(caps.depthFormats, (std::vector<PixelFormat>{MakePixelFormat(PixelLayout::Depth16)}));
  EXPECT_EQ(caps.textureFormats.size(), 6u);
}

TEST_F(Device3dTest, TestsAlterTheDescriptionThroughTheAdapter) {
  AdapterConfig config = Config();
  AdapterDevice plain;
  plain.device3d.hardwareRasterization = false;
  plain.device3d.maxTextureWidth = plain.device3d.maxTextureHeight = 512;
  config.devices = {plain};
  MakeDevice(config);
  const auto devices = Device3d::Enumerate(*device);
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_FALSE(devices[0].hardwareRasterization);
  EXPECT_EQ(devices[0].maxTextureWidth, 512);

  target = MakeTarget(kSide, kSide, PixelLayout::X8R8G8B8, false);
  ASSERT_EQ(MakeDevice3d(target), Result::Ok);
  EXPECT_EQ(device3d->SetTexture(Make(1024, 1024, kCapsTexture | kCapsSystemMemory)), Result::Unsupported);
  EXPECT_EQ(device3d->SetTexture(Make(512, 512, kCapsTexture | kCapsSystemMemory)), Result::Ok);
}

TEST_F(Device3dTest, IsMadeOnlyOnTargetsItCanDrawInto) {
  EXPECT_TRUE(device3d->States().depthEnable);
  struct Case {
    const char* name;
    std::shared_ptr<Surface> on;
    Result expected;
  };
  const Case cases[] = {
      {"no target", nullptr, Result::InvalidArgument},
      {"without 3D-device caps", MakeTarget(8, 8, PixelLayout::X8R8G8B8, false, 0), Result::InvalidCaps},
      {"16-bit target", MakeTarget(8, 8, PixelLayout::R5G6B5, false), Result::Ok},
      {"8-bit target", Make(8, 8, kCaps3dDevice | kCapsSystemMemory, MakePixelFormat(PixelLayout::Palette8)),
       Result::InvalidPixelFormat},
  };
  for (const Case& c : cases) {
    std::unique_ptr<Device3d> made;
    EXPECT_EQ(Device3d::Create(*device, Device3d::Enumerate(*device)[0].guid, c.on, made), c.expected) << c.name;
  }
  std::unique_ptr<Device3d> made;
  EXPECT_EQ(Device3d::Create(*device, {1, 2, 3, 4}, target, made), Result::InvalidArgument);
  ASSERT_EQ(Device3d::Create(*device, Device3d::Enumerate(*device)[0].guid, MakeTarget(8, 8, PixelLayout::A8R8G8B8, false), made),
            Result::Ok);
  EXPECT_FALSE(made->States().depthEnable);
}

TEST_F(Device3dTest, ForcedResultsReachTheCaller) {
  adapter->Force(AdapterOperation::CreateDevice3d, Result::OutOfVideoMemory);
  EXPECT_EQ(MakeDevice3d(target), Result::OutOfVideoMemory);
  ASSERT_EQ(MakeDevice3d(target), Result::Ok);

  ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  adapter->Force(AdapterOperation::DrawPrimitive, Result::OutOfVideoMemory);
  EXPECT_EQ(DrawFan(ScreenQuad(0, 0, 8, 8, kRed)), Result::OutOfVideoMemory);
  EXPECT_EQ(ColourAt(*target, 1, 1) & 0xFFFFFF, 0u);
  adapter->Force(AdapterOperation::EndScene, Result::SceneEndFailed);
  EXPECT_EQ(device3d->EndScene(), Result::SceneEndFailed);
  EXPECT_TRUE(device3d->InScene());
  EXPECT_EQ(device3d->EndScene(), Result::Ok);

  adapter->Force(AdapterOperation::SetRenderTarget, Result::CurrentlyNotAvailable);
  EXPECT_EQ(device3d->SetRenderTarget(MakeTarget(8, 8, PixelLayout::X8R8G8B8, false)), Result::CurrentlyNotAvailable);
  EXPECT_EQ(device3d->GetRenderTarget(), target);
  adapter->Force(AdapterOperation::SetViewport, Result::OutOfVideoMemory);
  EXPECT_EQ(device3d->SetViewport({0, 0, 8, 8, 0, 1}), Result::OutOfVideoMemory);
  adapter->Force(AdapterOperation::Clear, Result::OutOfVideoMemory);
  EXPECT_EQ(device3d->Clear(kClearTarget, kRed, 1), Result::OutOfVideoMemory);
}

TEST_F(Device3dTest, DrawsOnlyInsideAScene) {
  EXPECT_EQ(DrawFan(ScreenQuad(0, 0, 8, 8, kRed)), Result::Failed);
  EXPECT_EQ(device3d->EndScene(), Result::Failed);
  ASSERT_EQ(device3d->Clear(kClearDepth, 0, 1), Result::Ok);
  ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  EXPECT_EQ(device3d->BeginScene(), Result::Failed);
  EXPECT_EQ(DrawFan(ScreenQuad(-0.5f, -0.5f, 7.5f, 7.5f, kRed)), Result::Ok);
  EXPECT_EQ(device3d->EndScene(), Result::Ok);
  EXPECT_EQ(ColourAt(*target, 7, 7), kRed);
  EXPECT_EQ(ColourAt(*target, 8, 7) & 0xFFFFFF, 0u);
}

TEST_F(Device3dTest, ClearsColourAndDepthOverTheViewportOnly) {
  ASSERT_EQ(device3d->Clear(kClearTarget | kClearDepth, kBlack, 1.0f), Result::Ok);
  ASSERT_EQ(device3d->SetViewport({4, 6, 10, 5, 0, 1}), Result::Ok);
  ASSERT_EQ(device3d->Clear(kClearTarget | kClearDepth, kRed, 0.25f), Result::Ok);
  std::shared_ptr<Surface> depth;
  ASSERT_EQ(target->GetAttachedSurface(kCapsDepthBuffer, depth), Result::Ok);
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) {
      const bool inside = x >= 4 && x < 14 && y >= 6 && y < 11;
      ASSERT_EQ(ColourAt(*target, x, y), inside ? kRed : kBlack) << x << ", " << y;
      ASSERT_EQ(PixelAt(*depth, x, y), inside ? 16384u : 65535u) << x << ", " << y;
    }
  }
  std::unique_ptr<Device3d> withoutDepth;
  ASSERT_EQ(Device3d::Create(*device, Device3d::Enumerate(*device)[0].guid, MakeTarget(8, 8, PixelLayout::X8R8G8B8, false),
                             withoutDepth),
            Result::Ok);
  EXPECT_EQ(withoutDepth->Clear(kClearDepth, 0, 1), Result::NoObject);
}

TEST_F(Device3dTest, ViewportMustLieInTheTargetAndClipsDrawing) {
  EXPECT_EQ(device3d->SetViewport({-1, 0, 8, 8, 0, 1}), Result::InvalidArgument);
  EXPECT_EQ(device3d->SetViewport({30, 0, 8, 8, 0, 1}), Result::InvalidArgument);
  EXPECT_EQ(device3d->SetViewport({0, 0, 0, 8, 0, 1}), Result::InvalidArgument);
  EXPECT_EQ(device3d->SetViewport({0, 0, 8, 8, 0.5f, 0.25f}), Result::InvalidArgument);
  ASSERT_EQ(device3d->SetViewport({31, 31, 1, 1, 0, 1}), Result::Ok);
  ASSERT_EQ(device3d->SetViewport({8, 8, 16, 16, 0, 1}), Result::Ok);
  ASSERT_EQ(device3d->Clear(kClearTarget | kClearDepth, kBlack, 1), Result::Ok);
  ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  ASSERT_EQ(DrawFan(ScreenQuad(-1e6f, -1e6f, 1e6f, 1e6f, kRed)), Result::Ok);
  ASSERT_EQ(device3d->EndScene(), Result::Ok);
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) {
      const bool inside = x >= 8 && x < 24 && y >= 8 && y < 24;
      ASSERT_EQ(ColourAt(*target, x, y) == kRed, inside) << x << ", " << y;
    }
  }
}

TEST_F(Device3dTest, DrawsIntoATextureMadeAsATargetWithItsOwnDepth) {
  auto texture = MakeTarget(16, 8, PixelLayout::A8R8G8B8, true, kCapsTexture | kCaps3dDevice);
  ASSERT_EQ(device3d->Clear(kClearTarget, kBlack, 1), Result::Ok);
  ASSERT_EQ(device3d->SetRenderTarget(texture), Result::Ok);
  EXPECT_EQ(device3d->GetViewport(), (Viewport3d{0, 0, 16, 8, 0, 1}));
  ASSERT_EQ(device3d->Clear(kClearTarget | kClearDepth, 0x00000000, 1), Result::Ok);
  device3d->States().stage.alphaArg1 = TextureArg::Diffuse;
  ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  ASSERT_EQ(DrawFan(ScreenQuad(-100, -100, 100, 100, 0x80FF0000)), Result::Ok);
  ASSERT_EQ(device3d->EndScene(), Result::Ok);
  EXPECT_EQ(CountNot(*texture, 0x80FF0000), 0);
  EXPECT_EQ(CountNot(*target, kBlack), 0);
  ASSERT_EQ(device3d->SetRenderTarget(target), Result::Ok);
  EXPECT_EQ(device3d->GetViewport(), (Viewport3d{0, 0, kSide, kSide, 0, 1}));
}

TEST_F(Device3dTest, DepthSurfaceOfTheTargetIsTestedAndWritten) {
  ASSERT_EQ(device3d->Clear(kClearTarget | kClearDepth, kBlack, 1), Result::Ok);
  ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  ASSERT_EQ(DrawFan(ScreenQuad(-0.5f, -0.5f, 15.5f, 15.5f, kRed, 0.3f)), Result::Ok);
  ASSERT_EQ(DrawFan(ScreenQuad(-0.5f, -0.5f, 31.5f, 31.5f, 0xFF00FF00, 0.6f)), Result::Ok);
  ASSERT_EQ(device3d->EndScene(), Result::Ok);
  EXPECT_EQ(ColourAt(*target, 5, 5), kRed);
  EXPECT_EQ(ColourAt(*target, 20, 20), 0xFF00FF00u);
}

TEST_F(Device3dTest, RefusesTexturesItCannotSampleAndDrawsOnLostSurfacesNothing) {
  EXPECT_EQ(device3d->SetTexture(Make(8, 8, kCapsSystemMemory)), Result::InvalidCaps);
  EXPECT_EQ(device3d->SetTexture(Make(4096, 4, kCapsTexture | kCapsSystemMemory)), Result::Unsupported);
  EXPECT_EQ(device3d->SetTexture(nullptr), Result::Ok);

  auto video = MakeTarget(8, 8, PixelLayout::X8R8G8B8, false, kCaps3dDevice);
  auto onVideo = Make(8, 8, kCaps3dDevice | kCapsVideoMemory, MakePixelFormat(PixelLayout::X8R8G8B8));
  ASSERT_EQ(device3d->SetRenderTarget(onVideo), Result::Ok);
  adapter->LoseVideoSurfaces();
  ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  EXPECT_EQ(DrawFan(ScreenQuad(0, 0, 8, 8, kRed)), Result::SurfaceLost);
  EXPECT_EQ(device3d->Clear(kClearTarget, kRed, 1), Result::SurfaceLost);
  ASSERT_EQ(device3d->EndScene(), Result::Ok);
}

TEST_F(Device3dTest, AMinifiedTextureIsSampledFromItsSmallerLevel) {
  SurfaceDesc desc = DescOf(16, 16, kCapsTexture | kCapsSystemMemory, MakePixelFormat(PixelLayout::X8R8G8B8));
  desc.mipMapCount = 2;
  std::shared_ptr<Surface> texture;
  ASSERT_EQ(device->CreateSurface(desc, texture), Result::Ok);
  std::shared_ptr<Surface> half;
  ASSERT_EQ(texture->GetAttachedSurface(kCapsMipmap, half), Result::Ok);
  ASSERT_EQ(texture->Fill(nullptr, PixelFromArgb(texture->Format(), kRed)), Result::Ok);
  ASSERT_EQ(half->Fill(nullptr, PixelFromArgb(half->Format(), 0xFF0000FF)), Result::Ok);
  ASSERT_EQ(device3d->Clear(kClearTarget | kClearDepth, kBlack, 1), Result::Ok);
  device3d->States().cullMode = CullMode::None;
  device3d->States().stage.mipFilter = MipFilter::Point;
  ASSERT_EQ(device3d->SetTexture(texture), Result::Ok);
  auto quad = [](float side) {
    auto corners = ScreenQuad(-0.5f, -0.5f, side - 0.5f, side - 0.5f);
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int k = 0; k < 4; ++k) {
      corners[k].u = uv[k][0];
      corners[k].v = uv[k][1];
    }
    return corners;
  };
  ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  ASSERT_EQ(DrawFan(quad(16)), Result::Ok);
  EXPECT_EQ(ColourAt(*target, 3, 3), kRed) << "drawn at its size: the largest level";
  ASSERT_EQ(DrawFan(quad(8)), Result::Ok);
  EXPECT_EQ(ColourAt(*target, 3, 3), 0xFF0000FFu) << "drawn at half its size: the level below";
  ASSERT_EQ(device3d->EndScene(), Result::Ok);
}

}  // namespace
