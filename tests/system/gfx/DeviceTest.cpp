#include "system/gfx/Device.h"

#include <gtest/gtest.h>

#include "tests/system/gfx/GfxRig.h"

namespace {

using namespace sys::gfx;

using DeviceTest = GfxRig;

SurfaceDesc FlippingChain() {
  SurfaceDesc desc;
  desc.caps = kCapsPrimarySurface | kCapsFlip | kCapsComplex;
  desc.backBufferCount = 1;
  return desc;
}

TEST_F(DeviceTest, OffersTheAdaptersModesAndSetsOnlyThoseWhenExclusive) {
  std::vector<DisplayMode> modes;
  ASSERT_EQ(device->GetDisplayModes(modes), Result::Ok);
  EXPECT_EQ(modes, Config().modes);
  EXPECT_EQ(device->SetDisplayMode(DisplayMode{800, 600, 32}), Result::NoExclusiveMode);
  EXPECT_EQ(device->SetCooperativeLevel(nullptr, CooperativeLevel::ExclusiveFullScreen), Result::InvalidArgument);
  ASSERT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::ExclusiveFullScreen), Result::Ok);
  EXPECT_EQ(device->SetDisplayMode(DisplayMode{1024, 768, 32}), Result::InvalidMode);
  ASSERT_EQ(device->SetDisplayMode(DisplayMode{800, 600, 16}), Result::Ok);
  EXPECT_EQ(device->GetDisplayMode(), (DisplayMode{800, 600, 16}));
  EXPECT_EQ(device->DisplayFormat(), MakePixelFormat(PixelLayout::R5G6B5));
}

TEST_F(DeviceTest, ModesWithoutASurfaceFormatCannotBeSet) {
  AdapterConfig config = Config();
  config.modes = {{800, 600, 24}};
  MakeDevice(config);
  ASSERT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::ExclusiveFullScreen), Result::Ok);
  EXPECT_EQ(device->SetDisplayMode(DisplayMode{800, 600, 24}), Result::InvalidMode);
}

TEST_F(DeviceTest, WindowedDisplayIsTheDesktop) {
  AdapterConfig config = Config();
  config.desktop.width = 1280;
  config.desktop.height = 1024;
  config.desktop.bitCount = 16;
  MakeDevice(config);
  EXPECT_EQ(device->GetDisplayMode(), (DisplayMode{1280, 1024, 16}));
  std::shared_ptr<Surface> primary;
  ASSERT_EQ(device->CreateSurface(DescOf(0, 0, kCapsPrimarySurface), primary), Result::Ok);
  EXPECT_EQ(primary->Width(), 1280);
  EXPECT_EQ(primary->Format(), MakePixelFormat(PixelLayout::R5G6B5));
  EXPECT_TRUE(primary->InVideoMemory());
  DeviceCaps caps;
  ASSERT_EQ(device->GetCaps(caps), Result::Ok);
  EXPECT_EQ(caps.freeVideoMemory, caps.totalVideoMemory);  // the desktop's own memory
}

TEST_F(DeviceTest, DesktopOfFewColoursOffersNoSurfaces) {
  AdapterConfig config = Config();
  config.desktop.bitCount = 8;
  config.desktop.colors = 256;
  MakeDevice(config);
  EXPECT_EQ(TryMake(DescOf(0, 0, kCapsPrimarySurface)), Result::InvalidPixelFormat);
  EXPECT_EQ(TryMake(DescOf(4, 4)), Result::InvalidPixelFormat);
}

