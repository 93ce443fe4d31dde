#pragma once

#include <cstdint>

namespace sys::gfx {

// The three vertex layouts the device draws, 32 bytes each, with one pair of
// texture coordinates. Colours are 0xAARRGGBB.
enum class VertexLayout : uint8_t {
  Lit,          // position and normal, coloured by lighting
  Coloured,     // position with its own diffuse and specular colours
  Transformed,  // already on the target: x, y in pixels, z, 1/w
};

struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};

struct ColouredVertex {
  float x, y, z;
  uint32_t reserved;
  uint32_t diffuse;
  uint32_t specular;
  float u, v;
};

struct TransformedVertex {
  float x, y, z;
  float rhw;  // 1/w
  uint32_t diffuse;
  uint32_t specular;
  float u, v;
};

static_assert(sizeof(LitVertex) == 32 && sizeof(ColouredVertex) == 32 && sizeof(TransformedVertex) == 32);

// Primitive kinds, numbered as the display code passes them.
enum class PrimitiveType : uint8_t {
  LineList = 2,
  TriangleList = 4,
  TriangleStrip = 5,
  TriangleFan = 6,
};

}  // namespace sys::gfx
