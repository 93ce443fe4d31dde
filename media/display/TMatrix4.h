#pragma once

#include "platform/types/TVec4.h"

// A 4 x 4 transform matrix of floats, row by row; a new matrix is the identity.
struct TMatrix4 {
  TVec4 rows[4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};
