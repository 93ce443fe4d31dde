#include "system/gfx/PixelFormat.h"

#include <gtest/gtest.h>

namespace {

using sys::gfx::ArgbFromPixel;
using sys::gfx::LayoutOf;
using sys::gfx::MakePixelFormat;
using sys::gfx::PixelFormat;
using sys::gfx::PixelFromArgb;
using sys::gfx::PixelLayout;

struct FormatCase {
  PixelLayout layout;
  uint32_t bitCount;
  uint32_t red, green, blue, alpha;
};

class PixelFormatLayouts : public testing::TestWithParam<FormatCase> {};

TEST_P(PixelFormatLayouts, DescribedByBitCountAndMasksAndKnownAgain) {
  const FormatCase& c = GetParam();
  PixelFormat format = MakePixelFormat(c.layout);
  EXPECT_EQ(format.bitCount, c.bitCount);
  EXPECT_EQ(format.redMask, c.red);
  EXPECT_EQ(format.greenMask, c.green);
  EXPECT_EQ(format.blueMask, c.blue);
  EXPECT_EQ(format.alphaMask, c.alpha);
  EXPECT_EQ(format.HasAlpha(), c.alpha != 0);
  EXPECT_EQ(LayoutOf(format), c.layout);
}

INSTANTIATE_TEST_SUITE_P(
    All, PixelFormatLayouts,
    testing::Values(FormatCase{PixelLayout::X8R8G8B8, 32, 0xFF0000, 0xFF00, 0xFF, 0},
                    FormatCase{PixelLayout::A8R8G8B8, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                    FormatCase{PixelLayout::R5G6B5, 16, 0xF800, 0x07E0, 0x001F, 0},
                    FormatCase{PixelLayout::X1R5G5B5, 16, 0x7C00, 0x03E0, 0x001F, 0},
                    FormatCase{PixelLayout::A4R4G4B4, 16, 0x0F00, 0x00F0, 0x000F, 0xF000},
                    FormatCase{PixelLayout::A1R5G5B5, 16, 0x7C00, 0x03E0, 0x001F, 0x8000},
                    FormatCase{PixelLayout::Palette8, 8, 0, 0, 0, 0}));

TEST(PixelFormat, DepthFormatHoldsSixteenDepthBits) {
  PixelFormat depth = MakePixelFormat(PixelLayout::Depth16);
  EXPECT_TRUE(depth.IsDepth());
  EXPECT_EQ(depth.bitCount, 16u);
  EXPECT_EQ(depth.depthMask, 0xFFFFu);
  EXPECT_EQ(LayoutOf(depth), PixelLayout::Depth16);
}

TEST(PixelFormat, MasksOfNoLayoutAreUnknown) {
  PixelFormat bgr = MakePixelFormat(PixelLayout::X8R8G8B8);
  std::swap(bgr.redMask, bgr.blueMask);
  EXPECT_EQ(LayoutOf(bgr), PixelLayout::Unknown);
}

struct ColorCase {
  PixelLayout layout;
  uint32_t argb;      // what goes in
  uint32_t pixel;     // narrowed by truncation
  uint32_t widened;   // what comes back out, by bit replication
};

class PixelConversions : public testing::TestWithParam<ColorCase> {};

TEST_P(PixelConversions, NarrowByTruncationWidenByReplication) {
  const ColorCase& c = GetParam();
  PixelFormat format = MakePixelFormat(c.layout);
  EXPECT_EQ(PixelFromArgb(format, c.argb), c.pixel);
  EXPECT_EQ(ArgbFromPixel(format, c.pixel), c.widened);
}

INSTANTIATE_TEST_SUITE_P(
    All, PixelConversions,
    testing::Values(
        ColorCase{PixelLayout::X8R8G8B8, 0x80123456, 0x00123456, 0xFF123456},
        ColorCase{PixelLayout::A8R8G8B8, 0x80123456, 0x80123456, 0x80123456},
        // 0x87 -> 5 bits 10000 -> 0x84; 0x7F -> 6 bits 011111 -> 0x7D; 0x0F -> 00001 -> 0x08
        ColorCase{PixelLayout::R5G6B5, 0xFF877F0F, 0x83E1, 0xFF847D08},
        ColorCase{PixelLayout::R5G6B5, 0x00FFFFFF, 0xFFFF, 0xFFFFFFFF},
        ColorCase{PixelLayout::X1R5G5B5, 0xFF877F0F, 0x41E1, 0xFF847B08},
        ColorCase{PixelLayout::A4R4G4B4, 0x9F2A5BC4, 0x925C, 0x992255CC},
        ColorCase{PixelLayout::A1R5G5B5, 0x7FFFFFFF, 0x7FFF, 0x00FFFFFF},
        ColorCase{PixelLayout::A1R5G5B5, 0x80000000, 0x8000, 0xFF000000},
        ColorCase{PixelLayout::Palette8, 0xFFFFFFFF, 0, 0}));

TEST(PixelFormat, PixelsAreReadAndWrittenLittleEndian) {
  uint8_t bytes[4] = {};
  sys::gfx::WritePixel(bytes, 2, 0xABCD);
  EXPECT_EQ(bytes[0], 0xCD);
  EXPECT_EQ(bytes[1], 0xAB);
  EXPECT_EQ(bytes[2], 0);
  EXPECT_EQ(sys::gfx::ReadPixel(bytes, 2), 0xABCDu);
}

}  // namespace
