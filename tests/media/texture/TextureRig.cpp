#include "tests/media/texture/TextureRig.h"

#include <cstring>

std::string TextureRig::PngOf(int32_t width, int32_t height, const PictureColours& colours, bool alpha) {
  PngPicture picture;
  picture.width = static_cast<uint32_t>(width);
  picture.height = static_cast<uint32_t>(height);
  picture.colourType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t argb = colours(x, y);
      for (int shift : {16, 8, 0, 24}) {
        if (shift != 24 || alpha) picture.rows.push_back(static_cast<uint8_t>(argb >> shift));
      }
    }
  }
  return PngBytes(picture);
}

std::string TextureRig::JpegOf(int32_t width, int32_t height, const PictureColours& colours) {
  JpegPicture picture;
  picture.width = static_cast<uint32_t>(width);
  picture.height = static_cast<uint32_t>(height);
  picture.quality = 100;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t argb = colours(x, y);
      for (int shift : {16, 8, 0}) picture.samples.push_back(static_cast<uint8_t>(argb >> shift));
    }
  }
  return JpegBytes(picture);
}

std::string TextureRig::PalettePngOf(int32_t width, int32_t height, const std::vector<uint8_t>& indices,
                                     const std::vector<png_color>& palette) {
  PngPicture picture;
  picture.width = static_cast<uint32_t>(width);
  picture.height = static_cast<uint32_t>(height);
  picture.colourType = PNG_COLOR_TYPE_PALETTE;
  picture.rows = indices;
  picture.palette = palette;
  return PngBytes(picture);
}

uint32_t TextureRig::PixelAt(sys::gfx::Surface& surface, int32_t x, int32_t y) {
  sys::gfx::LockedPixels locked;
  sys::gfx::Rect pixel{x, y, x + 1, y + 1};
  EXPECT_EQ(surface.Lock(&pixel, locked), sys::gfx::Result::Ok);
  const uint32_t value = sys::gfx::ReadPixel(locked.bits, locked.format.BytesPerPixel());
  surface.Unlock();
  return value;
}

std::vector<uint32_t> TextureRig::LockedPixels(const std::shared_ptr<TTexture>& texture) {
  void* bits = nullptr;
  int32_t width = 0, height = 0, pitch = 0;
  std::vector<uint32_t> pixels;
  EXPECT_TRUE(texture->Lock(&bits, &width, &height, &pitch));
  if (!bits) return pixels;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(bits) + static_cast<size_t>(y) * static_cast<size_t>(pitch);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t pixel;
      std::memcpy(&pixel, row + x * 4, 4);
      pixels.push_back(pixel);
    }
  }
  texture->Unlock();
  return pixels;
}

void TextureRig::BeginFrame() {
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  ASSERT_TRUE(display->BeginDraw(false));
  ASSERT_TRUE(platform.Begin2d());
}

void TextureRig::EndFrame() {
  platform.End2d();
  display->EndDraw(false);
}