TEST_F(DeviceTest, FlippingChainNeedsTheExclusiveLevelAndAMode) {
  std::shared_ptr<Surface> front;
  EXPECT_EQ(device->CreateSurface(FlippingChain(), front), Result::NoExclusiveMode);
  ASSERT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::ExclusiveFullScreen), Result::Ok);
  EXPECT_EQ(device->CreateSurface(FlippingChain(), front), Result::NoExclusiveMode);
  ASSERT_EQ(device->SetDisplayMode(DisplayMode{640, 480, 32}), Result::Ok);
  SurfaceDesc twoBackBuffers = FlippingChain();
  twoBackBuffers.backBufferCount = 2;
  EXPECT_EQ(device->CreateSurface(twoBackBuffers, front), Result::InvalidCaps);

  ASSERT_EQ(device->CreateSurface(FlippingChain(), front), Result::Ok);
  std::shared_ptr<Surface> back;
  ASSERT_EQ(front->GetAttachedSurface(kCapsBackBuffer, back), Result::Ok);
  EXPECT_EQ(back->Width(), 640);
  EXPECT_TRUE(front->Caps() & kCapsFrontBuffer);
  EXPECT_FALSE(back->Caps() & kCapsPrimarySurface);
  DeviceCaps caps;
  ASSERT_EQ(device->GetCaps(caps), Result::Ok);
  EXPECT_EQ(caps.totalVideoMemory - caps.freeVideoMemory, 2u * 640 * 480 * 4);
}

TEST_F(DeviceTest, FlippingChainThatDoesNotFitReturnsItsMemory) {
  AdapterConfig config = Config();
  config.videoMemory = 800 * 600 * 4 + 100;  // room for one buffer
  MakeDevice(config);
  ASSERT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::ExclusiveFullScreen), Result::Ok);
  ASSERT_EQ(device->SetDisplayMode(DisplayMode{800, 600, 32}), Result::Ok);
  std::shared_ptr<Surface> front;
  EXPECT_EQ(device->CreateSurface(FlippingChain(), front), Result::OutOfVideoMemory);
  EXPECT_EQ(adapter->FreeVideoMemory(), adapter->TotalVideoMemory());
}

TEST_F(DeviceTest, PrimaryNeedsACooperativeLevel) {
  std::unique_ptr<Device> fresh;
  ASSERT_EQ(Device::Create(adapter, 0, fresh), Result::Ok);
  std::shared_ptr<Surface> primary;
  EXPECT_EQ(fresh->CreateSurface(DescOf(0, 0, kCapsPrimarySurface), primary), Result::NoCooperativeLevel);
  EXPECT_EQ(fresh->TestCooperativeLevel(), Result::NoCooperativeLevel);
}

TEST_F(DeviceTest, IdentifiesItselfAsTheAdapterDescribesIt) {
  AdapterConfig config = Config();
  AdapterDevice second;
  second.identifier.driver = "second.drv";
  second.identifier.description = "The second display";
  second.identifier.vendorId = 0x1234;
  second.hasGuid = true;
  config.devices = {AdapterDevice{}, second};
  MakeDevice(config);
  std::unique_ptr<Device> other;
  ASSERT_EQ(Device::Create(adapter, 1, other), Result::Ok);
  DeviceIdentifier identifier;
  ASSERT_EQ(other->GetIdentifier(identifier), Result::Ok);
  EXPECT_EQ(identifier.driver, "second.drv");
  EXPECT_EQ(identifier.description, "The second display");
  EXPECT_EQ(identifier.vendorId, 0x1234u);
  EXPECT_EQ(Device::Create(adapter, 2, other), Result::InvalidArgument);
  EXPECT_EQ(Device::Create(adapter, -1, other), Result::InvalidArgument);
}

TEST_F(DeviceTest, ForcedResultsOfTheDeviceArriveInQueueOrder) {
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::NoExclusiveMode);
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::ExclusiveModeAlreadySet);
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::WrongMode);
  adapter->Force(AdapterOperation::SetCooperativeLevel, Result::ExclusiveModeAlreadySet);
  adapter->Force(AdapterOperation::CreateSurface, Result::OutOfVideoMemory);
  adapter->Force(AdapterOperation::CreateDevice, Result::CurrentlyNotAvailable);
  EXPECT_EQ(device->TestCooperativeLevel(), Result::NoExclusiveMode);
  EXPECT_EQ(device->TestCooperativeLevel(), Result::ExclusiveModeAlreadySet);
  EXPECT_EQ(device->TestCooperativeLevel(), Result::WrongMode);
  EXPECT_EQ(device->TestCooperativeLevel(), Result::Ok);
  EXPECT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::ExclusiveFullScreen),
            Result::ExclusiveModeAlreadySet);
  EXPECT_EQ(TryMake(DescOf(2, 2)), Result::OutOfVideoMemory);
  EXPECT_EQ(TryMake(DescOf(2, 2)), Result::Ok);
  std::unique_ptr<Device> other;
  EXPECT_EQ(Device::Create(adapter, 0, other), Result::CurrentlyNotAvailable);
}

