#pragma once

#include <cstdint>
#include <memory>

class TTexture;

// The pixels of a locked texture: rows of 32-bit pixels, blue, green, red
// and alpha bytes, `pitch` bytes apart.
struct TVecPixels {
  uint8_t* bits = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
};

// What the vector renderer needs of textures: a render texture to calibrate
// on, and the pixels of a texture it draws text into.
class TVecTextures {
 public:
  virtual ~TVecTextures() = default;

  // Null when none can be made.
  virtual std::shared_ptr<TTexture> CreateRenderTarget(int32_t width, int32_t height) = 0;
  virtual bool Lock(TTexture& texture, TVecPixels& out) = 0;
  virtual void Unlock(TTexture& texture) = 0;
};
