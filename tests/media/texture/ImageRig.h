#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "media/texture/TDecodedImage.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

using Bgra = std::array<uint8_t, 4>;

inline Bgra PixelAt(const TDecodedImage& image, int32_t x, int32_t y) {
  const uint8_t* p = image.pixels.get() + (static_cast<size_t>(y) * image.side + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

// Whether every byte of the square buffer outside the image is 0.
inline bool ZeroOutsideImage(const TDecodedImage& image, int32_t pixelBytes) {
  for (int32_t y = 0; y < image.side; y++) {
    for (int32_t x = 0; x < image.side; x++) {
      if (x < image.width && y < image.height) continue;
      for (int32_t b = 0; b < pixelBytes; b++) {
        if (image.pixels[(static_cast<size_t>(y) * image.side + x) * pixelBytes + b] != 0) return false;
      }
    }
  }
  return true;
}

// A failed decode hands back nothing.
inline bool IsEmpty(const TDecodedImage& image) {
  return !image.pixels && !image.palette && image.side == 0 && image.width == 0 && image.height == 0;
}

// Image files as assets of a fresh file tree, and a log of the test's own.
class ImageRig : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mLogs.Path().c_str()); }

  // Stores an asset and indexes the tree again.
  void Store(const std::string& name, const std::string& bytes) {
    mFiles.WriteAsset(name, bytes);
    BuildFileIndex();
  }

  void Remove(const std::string& name) {
    std::filesystem::remove(mFiles.AssetPath(name));
    BuildFileIndex();
  }

  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  // A file that a decoder must refuse, leaving the image empty and logging a
  // line that holds the text given.
  struct BrokenFile {
    const char* what;
    std::optional<std::string> bytes;  // none: no file is stored
    const char* logged;
  };

  template <class Decode>
  void ExpectRefused(const std::string& name, const std::vector<BrokenFile>& files, Decode decode) {
    for (const BrokenFile& file : files) {
      Remove(name);
      if (file.bytes) Store(name, *file.bytes);
      TDecodedImage image;
      image.side = 99;
      EXPECT_FALSE(decode(name.c_str(), image)) << file.what;
      EXPECT_TRUE(IsEmpty(image)) << file.what;
      EXPECT_NE(LogText().find(file.logged), std::string::npos) << file.what << "\n" << LogText();
    }
  }

  TestFileLayer mFiles;
  TempFolder mLogs;
};
