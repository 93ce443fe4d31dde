#pragma once

// Writes the image files the decoders read: PNG through libpng's write side,
// JPEG through libjpeg's compressor, and Windows RIFF palettes. Header-only so
// that the benchmarks and the fuzzing seed maker can use it too. The pictures
// given must be valid: the libraries' errors end the program.

#include <png.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <string>
#include <vector>

struct PngPicture {
  uint32_t width = 1;
  uint32_t height = 1;
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  int bitDepth = 8;
  // height rows packed as the file stores them, 16-bit samples high byte first
  std::vector<uint8_t> rows{};
  std::vector<png_color> palette{};
  std::vector<uint8_t> paletteAlphas{};             // tRNS of a palette image
  const png_color_16* transparentColour = nullptr;  // tRNS of a grey or RGB image
  double gamma = 0;                                 // a gAMA chunk when above 0
  bool interlaced = false;
};

inline size_t PngRowBytes(const PngPicture& picture) {
  int channels = 1;
  if (picture.colourType == PNG_COLOR_TYPE_RGB) channels = 3;
  if (picture.colourType == PNG_COLOR_TYPE_GRAY_ALPHA) channels = 2;
  if (picture.colourType == PNG_COLOR_TYPE_RGB_ALPHA) channels = 4;
  return (static_cast<size_t>(picture.width) * channels * picture.bitDepth + 7) / 8;
}

inline std::string PngBytes(const PngPicture& picture) {
  std::string bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, size_t count) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), count);
      },
      nullptr);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty()) {
    png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
  }
  if (!picture.paletteAlphas.empty()) {
    png_set_tRNS(png, info, picture.paletteAlphas.data(), static_cast<int>(picture.paletteAlphas.size()),
                 nullptr);
  }
  if (picture.transparentColour) png_set_tRNS(png, info, nullptr, 0, picture.transparentColour);
  if (picture.gamma > 0) png_set_gAMA(png, info, picture.gamma);
  png_write_info(png, info);
  std::vector<png_bytep> rows(picture.height);
  for (uint32_t y = 0; y < picture.height; y++) {
    rows[y] = const_cast<png_bytep>(picture.rows.data()) + y * PngRowBytes(picture);
  }
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

struct JpegPicture {
  uint32_t width = 1;
  uint32_t height = 1;
  int components = 3;              // 3: red, green, blue samples; 1: grey
  std::vector<uint8_t> samples{};  // height rows of width x components samples
  int quality = 90;
  int chromaWidthFactor = 2;  // the luma sampling factors over chroma's
  int chromaHeightFactor = 2;
  bool codedAsRgb = false;  // stored as plain RGB instead of YCbCr
  bool progressive = false;
};

inline std::string JpegBytes(const JpegPicture& picture) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = picture.width;
  cinfo.image_height = picture.height;
  cinfo.input_components = picture.components;
  cinfo.in_color_space = picture.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, picture.quality, TRUE);
  if (picture.codedAsRgb) jpeg_set_colorspace(&cinfo, JCS_RGB);
  if (picture.components == 3 && !picture.codedAsRgb) {
    cinfo.comp_info[0].h_samp_factor = picture.chromaWidthFactor;
    cinfo.comp_info[0].v_samp_factor = picture.chromaHeightFactor;
  }
  if (picture.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  const size_t rowBytes = static_cast<size_t>(picture.width) * picture.components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture.samples.data()) + cinfo.next_scanline * rowBytes;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

inline void AppendLittleEndian(std::string& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; i++) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A RIFF palette file of the colours (red, green, blue; flags 0). The chunk
// size is the true one unless given.
inline std::string RiffPaletteBytes(const std::vector<std::array<uint8_t, 3>>& colours,
                                    int64_t chunkSize = -1) {
  const uint32_t entryBytes = static_cast<uint32_t>(colours.size()) * 4;
  std::string bytes = "RIFF";
  AppendLittleEndian(bytes, 16 + entryBytes, 4);
  bytes += "PAL data";
  AppendLittleEndian(bytes, chunkSize < 0 ? 8 + entryBytes : static_cast<uint32_t>(chunkSize), 4);
  AppendLittleEndian(bytes, 0x300, 2);
  AppendLittleEndian(bytes, static_cast<uint32_t>(colours.size()), 2);
  for (const auto& colour : colours)
    bytes += std::string{char(colour[0]), char(colour[1]), char(colour[2]), 0};
  return bytes;
}

// Pixels of a smooth picture with fine detail, the same for the same
// arguments: samples of channels bytes per pixel, rows top first.
inline std::vector<uint8_t> PictureSamples(uint32_t width, uint32_t height, int channels) {
  std::vector<uint8_t> samples(static_cast<size_t>(width) * height * channels);
  uint32_t noise = 12345;
  size_t at = 0;
  for (uint32_t y = 0; y < height; y++) {
    for (uint32_t x = 0; x < width; x++) {
      noise = noise * 1103515245 + 12345;
      const uint32_t grain = (noise >> 16) & 15;
      for (int c = 0; c < channels; c++) {
        samples[at++] = static_cast<uint8_t>((x * (c + 1) + y * (3 - c) + grain) & 0xff);
      }
    }
  }
  return samples;
}
