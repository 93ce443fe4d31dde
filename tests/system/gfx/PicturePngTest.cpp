#include "system/gfx/PicturePng.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <vector>

#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"

namespace {

// Reads a PNG file back as 0xFFRRGGBB pixels.
bool ReadPng(const std::string& path, sys::Picture& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_BGRA;
  out.width = static_cast<int32_t>(image.width);
  out.height = static_cast<int32_t>(image.height);
  out.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  return png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr) != 0;
}

TEST(PicturePng, WritesThePictureAsRgb) {
  TempFolder folder;
  sys::Picture picture;
  picture.width = 3;
  picture.height = 2;
  picture.pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456, 0xFFFFFFFF, 0xFF000000};
  std::string path = folder.File("frame.png");
  ASSERT_TRUE(sys::gfx::WritePicturePng(picture, path));
  EXPECT_EQ(ReadWholeFile(path).substr(1, 3), "PNG");
  sys::Picture read;
  ASSERT_TRUE(ReadPng(path, read));
  EXPECT_EQ(read.width, 3);
  EXPECT_EQ(read.height, 2);
  EXPECT_EQ(read.pixels, picture.pixels);
}

TEST(PicturePng, EmptyPicturesAndUnwritablePlacesFailWithALogLine) {
  LayerLogCapture log;
  TempFolder folder;
  sys::Picture empty;
  EXPECT_FALSE(sys::gfx::WritePicturePng(empty, folder.File("empty.png")));
  sys::Picture picture;
  picture.width = 1;
  picture.height = 1;
  picture.pixels = {0xFF000000};
  EXPECT_FALSE(sys::gfx::WritePicturePng(picture, folder.File("missing/frame.png")));
  EXPECT_EQ(log.Lines().size(), 2u);
}

}  // namespace
