#include "system/gfx/Surface.h"

#include <gtest/gtest.h>

#include "tests/system/gfx/GfxRig.h"

namespace {

using namespace sys::gfx;

using SurfaceTest = GfxRig;

TEST_F(SurfaceTest, DescribesSizeMemoryFormatAndPitch) {
  std::shared_ptr<Surface> surface = Make(3, 5, kCapsSystemMemory, MakePixelFormat(PixelLayout::R5G6B5));
  SurfaceDesc desc = surface->Describe();
  EXPECT_EQ(desc.width, 3);
  EXPECT_EQ(desc.height, 5);
  EXPECT_EQ(desc.caps, kCapsSystemMemory | kCapsOffscreenPlain);
  EXPECT_EQ(*desc.format, MakePixelFormat(PixelLayout::R5G6B5));
  EXPECT_EQ(desc.pitch, 8);  // six bytes of pixels, rows kept 4-byte aligned
}

TEST_F(SurfaceTest, TakesTheDisplayFormatAndVideoMemoryUnlessTold) {
  std::shared_ptr<Surface> surface = Make(4, 4, 0);
  EXPECT_EQ(surface->Format(), MakePixelFormat(PixelLayout::X8R8G8B8));
  EXPECT_TRUE(surface->InVideoMemory());
  EXPECT_EQ(surface->Pitch(), 16);
}

TEST_F(SurfaceTest, PaletteSurfacesLiveInSystemMemoryOnly) {
  PixelFormat palette = MakePixelFormat(PixelLayout::Palette8);
  EXPECT_FALSE(Make(4, 4, 0, palette)->InVideoMemory());
  SurfaceDesc video = DescOf(4, 4, kCapsVideoMemory, palette);
  EXPECT_EQ(TryMake(video), Result::InvalidPixelFormat);
}

TEST_F(SurfaceTest, RefusesDescriptionsThatDoNotFit) {
  PixelFormat bgr = MakePixelFormat(PixelLayout::X8R8G8B8);
  std::swap(bgr.redMask, bgr.blueMask);
  struct Case {
    SurfaceDesc desc;
    Result expected;
  } cases[] = {
      {DescOf(0, 4), Result::InvalidArgument},
      {DescOf(4, -1), Result::InvalidArgument},
      {DescOf(20000, 4), Result::InvalidArgument},
      {DescOf(4, 4, 0, bgr), Result::InvalidPixelFormat},
      {DescOf(4, 4, kCapsVideoMemory | kCapsSystemMemory), Result::InvalidCaps},
      {DescOf(4, 4, kCapsDepthBuffer), Result::InvalidPixelFormat},
      {DescOf(4, 4, 0, MakePixelFormat(PixelLayout::Depth16)), Result::InvalidCaps},
      {DescOf(4, 4, kCapsFlip), Result::InvalidCaps},
  };
  for (const Case& c : cases) EXPECT_EQ(TryMake(c.desc), c.expected) << c.desc.width << "x" << c.desc.height;
}

class SurfaceLockTable : public SurfaceTest, public testing::WithParamInterface<PixelLayout> {};

TEST_P(SurfaceLockTable, PixelsGoInThroughLockAndComeBackWidened) {
  PixelFormat format = MakePixelFormat(GetParam());
  std::shared_ptr<Surface> surface = Make(3, 3, kCapsSystemMemory, format);
  const uint32_t colors[] = {0xFF000000, 0xFFFFFFFF, 0x80877F0F, 0x3C12ABEF};
  for (uint32_t color : colors) {
    LockedPixels locked;
    Rect pixel{2, 1, 3, 2};
    ASSERT_EQ(surface->Lock(&pixel, locked), Result::Ok);
    WritePixel(locked.bits, format.BytesPerPixel(), PixelFromArgb(format, color));
    ASSERT_EQ(surface->Unlock(), Result::Ok);

    ASSERT_EQ(surface->Lock(nullptr, locked), Result::Ok);
    uint32_t stored = ReadPixel(locked.bits + locked.pitch + 2 * format.BytesPerPixel(), format.BytesPerPixel());
    ASSERT_EQ(surface->Unlock(), Result::Ok);
    EXPECT_EQ(stored, PixelFromArgb(format, color));
    EXPECT_EQ(ArgbFromPixel(format, stored), ArgbFromPixel(format, PixelFromArgb(format, color)));
    EXPECT_EQ(PixelFromArgb(format, ArgbFromPixel(format, stored)), stored) << std::hex << color;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, SurfaceLockTable,
                         testing::Values(PixelLayout::X8R8G8B8, PixelLayout::A8R8G8B8, PixelLayout::R5G6B5,
                                         PixelLayout::X1R5G5B5, PixelLayout::A4R4G4B4, PixelLayout::A1R5G5B5));

TEST_F(SurfaceTest, OneLockAtATime) {
  std::shared_ptr<Surface> surface = Make(4, 4, 0);
  LockedPixels locked;
  EXPECT_EQ(surface->Unlock(), Result::NotLocked);
  ASSERT_EQ(surface->Lock(nullptr, locked), Result::Ok);
  EXPECT_EQ(locked.width, 4);
  EXPECT_EQ(locked.pitch, 16);
  LockedPixels again;
  EXPECT_EQ(surface->Lock(nullptr, again), Result::SurfaceBusy);
  EXPECT_EQ(surface->Unlock(), Result::Ok);
  EXPECT_EQ(surface->Unlock(), Result::NotLocked);
}

TEST_F(SurfaceTest, LockedAreaMustLieInside) {
  std::shared_ptr<Surface> surface = Make(4, 4, 0);
  LockedPixels locked;
  for (Rect area : {Rect{-1, 0, 2, 2}, Rect{0, 0, 5, 4}, Rect{2, 2, 2, 3}, Rect{3, 3, 1, 1}}) {
    EXPECT_EQ(surface->Lock(&area, locked), Result::InvalidArgument);
  }
}

TEST_F(SurfaceTest, VideoMemoryBudgetRefusesWhatDoesNotFitAndFreesOnRelease) {
  AdapterConfig config = Config();
  config.videoMemory = 1 << 20;
  MakeDevice(config);
  std::shared_ptr<Surface> first = Make(512, 256, kCapsVideoMemory);  // 512 KB
  std::shared_ptr<Surface> inSystem = Make(512, 256, kCapsSystemMemory);
  DeviceCaps caps;
  ASSERT_EQ(device->GetCaps(caps), Result::Ok);
  EXPECT_EQ(caps.totalVideoMemory, 1u << 20);
  EXPECT_EQ(caps.freeVideoMemory, 512u << 10);

  SurfaceDesc tooBig = DescOf(512, 257, kCapsVideoMemory);
  EXPECT_EQ(TryMake(tooBig), Result::OutOfVideoMemory);
  std::shared_ptr<Surface> second = Make(512, 256, 0);
  ASSERT_EQ(device->GetCaps(caps), Result::Ok);
  EXPECT_EQ(caps.freeVideoMemory, 0u);

  first.reset();
  ASSERT_EQ(device->GetCaps(caps), Result::Ok);
  EXPECT_EQ(caps.freeVideoMemory, 512u << 10);
  EXPECT_NE(Make(512, 256, kCapsVideoMemory), nullptr);
}

TEST_F(SurfaceTest, LostVideoSurfacesKeepGarbageUntilRedrawn) {
  std::shared_ptr<Surface> video = Make(8, 2, kCapsVideoMemory);
  std::shared_ptr<Surface> system = Make(8, 2, kCapsSystemMemory);
  LockedPixels locked;
  adapter->LoseVideoSurfaces();
  EXPECT_EQ(video->IsLost(), Result::SurfaceLost);
  EXPECT_EQ(video->Lock(nullptr, locked), Result::SurfaceLost);
  EXPECT_EQ(system->IsLost(), Result::Ok);

  ASSERT_EQ(video->Restore(), Result::Ok);
  ASSERT_EQ(video->Lock(nullptr, locked), Result::Ok);
  for (int32_t i = 0; i < locked.pitch * locked.height; ++i) {
    ASSERT_EQ(locked.bits[i], Surface::GarbageByte(static_cast<size_t>(i)));
  }
  EXPECT_EQ(video->Unlock(), Result::Ok);
  EXPECT_EQ(system->Lock(nullptr, locked), Result::Ok);
  EXPECT_EQ(locked.bits[0], 0);
}

TEST_F(SurfaceTest, RestoreAllBringsBackEverySurfaceOfTheDeviceOnly) {
  std::shared_ptr<Surface> a = Make(4, 4, 0);
  std::shared_ptr<Surface> b = Make(4, 4, 0);
  std::unique_ptr<Device> other;
  ASSERT_EQ(Device::Create(adapter, 0, other), Result::Ok);
  std::shared_ptr<Surface> others;
  ASSERT_EQ(other->CreateSurface(DescOf(4, 4), others), Result::Ok);
  adapter->LoseVideoSurfaces();
  ASSERT_EQ(device->RestoreAllSurfaces(), Result::Ok);
  EXPECT_EQ(a->IsLost(), Result::Ok);
  EXPECT_EQ(b->IsLost(), Result::Ok);
  EXPECT_EQ(others->IsLost(), Result::SurfaceLost);
}

TEST_F(SurfaceTest, ForcedResultsArriveInQueueOrder) {
  std::shared_ptr<Surface> surface = Make(4, 4, 0);
  adapter->Force(AdapterOperation::Lock, Result::SurfaceLost);
  adapter->Force(AdapterOperation::Lock, Result::WasStillDrawing);
  adapter->Force(AdapterOperation::RestoreAllSurfaces, Result::WrongMode);
  LockedPixels locked;
  EXPECT_EQ(surface->Lock(nullptr, locked), Result::SurfaceLost);
  EXPECT_EQ(surface->Lock(nullptr, locked), Result::WasStillDrawing);
  EXPECT_EQ(device->RestoreAllSurfaces(), Result::WrongMode);
  EXPECT_EQ(surface->Lock(nullptr, locked), Result::Ok);
  EXPECT_EQ(device->RestoreAllSurfaces(), Result::Ok);
}

}  // namespace
