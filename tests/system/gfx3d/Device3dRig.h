#pragma once

#include <memory>
#include <vector>

#include "system/gfx/Device3d.h"
#include "tests/system/gfx/GfxRig.h"

// A 3D device on a 32 x 32 target of 3D-device caps, with a 16-bit depth
// surface attached, and helpers to draw and read back.
class Device3dRig : public GfxRig {
 protected:
  static constexpr int32_t kSide = 32;

  void SetUp() override {
    GfxRig::SetUp();
    target = MakeTarget(kSide, kSide, sys::gfx::PixelLayout::X8R8G8B8, true);
    ASSERT_EQ(MakeDevice3d(target), sys::gfx::Result::Ok);
  }

  std::shared_ptr<sys::gfx::Surface> MakeTarget(int32_t width, int32_t height, sys::gfx::PixelLayout layout,
                                                bool withDepth, uint32_t caps = sys::gfx::kCaps3dDevice) {
    auto surface = Make(width, height, caps | sys::gfx::kCapsSystemMemory, sys::gfx::MakePixelFormat(layout));
    if (withDepth) {
      auto depth = Make(width, height, sys::gfx::kCapsDepthBuffer | sys::gfx::kCapsSystemMemory,
                        sys::gfx::MakePixelFormat(sys::gfx::PixelLayout::Depth16));
      EXPECT_EQ(surface->AttachSurface(depth), sys::gfx::Result::Ok);
    }
    return surface;
  }

  sys::gfx::Result MakeDevice3d(std::shared_ptr<sys::gfx::Surface> on) {
    const auto devices = sys::gfx::Device3d::Enumerate(*device);
    return sys::gfx::Device3d::Create(*device, devices.at(0).guid, std::move(on), device3d);
  }

  // Colour at (x, y) of a surface, as 0xAARRGGBB.
  static uint32_t ColourAt(sys::gfx::Surface& surface, int32_t x, int32_t y) {
    return sys::gfx::ArgbFromPixel(surface.Format(), PixelAt(surface, x, y));
  }

  // Pixels of the surface that are not `colour`.
  static int CountNot(sys::gfx::Surface& surface, uint32_t colour) {
    int count = 0;
    for (int32_t y = 0; y < surface.Height(); ++y) {
      for (int32_t x = 0; x < surface.Width(); ++x) count += ColourAt(surface, x, y) != colour;
    }
    return count;
  }

  static sys::gfx::TransformedVertex Screen(float x, float y, uint32_t diffuse = 0xFFFFFFFF, float z = 0.5f) {
    return {x, y, z, 1.0f, diffuse, 0, 0, 0};
  }

  // A quad as a fan, clockwise on the screen.
  static std::vector<sys::gfx::TransformedVertex> ScreenQuad(float left, float top, float right, float bottom,
                                                             uint32_t diffuse = 0xFFFFFFFF, float z = 0.5f) {
    return {Screen(left, top, diffuse, z), Screen(right, top, diffuse, z), Screen(right, bottom, diffuse, z),
            Screen(left, bottom, diffuse, z)};
  }

  sys::gfx::Result DrawFan(const std::vector<sys::gfx::TransformedVertex>& vertices) {
    return device3d->DrawPrimitive(sys::gfx::PrimitiveType::TriangleFan, sys::gfx::VertexLayout::Transformed,
                                   vertices.data(), static_cast<uint32_t>(vertices.size()));
  }

  std::shared_ptr<sys::gfx::Surface> target;
  std::unique_ptr<sys::gfx::Device3d> device3d;
};
