#include "system/gfx/PicturePng.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "system/os/LayerLog.h"

namespace sys::gfx {

bool WritePicturePng(const Picture& picture, const std::string& path) {
  size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
  if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != count) {
    WriteLog("Cannot write an empty picture to %s", path.c_str());
    return false;
  }
  std::vector<uint8_t> rgb(3 * count);
  for (size_t i = 0; i < count; ++i) {
    uint32_t pixel = picture.pixels[i];
    rgb[3 * i] = static_cast<uint8_t>(pixel >> 16);
    rgb[3 * i + 1] = static_cast<uint8_t>(pixel >> 8);
    rgb[3 * i + 2] = static_cast<uint8_t>(pixel);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) return true;
  WriteLog("Cannot write the picture to %s: %s", path.c_str(), image.message);
  png_image_free(&image);
  return false;
}

}  // namespace sys::gfx
