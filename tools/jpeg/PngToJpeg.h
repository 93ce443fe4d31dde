#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Turns PNG pictures into JPEG files the game's decoder reads: baseline
// (one sequential scan of the three components, Huffman coded), colour as
// YCbCr with the chroma halved both ways, a JFIF header. The game's decoder
// refuses JPEGs coded in plain RGB and ones of more than 500 scans; these are
// neither. The same picture and quality give the same bytes.

// An 8-bit picture: width x height pixels of red, green, blue, top row first.
struct RgbPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> samples;
};

// Reads a PNG file of any kind: a palette or grey is expanded, 16-bit
// samples are cut to 8 bits, and a see-through pixel is laid over black (its
// samples times its alpha).
// False, with the reason in error, when it cannot be read.
bool ReadPngAsRgb(const std::string& path, RgbPicture& picture, std::string& error);

// The JPEG file of the picture at quality 1 to 100 (libjpeg's scale).
std::string JpegOf(const RgbPicture& picture, int quality);

// Reads pngPath and writes its JPEG to jpegPath (beside it first, then
// renamed, so a failure leaves no half-written file). False, with the
// reason in error, on any failure.
bool ConvertPngToJpeg(const std::string& pngPath, const std::string& jpegPath, int quality, std::string& error);
