#include "tests/media/display/OpenDisplayRig.h"

void OpenDisplayRig::Open(int32_t width, int32_t height, bool fullScreen, uint32_t bitCount) {
  platform.displayHandler = nullptr;
  display.reset();
  display = std::make_unique<TDx3dDisplayHandler>(adapter);
  display->GetData().mLowMemoryVideo = bitCount == 16;
  platform.displayHandler = display.get();
  ASSERT_TRUE(OpenDisplay(*display, width, height, fullScreen));
}

std::shared_ptr<sys::gfx::Surface> OpenDisplayRig::MakeSurface(int32_t width, int32_t height,
                                                               sys::gfx::PixelLayout layout, bool renderTarget) {
  sys::gfx::SurfaceDesc desc;
  desc.width = width;
  desc.height = height;
  desc.caps = sys::gfx::kCapsTexture;
  if (renderTarget) desc.caps |= sys::gfx::kCaps3dDevice;
  desc.format = sys::gfx::MakePixelFormat(layout);
  std::shared_ptr<sys::gfx::Surface> surface;
  EXPECT_EQ(Data().mDirectDraw->CreateSurface(desc, surface), sys::gfx::Result::Ok);
  return surface;
}

std::shared_ptr<TTexture> OpenDisplayRig::MakeTexture(int32_t width, int32_t height, sys::gfx::PixelLayout layout,
                                                      uint8_t flags) {
  return TextureOver(MakeSurface(width, height, layout, flags & TTextureData::kRenderTarget), flags);
}

std::vector<sys::gfx::TransformedVertex> OpenDisplayRig::Quad(float left, float top, float right, float bottom,
                                                              uint32_t diffuse) {
  auto at = [diffuse](float x, float y, float u, float v) {
    return sys::gfx::TransformedVertex{x, y, 0.5f, 1.0f, diffuse, 0xFF000000, u, v};
  };
  return {at(left, top, 0, 0), at(right, top, 1, 0), at(right, bottom, 1, 1), at(left, bottom, 0, 1)};
}

void OpenDisplayRig::DrawQuad(float left, float top, float right, float bottom, uint32_t diffuse) {
  Draw(Quad(left, top, right, bottom, diffuse));
}

void OpenDisplayRig::Draw(std::vector<sys::gfx::TransformedVertex> vertices, int32_t primitiveType) {
  TVertexList list;
  list.InitKind2(vertices.data(), static_cast<int32_t>(vertices.size()));
  display->DrawVertices(primitiveType, &list);
}

uint32_t OpenDisplayRig::ColourAt(sys::gfx::Surface& surface, int32_t x, int32_t y) {
  sys::gfx::LockedPixels locked;
  sys::gfx::Rect pixel{x, y, x + 1, y + 1};
  EXPECT_EQ(surface.Lock(&pixel, locked), sys::gfx::Result::Ok);
  uint32_t value = sys::gfx::ReadPixel(locked.bits, locked.format.BytesPerPixel());
  EXPECT_EQ(surface.Unlock(), sys::gfx::Result::Ok);
  return sys::gfx::ArgbFromPixel(surface.Format(), value);
}

std::vector<uint32_t> OpenDisplayRig::Pixels(sys::gfx::Surface& surface) {
  std::vector<uint32_t> pixels;
  sys::gfx::LockedPixels locked;
  EXPECT_EQ(surface.Lock(nullptr, locked), sys::gfx::Result::Ok);
  uint32_t bytes = locked.format.BytesPerPixel();
  for (int32_t y = 0; y < locked.height; ++y) {
    for (int32_t x = 0; x < locked.width; ++x) {
      uint32_t value = sys::gfx::ReadPixel(locked.bits + y * locked.pitch + x * bytes, bytes);
      pixels.push_back(sys::gfx::ArgbFromPixel(locked.format, value));
    }
  }
  EXPECT_EQ(surface.Unlock(), sys::gfx::Result::Ok);
  return pixels;
}

int OpenDisplayRig::CountNot(sys::gfx::Surface& surface, uint32_t colour) {
  int count = 0;
  for (uint32_t pixel : Pixels(surface)) count += pixel != colour;
  return count;
}
