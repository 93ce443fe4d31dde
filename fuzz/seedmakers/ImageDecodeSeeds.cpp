// Writes the seeds of ImageDecodeFuzz, each prefixed as that program reads
// its input: small PNGs of every colour type and depth, JPEGs of every kind
// the decoder meets, and a palette PNG with a RIFF palette. Built and run by
// ImageDecodeSeeds.sh beside it.

#include <fstream>
#include <string>

#include "tests/media/texture/ImageFiles.h"

namespace {

std::string gFolder;

void Seed(const std::string& name, char mode, const std::string& bytes) {
  std::ofstream(gFolder + "/" + name, std::ios::binary) << mode << bytes;
}

void PngSeeds() {
  const std::vector<png_color> palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  const png_color_16 key{0, 10, 20, 30, 0};
  Seed("png-rgba", 0, PngBytes({.width = 4, .height = 3, .rows = PictureSamples(4, 3, 4)}));
  Seed("png-rgb-gamma", 0,
       PngBytes({.width = 3,
                 .height = 5,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .rows = PictureSamples(3, 5, 3),
                 .gamma = 1.0}));
  Seed("png-rgb-key", 0,
       PngBytes({.width = 2,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .rows = {10, 20, 30, 40, 50, 60},
                 .transparentColour = &key}));
  Seed("png-grey2", 0,
       PngBytes({.width = 4, .colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = 2, .rows = {0x1b}}));
  Seed("png-grey-alpha", 0,
       PngBytes({.width = 2,
                 .height = 2,
                 .colourType = PNG_COLOR_TYPE_GRAY_ALPHA,
                 .rows = PictureSamples(2, 2, 2)}));
  Seed("png-rgba16", 0, PngBytes({.width = 2, .height = 2, .bitDepth = 16, .rows = PictureSamples(2, 2, 8)}));
  Seed("png-interlaced", 0,
       PngBytes({.width = 9,
                 .height = 9,
                 .colourType = PNG_COLOR_TYPE_GRAY,
                 .rows = PictureSamples(9, 9, 1),
                 .interlaced = true}));
  const PngPicture indexed{.width = 3,
                           .height = 2,
                           .colourType = PNG_COLOR_TYPE_PALETTE,
                           .rows = {0, 1, 2, 2, 1, 0},
                           .palette = palette,
                           .paletteAlphas = {0}};
  Seed("png-palette", 0, PngBytes(indexed));
  Seed("png-palette-indices", 1, PngBytes(indexed));
  Seed("png-palette4", 1,
       PngBytes({.width = 2,
                 .colourType = PNG_COLOR_TYPE_PALETTE,
                 .bitDepth = 4,
                 .rows = {0x20},
                 .palette = palette}));
  std::string riff = RiffPaletteBytes({{100, 101, 102}, {110, 111, 112}});
  const std::string lengthAndRiff = std::string{char(riff.size() & 0xff), char(riff.size() >> 8)} + riff;
  Seed("png-riff-indices", 3 | 4, lengthAndRiff + PngBytes(indexed));
  Seed("png-riff-pixels", 3, lengthAndRiff + PngBytes(indexed));
}

void JpegSeeds() {
  const std::vector<uint8_t> colour = PictureSamples(16, 16, 3);
  Seed("jpeg-colour420", 2, JpegBytes({.width = 16, .height = 16, .samples = colour}));
  Seed("jpeg-colour422", 2,
       JpegBytes({.width = 16, .height = 16, .samples = colour, .chromaHeightFactor = 1}));
  Seed("jpeg-colour444", 2,
       JpegBytes(
           {.width = 16, .height = 16, .samples = colour, .chromaWidthFactor = 1, .chromaHeightFactor = 1}));
  Seed("jpeg-progressive", 2, JpegBytes({.width = 16, .height = 16, .samples = colour, .progressive = true}));
  Seed("jpeg-grey", 2,
       JpegBytes({.width = 8, .height = 8, .components = 1, .samples = PictureSamples(8, 8, 1)}));
  Seed("jpeg-plain-rgb", 2,
       JpegBytes({.width = 8, .height = 8, .samples = PictureSamples(8, 8, 3), .codedAsRgb = true}));
  const std::string whole = JpegBytes({.width = 16, .height = 16, .samples = colour});
  Seed("jpeg-truncated", 2, whole.substr(0, whole.size() - whole.size() / 4));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  gFolder = argv[1];
  PngSeeds();
  JpegSeeds();
  return 0;
}
