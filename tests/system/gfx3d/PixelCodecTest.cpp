// The rasterizer's inline pixel reading and writing must agree with the
// format conversions of the surfaces, bit for bit.
#include <gtest/gtest.h>

#include <random>

#include "system/gfx/raster/PixelCodec.h"

namespace {

using namespace sys::gfx;

TEST(PixelCodec, AgreesWithTheFormatConversions) {
  std::mt19937 random(7);
  for (const PixelLayout layout : {PixelLayout::X8R8G8B8, PixelLayout::A8R8G8B8, PixelLayout::R5G6B5,
                                   PixelLayout::X1R5G5B5, PixelLayout::A1R5G5B5, PixelLayout::A4R4G4B4}) {
    const PixelFormat format = MakePixelFormat(layout);
    const auto bytes = static_cast<uint32_t>(BytesPerPixel(layout));
    for (int n = 0; n < 2000; ++n) {
      const uint32_t value = n < 256 ? n * 0x01010101u : random();
      uint8_t stored[4] = {};
      StoreArgb(layout, stored, value);
      ASSERT_EQ(ReadPixel(stored, bytes), PixelFromArgb(format, value)) << static_cast<int>(layout) << std::hex << value;
      const uint32_t pixel = bytes == 4 ? value : value & 0xFFFF;
      WritePixel(stored, bytes, pixel);
      ASSERT_EQ(LoadArgb(layout, stored), ArgbFromPixel(format, pixel)) << static_cast<int>(layout) << std::hex << pixel;
    }
  }
}

}  // namespace
