#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "media/texture/PngDecoder.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/media/texture/ImageRig.h"
#include "tests/support/PackWriter.h"

namespace {

using PngDecoderTest = ImageRig;

std::vector<Bgra> FirstRow(const TDecodedImage& image) {
  std::vector<Bgra> row;
  for (int32_t x = 0; x < image.width; x++) row.push_back(PixelAt(image, x, 0));
  return row;
}

const std::vector<png_color> kPalette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};

TEST_F(PngDecoderTest, EveryKindOfPixelBecomesBlueGreenRedAlpha) {
  const png_color_16 rgbKey{0, 10, 20, 30, 0};
  const png_color_16 greyKey{0, 0, 0, 0, 7};
  struct Case {
    const char* what;
    PngPicture picture;
    std::vector<Bgra> expected;
    bool hasAlpha;
  };
  const Case cases[] = {
      {"rgba",
       {.width = 2, .rows = {10, 20, 30, 40, 50, 60, 70, 80}},
       {{30, 20, 10, 40}, {70, 60, 50, 80}},
       true},
      {"rgb",
       {.width = 2, .colourType = PNG_COLOR_TYPE_RGB, .rows = {10, 20, 30, 40, 50, 60}},
       {{30, 20, 10, 255}, {60, 50, 40, 255}},
       false},
      {"grey",
       {.width = 2, .colourType = PNG_COLOR_TYPE_GRAY, .rows = {7, 200}},
       {{7, 7, 7, 255}, {200, 200, 200, 255}},
       false},
      {"grey with alpha",
       {.width = 2, .colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .rows = {7, 100, 200, 0}},
       {{7, 7, 7, 100}, {200, 200, 200, 0}},
       true},
      {"16-bit rgba keeps the high bytes",
       {.width = 2,
        .bitDepth = 16,
        .rows = {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0xde, 0xf0, 0xff, 0xff, 0, 0, 0x80, 0, 0, 0xff}},
       {{0x9a, 0x56, 0x12, 0xde}, {0x80, 0, 0xff, 0}},
       true},
      {"2-bit grey",
       {.width = 4, .colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = 2, .rows = {0x1b}},
       {{0, 0, 0, 255}, {85, 85, 85, 255}, {170, 170, 170, 255}, {255, 255, 255, 255}},
       false},
      {"palette",
       {.width = 2, .colourType = PNG_COLOR_TYPE_PALETTE, .rows = {1, 0}, .palette = kPalette},
       {{6, 5, 4, 255}, {3, 2, 1, 255}},
       false},
      {"4-bit palette",
       {.width = 2, .colourType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 4, .rows = {0x20}, .palette = kPalette},
       {{9, 8, 7, 255}, {3, 2, 1, 255}},
       false},
      {"palette with a transparent entry",
       {.width = 2,
        .colourType = PNG_COLOR_TYPE_PALETTE,
        .rows = {0, 1},
        .palette = kPalette,
        .paletteAlphas = {0}},
       {{3, 2, 1, 0}, {6, 5, 4, 255}},
       true},
      {"rgb with a transparent colour",
       {.width = 2,
        .colourType = PNG_COLOR_TYPE_RGB,
        .rows = {10, 20, 30, 40, 50, 60},
        .transparentColour = &rgbKey},
       {{30, 20, 10, 0}, {60, 50, 40, 255}},
       true},
      {"grey with a transparent grey",
       {.width = 2, .colourType = PNG_COLOR_TYPE_GRAY, .rows = {7, 200}, .transparentColour = &greyKey},
       {{7, 7, 7, 0}, {200, 200, 200, 255}},
       true},
      {"interlaced",
       {.width = 8, .colourType = PNG_COLOR_TYPE_GRAY, .rows = {0, 1, 2, 3, 4, 5, 6, 7}, .interlaced = true},
       {{0, 0, 0, 255},
        {1, 1, 1, 255},
        {2, 2, 2, 255},
        {3, 3, 3, 255},
        {4, 4, 4, 255},
        {5, 5, 5, 255},
        {6, 6, 6, 255},
        {7, 7, 7, 255}},
       false},
  };
  for (const Case& c : cases) {
    Store("kind.png", PngBytes(c.picture));
    TDecodedImage image;
    ASSERT_TRUE(DecodePng("kind.png", "", false, image)) << c.what << "\n" << LogText();
    EXPECT_EQ(FirstRow(image), c.expected) << c.what;
    EXPECT_EQ(image.hasAlpha, c.hasAlpha) << c.what;
    EXPECT_EQ(image.palette != nullptr, c.picture.colourType == PNG_COLOR_TYPE_PALETTE) << c.what;
  }
}

