// The converter's JPEG files are ones the game's decoder takes: baseline,
// YCbCr, one scan; they hold the picture, and the same picture gives the same
// bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "media/texture/JpegDecoder.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/media/texture/ImageRig.h"
#include "tests/support/JpegLayout.h"
#include "tests/support/TempFolder.h"
#include "tools/jpeg/PngToJpeg.h"

namespace {

constexpr uint32_t kWidth = 48;
constexpr uint32_t kHeight = 40;

// Four quarters of four colours, as red, green, blue (and alpha) samples.
std::vector<uint8_t> Quarters(int channels, uint8_t alpha = 255) {
  const uint8_t colours[4][3] = {{220, 40, 30}, {30, 200, 60}, {40, 60, 220}, {240, 220, 60}};
  std::vector<uint8_t> samples;
  for (uint32_t y = 0; y < kHeight; y++) {
    for (uint32_t x = 0; x < kWidth; x++) {
      const uint8_t* colour = colours[(y < kHeight / 2 ? 0 : 2) + (x < kWidth / 2 ? 0 : 1)];
      samples.insert(samples.end(), colour, colour + 3);
      if (channels == 4) samples.push_back(alpha);
    }
  }
  return samples;
}

class PngToJpegTest : public ImageRig {
 protected:
  // Writes the PNG, converts it into the asset "out.jpg" and reads that back.
  bool Convert(const PngPicture& png, int quality = 90) {
    const std::string source = mScratch.File("in.png");
    EXPECT_TRUE(WriteWholeFile(source, PngBytes(png)));
    Store("out.jpg", "");
    const bool converted = ConvertPngToJpeg(source, mFiles.AssetPath("out.jpg"), quality, mError);
    BuildFileIndex();
    return converted;
  }

  std::string Written() const { return ReadWholeFile(mFiles.AssetPath("out.jpg")); }

  TempFolder mScratch;
  std::string mError;
};

bool Near(const Bgra& pixel, int red, int green, int blue) {
  return std::abs(pixel[2] - red) <= 8 && std::abs(pixel[1] - green) <= 8 && std::abs(pixel[0] - blue) <= 8 &&
         pixel[3] == 255;
}

TEST_F(PngToJpegTest, WritesOneBaselineYcbcrScanTheDecoderTakes) {
  ASSERT_TRUE(Convert({.width = kWidth, .height = kHeight, .colourType = PNG_COLOR_TYPE_RGB, .rows = Quarters(3)}))
      << mError;
  const JpegLayout layout = ReadJpegLayout(Written());
  EXPECT_TRUE(layout.baseline);
  EXPECT_FALSE(layout.progressive);
  EXPECT_EQ(layout.components, 3);
  EXPECT_TRUE(layout.ycbcr);
  EXPECT_TRUE(layout.jfif);
  EXPECT_EQ(layout.scans, 1);

  TDecodedImage image;
  ASSERT_TRUE(DecodeJpeg("out.jpg", image));
  EXPECT_EQ(image.width, static_cast<int32_t>(kWidth));
  EXPECT_EQ(image.height, static_cast<int32_t>(kHeight));
  // The middle of each quarter, away from the colour edges.
  EXPECT_TRUE(Near(PixelAt(image, 12, 10), 220, 40, 30));
  EXPECT_TRUE(Near(PixelAt(image, 36, 10), 30, 200, 60));
  EXPECT_TRUE(Near(PixelAt(image, 12, 30), 40, 60, 220));
  EXPECT_TRUE(Near(PixelAt(image, 36, 30), 240, 220, 60));
}

TEST_F(PngToJpegTest, ReadsEveryKindOfPng) {
  struct Case {
    const char* what;
    PngPicture png;
    int red, green, blue;  // expected in the top left quarter
  };
  std::vector<uint8_t> grey(kWidth * kHeight, 90);
  const Case cases[] = {
      {"RGBA, opaque", {.width = kWidth, .height = kHeight, .rows = Quarters(4)}, 220, 40, 30},
      {"RGBA, half see-through, laid over black",
       {.width = kWidth, .height = kHeight, .rows = Quarters(4, 128)}, 110, 20, 15},
      {"grey", {.width = kWidth, .height = kHeight, .colourType = PNG_COLOR_TYPE_GRAY, .rows = grey}, 90, 90, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Convert(c.png)) << mError;
    TDecodedImage image;
    ASSERT_TRUE(DecodeJpeg("out.jpg", image));
    EXPECT_TRUE(Near(PixelAt(image, 12, 10), c.red, c.green, c.blue));
  }
}

TEST_F(PngToJpegTest, TheSamePictureGivesTheSameBytes) {
  const PngPicture png{.width = kWidth, .height = kHeight, .colourType = PNG_COLOR_TYPE_RGB, .rows = Quarters(3)};
  ASSERT_TRUE(Convert(png));
  const std::string first = Written();
  ASSERT_TRUE(Convert(png));
  EXPECT_EQ(Written(), first);
  ASSERT_TRUE(Convert(png, 60));
  EXPECT_LT(Written().size(), first.size());
}

TEST_F(PngToJpegTest, FailuresSayWhyAndLeaveNoFile) {
  const std::string target = mScratch.File("out.jpg");
  struct Case {
    const char* what;
    std::string source;
    int quality;
  };
  ASSERT_TRUE(WriteWholeFile(mScratch.File("text.png"), "not a picture"));
  ASSERT_TRUE(WriteWholeFile(mScratch.File("good.png"),
                             PngBytes({.width = 4, .height = 4, .colourType = PNG_COLOR_TYPE_RGB,
                                       .rows = std::vector<uint8_t>(48, 7)})));
  const Case cases[] = {
      {"missing", mScratch.File("missing.png"), 90},
      {"not a PNG", mScratch.File("text.png"), 90},
      {"quality 0", mScratch.File("good.png"), 0},
      {"quality 101", mScratch.File("good.png"), 101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    EXPECT_FALSE(ConvertPngToJpeg(c.source, target, c.quality, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadWholeFile(target), "");
    EXPECT_EQ(ReadWholeFile(target + ".tmp"), "");
  }
}

}  // namespace
