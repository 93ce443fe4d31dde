#pragma once

// A drawing colour of four floats red, green, blue and alpha, each 0 to 1.
// Integer channels 0 to 255 (as colour tags write them) are divided by 255;
// a colour of whole floats is written with float literals, TColor(0.0f,
// 0.0f, 0.0f, 1.0f), or it would be read as channels of 0 to 255.
struct TColor {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 0;

  TColor() = default;
  TColor(float r, float g, float b, float a) : r(r), g(g), b(b), a(a) {}
  TColor(int r, int g, int b, int a)
      : r(static_cast<float>(r) / 255.0f),
        g(static_cast<float>(g) / 255.0f),
        b(static_cast<float>(b) / 255.0f),
        a(static_cast<float>(a) / 255.0f) {}
};
