#include "tests/assets/DecodedPicture.h"

#include <algorithm>
#include <cmath>

#include "media/texture/PngDecoder.h"

DecodedPicture LoadPicture(const std::string& name) {
  DecodedPicture picture;
  picture.loaded = DecodePng((name + ".png").c_str(), "", false, picture.image);
  return picture;
}

namespace {

double Linear(double sample) {
  const double c = sample / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double Lightness(double red, double green, double blue) {
  const double luminance = 0.2126 * Linear(red) + 0.7152 * Linear(green) + 0.0722 * Linear(blue);
  const double f = luminance > 0.008856 ? std::cbrt(luminance) : 7.787 * luminance + 16.0 / 116.0;
  return 116.0 * f - 16.0;
}

double Hue(double red, double green, double blue) {
  const double high = std::max({red, green, blue});
  const double low = std::min({red, green, blue});
  if (high == low) return 0;
  double hue;
  if (high == red) {
    hue = std::fmod((green - blue) / (high - low), 6.0);
  } else if (high == green) {
    hue = (blue - red) / (high - low) + 2.0;
  } else {
    hue = (red - green) / (high - low) + 4.0;
  }
  hue *= 60.0;
  return hue < 0 ? hue + 360.0 : hue;
}
