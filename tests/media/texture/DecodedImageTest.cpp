#include <gtest/gtest.h>

#include <string>

#include "media/texture/JpegDecoder.h"
#include "media/texture/PngDecoder.h"
#include "media/texture/TDecodedImage.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/media/texture/ImageRig.h"

namespace {

using DecodedImageTest = ImageRig;

TEST_F(DecodedImageTest, SideIsThePowerOfTwoAboveTheLargerSize) {
  struct Case {
    int64_t width;
    int64_t height;
    int32_t side;
  };
  const Case cases[] = {
      {1, 1, 1},           {2, 1, 2},      {3, 5, 8},       {5, 3, 8},
      {512, 512, 512},     {513, 2, 1024}, {1, 8192, 8192}, {8193, 1, 0},
      {100000, 100000, 0}, {0, 5, 0},      {5, -1, 0},      {int64_t(1) << 40, 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageSide("a.png", c.width, c.height), c.side) << c.width << " x " << c.height;
  }
  EXPECT_NE(LogText().find("Image a.png is too large (100000 x 100000, at most 8192 on a side)"),
            std::string::npos);
}

// Every decoder puts the image in the top-left corner of the square buffer
// and zeros the rest.
enum class Format { Png, Jpeg };

class SquareBufferTest : public ImageRig, public testing::WithParamInterface<Format> {
 protected:
  bool Decode(uint32_t width, uint32_t height, TDecodedImage& image) {
    const std::vector<uint8_t> grey(static_cast<size_t>(width) * height * 3, 0x80);
    if (GetParam() == Format::Png) {
      PngPicture picture{.width = width, .height = height, .colourType = PNG_COLOR_TYPE_RGB, .rows = grey};
      Store("image.png", PngBytes(picture));
      return DecodePng("image.png", "", false, image);
    }
    Store("image.jpg", JpegBytes({.width = width, .height = height, .samples = grey}));
    return DecodeJpeg("image.jpg", image);
  }
};

TEST_P(SquareBufferTest, TheImageSitsTopLeftWithZerosAround) {
  struct Case {
    uint32_t width;
    uint32_t height;
    int32_t side;
  };
  for (const Case& c : {Case{1, 1, 1}, Case{3, 5, 8}, Case{5, 3, 8}, Case{512, 512, 512}}) {
    TDecodedImage image;
    ASSERT_TRUE(Decode(c.width, c.height, image)) << LogText();
    EXPECT_EQ(image.side, c.side);
    EXPECT_EQ(image.width, static_cast<int32_t>(c.width));
    EXPECT_EQ(image.height, static_cast<int32_t>(c.height));
    EXPECT_NEAR(PixelAt(image, c.width - 1, c.height - 1)[1], 0x80, 2);
    EXPECT_EQ(PixelAt(image, c.width - 1, c.height - 1)[3], 0xff);
    EXPECT_TRUE(ZeroOutsideImage(image, 4)) << c.width << " x " << c.height;
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, SquareBufferTest, testing::Values(Format::Png, Format::Jpeg),
                         [](const auto& info) { return info.param == Format::Png ? "Png" : "Jpeg"; });

}  // namespace
