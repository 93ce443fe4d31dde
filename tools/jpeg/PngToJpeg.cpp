#include "tools/jpeg/PngToJpeg.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

bool ReadPngAsRgb(const std::string& path, RgbPicture& picture, std::string& error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    error = path + ": " + image.message;
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  // Over black, as the samples stand (the way a picture drawn with its alpha
  // over black looks), not in linear light as libpng would lay it.
  picture.width = image.width;
  picture.height = image.height;
  picture.samples.resize(static_cast<size_t>(image.width) * image.height * 3);
  for (size_t pixel = 0; pixel < static_cast<size_t>(image.width) * image.height; ++pixel) {
    const int alpha = rgba[pixel * 4 + 3];
    for (int channel = 0; channel < 3; ++channel) {
      picture.samples[pixel * 3 + channel] = static_cast<uint8_t>((rgba[pixel * 4 + channel] * alpha + 127) / 255);
    }
  }
  return true;
}

std::string JpegOf(const RgbPicture& picture, int quality) {
  jpeg_compress_struct compressor;
  jpeg_error_mgr errors;
  compressor.err = jpeg_std_error(&errors);
  jpeg_create_compress(&compressor);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&compressor, &buffer, &size);
  compressor.image_width = picture.width;
  compressor.image_height = picture.height;
  compressor.input_components = 3;
  compressor.in_color_space = JCS_RGB;
  // The defaults: YCbCr with the chroma halved both ways, sequential, JFIF.
  jpeg_set_defaults(&compressor);
  jpeg_set_quality(&compressor, quality, TRUE);
  compressor.optimize_coding = TRUE;
  jpeg_start_compress(&compressor, TRUE);
  while (compressor.next_scanline < compressor.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture.samples.data() +
                                        static_cast<size_t>(compressor.next_scanline) * picture.width * 3);
    jpeg_write_scanlines(&compressor, &row, 1);
  }
  jpeg_finish_compress(&compressor);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&compressor);
  std::free(buffer);
  return bytes;
}

bool ConvertPngToJpeg(const std::string& pngPath, const std::string& jpegPath, int quality, std::string& error) {
  if (quality < 1 || quality > 100) {
    error = "the quality must be 1 to 100";
    return false;
  }
  RgbPicture picture;
  if (!ReadPngAsRgb(pngPath, picture, error)) return false;
  const std::string bytes = JpegOf(picture, quality);
  const std::filesystem::path target = jpegPath;
  const std::filesystem::path temporary = jpegPath + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      error = "cannot write " + temporary.string();
      return false;
    }
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, target, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, renamed);
    error = "cannot write " + jpegPath;
    return false;
  }
  return true;
}
