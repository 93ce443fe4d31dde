#pragma once

#include "platform/types/TVec2.h"

// Three floats, a position or direction in space.
struct TVec3 {
  float x = 0;
  float y = 0;
  float z = 0;

  TVec3() = default;
  TVec3(const TVec2& xy, float z) : x(xy.x), y(xy.y), z(z) {}

  TVec3& operator+=(const TVec3& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
  }
};
