#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "system/gfx/Device.h"
#include "tests/support/FakeNativeWindow.h"

// A device over a configured adapter, drawing for a fake window, with
// helpers to make surfaces and read or write their pixels.
class GfxRig : public testing::Test {
 protected:
  void SetUp() override { MakeDevice(Config()); }

  static sys::gfx::AdapterConfig Config() {
    sys::gfx::AdapterConfig config;
    config.modes = {{800, 600, 16}, {800, 600, 32}, {640, 480, 32}};
    return config;
  }

  void MakeDevice(sys::gfx::AdapterConfig config) {
    window.SetDesktop(config.desktop.width, config.desktop.height);
    device.reset();
    adapter = sys::gfx::Adapter::Create(std::move(config));
    ASSERT_EQ(sys::gfx::Device::Create(adapter, 0, device), sys::gfx::Result::Ok);
    ASSERT_EQ(device->SetCooperativeLevel(&window, sys::gfx::CooperativeLevel::Normal), sys::gfx::Result::Ok);
  }

  static sys::gfx::SurfaceDesc DescOf(int32_t width, int32_t height, uint32_t caps = 0,
                                      std::optional<sys::gfx::PixelFormat> format = std::nullopt) {
    sys::gfx::SurfaceDesc desc;
    desc.width = width;
    desc.height = height;
    desc.caps = caps;
    desc.format = format;
    return desc;
  }

  std::shared_ptr<sys::gfx::Surface> Make(int32_t width, int32_t height, uint32_t caps = 0,
                                          std::optional<sys::gfx::PixelFormat> format = std::nullopt) {
    std::shared_ptr<sys::gfx::Surface> surface;
    EXPECT_EQ(device->CreateSurface(DescOf(width, height, caps, format), surface), sys::gfx::Result::Ok);
    return surface;
  }

  sys::gfx::Result TryMake(const sys::gfx::SurfaceDesc& desc) {
    std::shared_ptr<sys::gfx::Surface> surface;
    return device->CreateSurface(desc, surface);
  }

  std::shared_ptr<sys::gfx::Surface> Make(int32_t width, int32_t height, sys::gfx::PixelLayout layout) {
    return Make(width, height, sys::gfx::kCapsSystemMemory, sys::gfx::MakePixelFormat(layout));
  }

  static uint32_t PixelAt(sys::gfx::Surface& surface, int32_t x, int32_t y) {
    sys::gfx::LockedPixels locked;
    sys::gfx::Rect pixel{x, y, x + 1, y + 1};
    EXPECT_EQ(surface.Lock(&pixel, locked), sys::gfx::Result::Ok);
    uint32_t value = sys::gfx::ReadPixel(locked.bits, locked.format.BytesPerPixel());
    EXPECT_EQ(surface.Unlock(), sys::gfx::Result::Ok);
    return value;
  }

  static void SetPixel(sys::gfx::Surface& surface, int32_t x, int32_t y, uint32_t value) {
    sys::gfx::LockedPixels locked;
    sys::gfx::Rect pixel{x, y, x + 1, y + 1};
    ASSERT_EQ(surface.Lock(&pixel, locked), sys::gfx::Result::Ok);
    sys::gfx::WritePixel(locked.bits, locked.format.BytesPerPixel(), value);
    ASSERT_EQ(surface.Unlock(), sys::gfx::Result::Ok);
  }

  // Every pixel gets its own value: x + 16 * y + 1.
  static void Number(sys::gfx::Surface& surface) {
    for (int32_t y = 0; y < surface.Height(); ++y) {
      for (int32_t x = 0; x < surface.Width(); ++x) SetPixel(surface, x, y, static_cast<uint32_t>(x + 16 * y + 1));
    }
  }

  FakeNativeWindow window;
  std::shared_ptr<sys::gfx::Adapter> adapter;
  std::unique_ptr<sys::gfx::Device> device;
};
