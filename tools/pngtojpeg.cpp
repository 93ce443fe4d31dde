// pngtojpeg PICTURE.png OUT.jpg [QUALITY]: writes the picture as a baseline
// YCbCr JPEG that the game's decoder reads (see tools/jpeg/PngToJpeg.h);
// quality 90 unless given.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/jpeg/PngToJpeg.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: pngtojpeg PICTURE.png OUT.jpg [QUALITY]\n");
    return 2;
  }
  const int quality = argc == 4 ? std::atoi(argv[3]) : 90;
  std::string error;
  if (!ConvertPngToJpeg(argv[1], argv[2], quality, error)) {
    std::fprintf(stderr, "pngtojpeg: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
