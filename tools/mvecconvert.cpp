// mvecconvert FONT.ttf OUT.mvec: writes the game's vector font made from a
// TrueType font (see tools/mvec/MvecConverter.h).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/mvec/MvecConverter.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mvecconvert FONT.ttf OUT.mvec\n");
    return 2;
  }
  std::vector<uint8_t> image;
  std::string error;
  if (!ConvertToMvec(argv[1], GameFontCodes(), image, error)) {
    std::fprintf(stderr, "mvecconvert: %s\n", error.c_str());
    return 1;
  }
  // Written beside the target first, so a failed write leaves the old file.
  const std::filesystem::path target = argv[2];
  const std::filesystem::path temporary = target.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "mvecconvert: cannot write %s\n", temporary.c_str());
      return 1;
    }
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, target, renamed);
  if (renamed) {
    std::fprintf(stderr, "mvecconvert: cannot write %s\n", target.c_str());
    return 1;
  }
  std::printf("%s: %zu bytes\n", target.c_str(), image.size());
  return 0;
}
