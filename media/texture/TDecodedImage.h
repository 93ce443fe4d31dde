#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/text/TString.h"

// Frees what AllocateImageBytes handed out.
struct TImageBytesFree {
  void operator()(uint8_t* bytes) const { std::free(bytes); }
};
using TImageBytes = std::unique_ptr<uint8_t[], TImageBytesFree>;

// One palette entry as textures keep it.
struct TPaletteEntry {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t alpha = 0;
};
constexpr int kPaletteEntries = 256;

// A decoded PNG or JPEG: a square buffer whose side is the smallest power of
// two not below the larger of width and height, with the image in its
// top-left corner and zeros everywhere else. Rows are side pixels long, top
// row first; a pixel is four bytes blue, green, red, alpha, or one palette
// index when indices were asked for.
struct TDecodedImage {
  TImageBytes pixels;
  int32_t width = 0;
  int32_t height = 0;
  int32_t side = 0;
  // PNG only: the pixels carry alpha, or the indices point into a palette
  // with translucent entries.
  bool hasAlpha = false;
  // PNG only: kPaletteEntries entries when the image has a palette, else null.
  std::unique_ptr<TPaletteEntry[]> palette;
};

// The largest side a decoded image may have: 8192 x 8192 x 4 bytes is 256 MB.
constexpr int32_t kMaxImageSide = 8192;

// The smallest power of two not below the larger of width and height (1 when
// both are at most 1), or 0 when it would exceed kMaxImageSide or a size is
// not positive; then a line naming the file is logged.
int32_t ImageSide(const TString& name, int64_t width, int64_t height);

// side x side pixels of bytesPerPixel bytes, zeroed; null, with a log line
// naming the file, when the memory cannot be had.
TImageBytes AllocateImageBytes(const TString& name, int32_t side, int32_t bytesPerPixel);
