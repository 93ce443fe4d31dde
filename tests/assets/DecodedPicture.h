#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "media/texture/TDecodedImage.h"

// A picture of the data folder as the game's PNG decoder gives it.
struct DecodedPicture {
  bool loaded = false;
  TDecodedImage image;

  int Width() const { return image.width; }
  int Height() const { return image.height; }
  // Red, green, blue, alpha of a pixel.
  std::array<int, 4> Rgba(int x, int y) const {
    const uint8_t* p = image.pixels.get() + (static_cast<size_t>(y) * image.side + x) * 4;
    return {p[2], p[1], p[0], p[3]};
  }
};

// Decodes "<name>.png" through the file layer, as texture loading does.
DecodedPicture LoadPicture(const std::string& name);

// CIE L* (0 black to 100 white) and the hue angle in degrees of an sRGB colour.
double Lightness(double red, double green, double blue);
double Hue(double red, double green, double blue);
