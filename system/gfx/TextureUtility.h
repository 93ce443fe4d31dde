#pragma once

#include <cstdint>
#include <memory>

#include "system/gfx/Device.h"
#include "system/gfx/Device3dCaps.h"
#include "system/gfx/PixelFormat.h"
#include "system/gfx/Rect.h"
#include "system/gfx/Result.h"
#include "system/gfx/Surface.h"

namespace sys::gfx {

// What the display code asks of an ordinary texture, and what it got.
struct TextureRequest {
  int32_t width = 0;
  int32_t height = 0;
  int32_t levels = 1;  // mipmap levels; 0 asks for the whole chain down to 1 x 1
  PixelFormat format;
};

// Makes a texture the 3D device described by `caps` can sample: each side
// grows to a power of two (both to the larger one when the device takes
// square textures only, the shorter one until the device's aspect ratio
// holds), no side beyond the device's largest; the format asked for when
// the device offers it, else the closest it offers (the same bit count and
// alpha or not, else the same alpha or not, else its first); in video
// memory for a device that rasterises in hardware. `request` becomes what
// was made.
Result CreateTexture(Device& device, const Device3dCaps& caps, TextureRequest& request,
                     std::shared_ptr<Surface>& out);

// Every level of the texture's mipmap chain, for LoadTextureFromMemory.
constexpr int32_t kAllLevels = -1;

// Loads 32-bit pixels 0xAARRGGBB (bytes blue, green, red, alpha), `area`'s
// size of them with rows `pitch` bytes apart (0: four bytes a pixel), into
// `area` of the texture's level `level`, converted to its format. With
// kAllLevels the pixels go to level 0 and each smaller level gets `area`
// halved (at least one pixel), filtered down linearly from the level above.
Result LoadTextureFromMemory(Surface& texture, int32_t level, const uint8_t* pixels, int32_t pitch, const Rect& area);

}  // namespace sys::gfx
