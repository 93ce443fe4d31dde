#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "media/texture/JpegDecoder.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/media/texture/ImageRig.h"

namespace {

using JpegDecoderTest = ImageRig;

// Red, green, blue samples: the left half one colour, the right half another.
std::vector<uint8_t> TwoColours(uint32_t width, uint32_t height) {
  std::vector<uint8_t> samples;
  for (uint32_t y = 0; y < height; y++) {
    for (uint32_t x = 0; x < width; x++) {
      const bool left = x < width / 2;
      samples.insert(samples.end(),
                     {uint8_t(left ? 200 : 20), uint8_t(left ? 40 : 60), uint8_t(left ? 30 : 220)});
    }
  }
  return samples;
}

bool Near(const Bgra& pixel, const Bgra& expected) {
  for (int i = 0; i < 4; i++) {
    if (std::abs(pixel[i] - expected[i]) > 6) return false;
  }
  return true;
}

// A progressive JPEG whose last scan comes again and again.
std::string JpegWithScans(int repeats) {
  const std::string bytes =
      JpegBytes({.width = 16, .height = 16, .samples = TwoColours(16, 16), .progressive = true});
  const size_t lastScan = bytes.rfind("\xFF\xDA");
  const size_t end = bytes.size() - 2;
  std::string repeated = bytes.substr(0, end);
  for (int i = 0; i < repeats; i++) repeated += bytes.substr(lastScan, end - lastScan);
  return repeated + bytes.substr(end);
}

TEST_F(JpegDecoderTest, ColourImagesGiveBlueGreenRedAndOpaqueAlpha) {
  struct Case {
    const char* what;
    int chromaWidthFactor;
    int chromaHeightFactor;
    bool progressive;
  };
  const Case cases[] = {
      {"chroma halved both ways", 2, 2, false},
      {"chroma halved across", 2, 1, false},
      {"full chroma", 1, 1, false},
      {"progressive", 2, 2, true},
  };
  for (const Case& c : cases) {
    const JpegPicture picture{.width = 32,
                              .height = 16,
                              .samples = TwoColours(32, 16),
                              .chromaWidthFactor = c.chromaWidthFactor,
                              .chromaHeightFactor = c.chromaHeightFactor,
                              .progressive = c.progressive};
    Store("colour.jpg", JpegBytes(picture));
    TDecodedImage image;
    ASSERT_TRUE(DecodeJpeg("colour.jpg", image)) << c.what << "\n" << LogText();
    EXPECT_EQ(image.side, 32);
    EXPECT_PRED2(Near, PixelAt(image, 4, 8), (Bgra{30, 40, 200, 255})) << c.what;
    EXPECT_PRED2(Near, PixelAt(image, 27, 8), (Bgra{220, 60, 20, 255})) << c.what;
    EXPECT_TRUE(ZeroOutsideImage(image, 4)) << c.what;
    EXPECT_FALSE(image.hasAlpha);
    EXPECT_FALSE(image.palette);
  }
  Store("rescanned.jpg", JpegWithScans(100));
  TDecodedImage image;
  EXPECT_TRUE(DecodeJpeg("rescanned.jpg", image)) << LogText();
}

TEST_F(JpegDecoderTest, GreyImagesGiveEqualChannelsAndOpaqueAlpha) {
  const JpegPicture picture{.width = 16, .height = 8, .components = 1, .samples = PictureSamples(16, 8, 1)};
  Store("grey.jpg", JpegBytes(picture));
  TDecodedImage image;
  ASSERT_TRUE(DecodeJpeg("grey.jpg", image)) << LogText();
  for (int32_t y = 0; y < image.height; y++) {
    for (int32_t x = 0; x < image.width; x++) {
      const Bgra pixel = PixelAt(image, x, y);
      ASSERT_EQ(pixel[0], pixel[1]) << x << ", " << y;
      ASSERT_EQ(pixel[0], pixel[2]) << x << ", " << y;
      ASSERT_EQ(pixel[3], 255) << x << ", " << y;
      ASSERT_NEAR(pixel[0], picture.samples[y * 16 + x], 12) << x << ", " << y;
    }
  }
}

TEST_F(JpegDecoderTest, ATruncatedFileDecodesWhatItHoldsAfterAWarning) {
  const std::string whole = JpegBytes({.width = 64, .height = 64, .samples = TwoColours(64, 64)});
  const size_t scan = whole.find("\xFF\xDA");
  Store("cut.jpg", whole.substr(0, scan + (whole.size() - scan) / 3));
  TDecodedImage image;
  ASSERT_TRUE(DecodeJpeg("cut.jpg", image)) << LogText();
  EXPECT_EQ(image.side, 64);
  EXPECT_PRED2(Near, PixelAt(image, 4, 0), (Bgra{30, 40, 200, 255}));
  EXPECT_NE(LogText().find("JPEG warning in cut.jpg: Premature end of JPEG file"), std::string::npos);
}

// The bytes with the first marker of the given kind (0xFF, kind) changed.
std::string WithMarker(std::string bytes, uint8_t kind, uint8_t replacement) {
  for (size_t at = 0; at + 1 < bytes.size(); at++) {
    if (uint8_t(bytes[at]) == 0xFF && uint8_t(bytes[at + 1]) == kind) {
      bytes[at + 1] = static_cast<char>(replacement);
      return bytes;
    }
  }
  ADD_FAILURE() << "no marker " << int(kind);
  return bytes;
}

// A baseline JPEG whose frame header claims the size given.
std::string JpegClaiming(uint16_t width, uint16_t height) {
  std::string bytes = JpegBytes({.samples = {1, 2, 3}});
  const size_t frame = bytes.find("\xFF\xC0");
  bytes[frame + 5] = static_cast<char>(height >> 8);
  bytes[frame + 6] = static_cast<char>(height);
  bytes[frame + 7] = static_cast<char>(width >> 8);
  bytes[frame + 8] = static_cast<char>(width);
  return bytes;
}

TEST_F(JpegDecoderTest, BrokenFilesFailWithTheLibrarysMessageAndNothingAllocated) {
  const std::string good = JpegBytes({.width = 16, .height = 16, .samples = TwoColours(16, 16)});
  ExpectRefused(
      "broken.jpg",
      {
          {"missing", std::nullopt, "Unable to open image broken.jpg"},
          {"empty", std::string("\0", 0), "Unable to decode JPEG broken.jpg: Empty input file"},
          {"not a JPEG", "\x89PNG",
           "Unable to decode JPEG broken.jpg: Not a JPEG file: starts with 0x89 0x50"},
          {"without quantisation tables", WithMarker(good, 0xDB, 0xFE),
           "Unable to decode JPEG broken.jpg: Quantization table 0x00 was not defined"},
          {"coded as plain RGB",
           JpegBytes({.width = 16, .height = 16, .samples = TwoColours(16, 16), .codedAsRgb = true}),
           "Unable to decode JPEG broken.jpg: Unsupported color conversion request"},
          {"of 600 scans", JpegWithScans(600), "Unable to decode JPEG broken.jpg: too many scans"},
          {"claiming 60000 x 2", JpegClaiming(60000, 2),
           "Image broken.jpg is too large (60000 x 2, at most 8192 on a side)"},
      },
      DecodeJpeg);
}

}  // namespace
