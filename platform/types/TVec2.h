#pragma once

#include <cmath>

// Two floats: a position in pixels or a direction, used by value.
struct TVec2 {
  float x = 0;
  float y = 0;

  TVec2() = default;
  TVec2(float x, float y) : x(x), y(y) {}

  TVec2& operator+=(const TVec2& other) {
    x += other.x;
    y += other.y;
    return *this;
  }
  TVec2& operator-=(const TVec2& other) {
    x -= other.x;
    y -= other.y;
    return *this;
  }
  TVec2& operator*=(float factor) {
    x *= factor;
    y *= factor;
    return *this;
  }
  TVec2& operator/=(float divisor) {
    x /= divisor;
    y /= divisor;
    return *this;
  }

  float Dot(const TVec2& other) const { return x * other.x + y * other.y; }
  float LengthSquared() const { return Dot(*this); }
  float Length() const { return std::sqrt(LengthSquared()); }
  // Scales the vector to length 1; a zero vector stays as it is.
  TVec2& Normalize() {
    float length = Length();
    if (length != 0) *this /= length;
    return *this;
  }
};

inline TVec2 operator+(TVec2 a, const TVec2& b) { return a += b; }
inline TVec2 operator-(TVec2 a, const TVec2& b) { return a -= b; }
inline TVec2 operator*(TVec2 v, float factor) { return v *= factor; }
inline TVec2 operator*(float factor, TVec2 v) { return v *= factor; }