TEST_F(PngDecoderTest, AFileGammaIsCorrectedForTheScreen) {
  struct Case {
    double gamma;
    uint8_t expected;
  };
  for (const Case& c : {Case{0, 128}, Case{1 / 2.2, 128}, Case{1.0, 186}}) {
    PngPicture picture{.colourType = PNG_COLOR_TYPE_GRAY, .rows = {128}, .gamma = c.gamma};
    Store("gamma.png", PngBytes(picture));
    TDecodedImage image;
    ASSERT_TRUE(DecodePng("gamma.png", "", false, image));
    EXPECT_NEAR(PixelAt(image, 0, 0)[0], c.expected, 1) << "file gamma " << c.gamma;
  }
}

PngPicture PalettePicture() {
  return {.width = 3,
          .height = 2,
          .colourType = PNG_COLOR_TYPE_PALETTE,
          .rows = {0, 1, 2, 2, 1, 0},
          .palette = kPalette,
          .paletteAlphas = {0}};
}

TEST_F(PngDecoderTest, IndicesComeWithTheFullPaletteTable) {
  Store("indexed.png", PngBytes(PalettePicture()));
  TDecodedImage image;
  ASSERT_TRUE(DecodePng("indexed.png", "", true, image));
  EXPECT_EQ(image.side, 4);
  const std::vector<uint8_t> indices(image.pixels.get(), image.pixels.get() + 16);
  EXPECT_EQ(indices, (std::vector<uint8_t>{0, 1, 2, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(image.hasAlpha);
  ASSERT_TRUE(image.palette);
  const TPaletteEntry& transparent = image.palette[0];
  EXPECT_EQ(std::vector<int>({transparent.blue, transparent.green, transparent.red, transparent.alpha}),
            std::vector<int>({3, 2, 1, 0}));
  EXPECT_EQ(image.palette[2].blue, 9);
  EXPECT_EQ(image.palette[2].alpha, 255);
  for (int i = 3; i < kPaletteEntries; i++) {
    const TPaletteEntry& past = image.palette[i];
    ASSERT_EQ(past.blue | past.green | past.red, 0) << i;
    ASSERT_EQ(past.alpha, 255) << i;
  }
}

TEST_F(PngDecoderTest, IndicesOfAnOpaquePaletteHaveNoAlpha) {
  PngPicture picture = PalettePicture();
  picture.paletteAlphas = {255, 255};
  Store("opaque.png", PngBytes(picture));
  TDecodedImage image;
  ASSERT_TRUE(DecodePng("opaque.png", "", true, image));
  EXPECT_FALSE(image.hasAlpha);
}

TEST_F(PngDecoderTest, IndicesOfAnyOtherImageAreRefused) {
  PngPicture fourBits = PalettePicture();
  fourBits.bitDepth = 4;
  fourBits.rows = {0x01, 0x20, 0x21, 0x00};
  const PngPicture rgb{.colourType = PNG_COLOR_TYPE_RGB, .rows = {1, 2, 3}};
  for (const PngPicture& picture : {fourBits, rgb}) {
    Store("refused.png", PngBytes(picture));
    TDecodedImage image;
    EXPECT_FALSE(DecodePng("refused.png", "", true, image));
    EXPECT_TRUE(IsEmpty(image));
  }
  EXPECT_NE(LogText().find("no palette image of 8 bits"), std::string::npos);
}

TEST_F(PngDecoderTest, ARiffPaletteReplacesThePaletteColoursInOrder) {
  struct Case {
    const char* what;
    std::string paletteFile;     // "" stores none
    std::vector<Bgra> expected;  // the first four table entries
  };
  const Case cases[] = {
      {"fewer colours",
       RiffPaletteBytes({{100, 101, 102}, {110, 111, 112}}),
       {{102, 101, 100, 0}, {112, 111, 110, 255}, {9, 8, 7, 255}, {0, 0, 0, 255}}},
      {"more colours than the image has",
       RiffPaletteBytes({{100, 101, 102}, {110, 111, 112}, {120, 121, 122}, {130, 131, 132}}),
       {{102, 101, 100, 0}, {112, 111, 110, 255}, {122, 121, 120, 255}, {0, 0, 0, 255}}},
      {"chunk size below 8",
       RiffPaletteBytes({{100, 101, 102}}, 4),
       {{3, 2, 1, 0}, {6, 5, 4, 255}, {9, 8, 7, 255}, {0, 0, 0, 255}}},
      {"no RIFF file", "PAL", {{3, 2, 1, 0}, {6, 5, 4, 255}, {9, 8, 7, 255}, {0, 0, 0, 255}}},
      {"no file at all", "", {{3, 2, 1, 0}, {6, 5, 4, 255}, {9, 8, 7, 255}, {0, 0, 0, 255}}},
  };
  Store("indexed.png", PngBytes(PalettePicture()));
  for (const Case& c : cases) {
    Remove("pal/night.pal");
    if (!c.paletteFile.empty()) Store("pal/night.pal", c.paletteFile);
    for (bool wantIndices : {true, false}) {
      TDecodedImage image;
      ASSERT_TRUE(DecodePng("indexed.png", "pal/night.pal", wantIndices, image)) << c.what;
      std::vector<Bgra> table;
      for (int i = 0; i < 4; i++) {
        table.push_back(
            {image.palette[i].blue, image.palette[i].green, image.palette[i].red, image.palette[i].alpha});
      }
      EXPECT_EQ(table, c.expected) << c.what;
      if (!wantIndices) {
        EXPECT_EQ(FirstRow(image), std::vector<Bgra>(c.expected.begin(), c.expected.begin() + 3)) << c.what;
      }
    }
  }
}

// The bytes of a 1 x 1 PNG whose header claims another size, with its
// checksum made right again.
std::string PngClaiming(uint32_t width, uint32_t height) {
  std::string bytes = PngBytes({.rows = {1, 2, 3, 4}});
  const size_t typeAt = 12;  // after the signature and the header's length
  for (int i = 0; i < 4; i++) {
    bytes[typeAt + 4 + i] = static_cast<char>(width >> (24 - 8 * i));
    bytes[typeAt + 8 + i] = static_cast<char>(height >> (24 - 8 * i));
  }
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + typeAt), 17);
  for (int i = 0; i < 4; i++) bytes[typeAt + 17 + i] = static_cast<char>(crc >> (24 - 8 * i));
  return bytes;
}

TEST_F(PngDecoderTest, BrokenFilesFailWithALogLineAndNothingAllocated) {
  const std::string good = PngBytes({.width = 64, .height = 64, .rows = PictureSamples(64, 64, 4)});
  std::string badChecksum = good;
  badChecksum[20] ^= 1;
  const size_t endChunk = good.size() - 12;
  ExpectRefused(
      "broken.png",
      {
          {"missing", std::nullopt, "Unable to open image broken.png"},
          {"not a PNG", "GIF89a and more", "Unable to decode PNG broken.png: no PNG signature"},
          {"cut in its image data", good.substr(0, good.size() / 2),
           "Unable to decode PNG broken.png: Read Error"},
          {"cut before its end chunk", good.substr(0, endChunk),
           "Unable to decode PNG broken.png: Read Error"},
          {"a bad header checksum", badChecksum, "Unable to decode PNG broken.png: IHDR: CRC error"},
          {"claiming 100000 x 100000", PngClaiming(100000, 100000),
           "Image broken.png is too large (100000 x 100000, at most 8192 on a side)"},
      },
      [](const TString& name, TDecodedImage& image) { return DecodePng(name, "", false, image); });
}

TEST_F(PngDecoderTest, PackedFilesDecodeLikeLooseOnes) {
  const std::string bytes = PngBytes({.width = 2, .rows = {10, 20, 30, 40, 50, 60, 70, 80}});
  Store("images.vqp", PackWriter().Add("images/packed.png", bytes).Bytes());
  TDecodedImage image;
  ASSERT_TRUE(DecodePng("images/packed.png", "", false, image)) << LogText();
  EXPECT_EQ(FirstRow(image), (std::vector<Bgra>{{30, 20, 10, 40}, {70, 60, 50, 80}}));
}

}  // namespace
