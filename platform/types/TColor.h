#pragma once

// A drawing colour of four floats red, green, blue and alpha, each 0 to 1.
struct TColor {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 0;

  TColor() = default;
  TColor(float r, float g, float b, float a) : r(r), g(g), b(b), a(a) {}
};