TEST_F(DeviceTest, FlipResultsCanBeForced) {
  ASSERT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::ExclusiveFullScreen), Result::Ok);
  ASSERT_EQ(device->SetDisplayMode(DisplayMode{640, 480, 32}), Result::Ok);
  std::shared_ptr<Surface> front;
  ASSERT_EQ(device->CreateSurface(FlippingChain(), front), Result::Ok);
  std::shared_ptr<Surface> back;
  ASSERT_EQ(front->GetAttachedSurface(kCapsBackBuffer, back), Result::Ok);
  adapter->Force(AdapterOperation::Flip, Result::WasStillDrawing);
  adapter->Force(AdapterOperation::FlipStatus, Result::WasStillDrawing);
  EXPECT_EQ(front->Flip(), Result::WasStillDrawing);
  EXPECT_EQ(front->Flip(), Result::Ok);
  EXPECT_EQ(back->GetFlipStatus(), Result::WasStillDrawing);
  EXPECT_EQ(back->GetFlipStatus(), Result::Ok);
}

TEST_F(DeviceTest, MipmapTexturesCarryTheirSmallerLevelsEachCountedAndRestoredWithThem) {
  DeviceCaps before;
  device->GetCaps(before);
  SurfaceDesc desc = DescOf(16, 8, kCapsTexture, MakePixelFormat(PixelLayout::A8R8G8B8));
  desc.mipMapCount = 4;
  std::shared_ptr<Surface> texture;
  ASSERT_EQ(device->CreateSurface(desc, texture), Result::Ok);
  std::vector<std::shared_ptr<Surface>> levels{texture};
  std::shared_ptr<Surface> next;
  while (levels.back()->GetAttachedSurface(kCapsMipmap, next) == Result::Ok) levels.push_back(next);
  ASSERT_EQ(levels.size(), 4u);
  const int32_t sizes[4][2] = {{16, 8}, {8, 4}, {4, 2}, {2, 1}};
  uint64_t bytes = 0;
  for (size_t n = 0; n < levels.size(); ++n) {
    EXPECT_EQ(levels[n]->Width(), sizes[n][0]);
    EXPECT_EQ(levels[n]->Height(), sizes[n][1]);
    EXPECT_TRUE(levels[n]->Caps() & kCapsMipmap);
    EXPECT_EQ(levels[n]->Describe().mipMapCount, static_cast<int32_t>(4 - n));
    bytes += static_cast<uint64_t>(levels[n]->Pitch()) * static_cast<uint64_t>(levels[n]->Height());
  }
  DeviceCaps after;
  device->GetCaps(after);
  EXPECT_EQ(before.freeVideoMemory - after.freeVideoMemory, bytes);

  adapter->LoseVideoSurfaces();
  EXPECT_EQ(levels[3]->IsLost(), Result::SurfaceLost);
  ASSERT_EQ(texture->Restore(), Result::Ok);
  for (const auto& level : levels) EXPECT_EQ(level->IsLost(), Result::Ok);
}

TEST_F(DeviceTest, MipmapChainsAreTexturesNoLongerThanTheirSize) {
  SurfaceDesc desc = DescOf(8, 8, kCapsTexture);
  desc.mipMapCount = 4;
  EXPECT_EQ(TryMake(desc), Result::Ok);
  desc.mipMapCount = 5;
  EXPECT_EQ(TryMake(desc), Result::InvalidArgument);
  desc = DescOf(8, 8, kCapsOffscreenPlain);
  desc.mipMapCount = 2;
  EXPECT_EQ(TryMake(desc), Result::InvalidCaps);
  EXPECT_EQ(MipmapLevelsOf(1, 1), 1);
  EXPECT_EQ(MipmapLevelsOf(100, 30), 7);
}

}  // namespace
