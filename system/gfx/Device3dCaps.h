#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "system/gfx/PixelFormat.h"

namespace sys::gfx {

// What the 3D device of a display device can do, as callers choosing a
// device read it. The defaults describe the rasterizer itself; tests alter
// them through the adapter (a device without hardware, smaller textures).
struct Device3dCaps {
  std::array<uint32_t, 4> guid{0x51564E33, 0x44524153, 0x54455249, 0x5A455231};
  std::string name = "Quorvane 3D";
  std::string description = "Quorvane software rasterizer";
  bool hardwareRasterization = true;
  bool hardwareTransformAndLight = true;
  std::vector<uint32_t> renderBitCounts = {16, 32};
  bool gouraudRgb = true;
  bool specularGouraudRgb = true;
  bool squareTexturesOnly = false;
  int32_t maxTextureWidth = 2048;
  int32_t maxTextureHeight = 2048;
  int32_t maxTextureAspectRatio = 2048;
  bool separateTextureMemories = false;
  int32_t maxActiveLights = 8;
  std::vector<PixelFormat> depthFormats = {MakePixelFormat(PixelLayout::Depth16)};
  std::vector<PixelFormat> textureFormats = {
      MakePixelFormat(PixelLayout::X8R8G8B8), MakePixelFormat(PixelLayout::A8R8G8B8),
      MakePixelFormat(PixelLayout::R5G6B5),   MakePixelFormat(PixelLayout::X1R5G5B5),
      MakePixelFormat(PixelLayout::A4R4G4B4), MakePixelFormat(PixelLayout::A1R5G5B5),
  };
};

}  // namespace sys::gfx
