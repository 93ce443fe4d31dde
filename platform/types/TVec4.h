#pragma once

// Four floats: one row of a 4 x 4 transform matrix.
struct TVec4 {
  float x = 0;
  float y = 0;
  float z = 0;
  float w = 0;
};
