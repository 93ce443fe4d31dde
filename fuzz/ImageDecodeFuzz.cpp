// Feeds arbitrary bytes to the image decoders through the file layer. The
// first byte picks the decoder: its low two bits 0 a PNG as pixels, 1 a PNG
// as palette indices, 2 a JPEG, 3 a PNG with a RIFF palette file (bit 2 then
// asks for indices); for 3 the next two bytes give the palette file's length
// (little-endian), and its bytes come before the PNG's. A decode must either
// fail leaving the image empty, or give a square buffer of a power-of-two
// side not above the limit that holds the image and is zero beyond it.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/texture/JpegDecoder.h"
#include "media/texture/PngDecoder.h"
#include "platform/text/Log.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// A folder of this run's own for the input files and the log, made on first
// use and removed at exit (so it is never destroyed before that).
const std::string& Folder() {
  static const std::string& folder = *[] {
    char pattern[] = "/tmp/image-decode-fuzz-XXXXXX";
    Check(mkdtemp(pattern) != nullptr);
    SetLogFolder(pattern);
    std::atexit([] { std::filesystem::remove_all(Folder()); });
    return new std::string(pattern);
  }();
  return folder;
}

std::string WriteFile(const char* name, const uint8_t* bytes, size_t size) {
  const std::string path = Folder() + "/" + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes), size);
  return "::" + path;
}

void CheckDecoded(bool decoded, const TDecodedImage& image, int32_t pixelBytes) {
  if (!decoded) {
    Check(!image.pixels && !image.palette && image.side == 0);
    return;
  }
  Check(image.pixels && image.width >= 1 && image.height >= 1);
  Check(image.side <= kMaxImageSide && (image.side & (image.side - 1)) == 0);
  Check(image.width <= image.side && image.height <= image.side);
  Check(image.side == 1 || image.side / 2 < std::max(image.width, image.height));
  const size_t last = static_cast<size_t>(image.side) * image.side * pixelBytes - 1;
  const bool lastOutside = image.width < image.side || image.height < image.side;
  Check(!lastOutside || image.pixels[last] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int mode = data[0] & 3;
  size_t at = 1;
  TString paletteName;
  if (mode == 3) {
    if (size < 3) return 0;
    const size_t paletteBytes = std::min<size_t>(data[1] | (data[2] << 8), size - 3);
    paletteName = WriteFile("palette.pal", data + 3, paletteBytes).c_str();
    at = 3 + paletteBytes;
  }
  const TString imageName = WriteFile("image", data + at, size - at).c_str();
  TDecodedImage image;
  if (mode == 2) {
    CheckDecoded(DecodeJpeg(imageName, image), image, 4);
    return 0;
  }
  const bool wantIndices = mode == 1 || (mode == 3 && (data[0] & 4));
  CheckDecoded(DecodePng(imageName, paletteName, wantIndices, image), image, wantIndices ? 1 : 4);
  return 0;
}
