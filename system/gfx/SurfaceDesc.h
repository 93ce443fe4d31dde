#pragma once

#include <cstdint>
#include <optional>

#include "system/gfx/PixelFormat.h"

namespace sys::gfx {

// What a surface is and where it lives.
enum SurfaceCaps : uint32_t {
  kCapsPrimarySurface = 0x0001,  // the picture on the screen (or the desktop, windowed)
  kCapsFlip = 0x0002,            // heads or belongs to a flipping chain
  kCapsComplex = 0x0004,         // created together with attached surfaces
  kCapsFrontBuffer = 0x0008,     // the front of a flipping chain
  kCapsBackBuffer = 0x0010,      // the back of a flipping chain
  kCapsOffscreenPlain = 0x0020,  // an ordinary picture that is never shown
  kCapsTexture = 0x0040,         // may be drawn from by the 3D device
  kCaps3dDevice = 0x0080,        // may be drawn into by the 3D device
  kCapsDepthBuffer = 0x0100,     // holds depth values
  kCapsVideoMemory = 0x0200,     // counts against the video memory and can be lost
  kCapsSystemMemory = 0x0400,    // ordinary memory; never lost
  kCapsAlphaChannel = 0x0800,    // asks for a front buffer whose alpha can be drawn into
  kCapsMipmap = 0x1000,          // a level of a texture's mipmap chain
};

// How to create a surface, and what Describe reports about one. A primary
// surface takes its size and format from the display; other surfaces take
// the display's format unless they name one. Without a memory cap a surface
// goes to video memory (8-bit palette surfaces to system memory). A texture
// of more than one mipmap level is made with the smaller levels attached,
// each half the size of the one above (at least 1), each with the mipmap cap.
struct SurfaceDesc {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t caps = 0;
  std::optional<PixelFormat> format;
  int32_t backBufferCount = 0;  // primary flipping chains: 1
  int32_t mipMapCount = 0;      // levels of a texture, itself included; 0 and 1: one
  int32_t pitch = 0;            // reported: bytes from one row to the next
};

// A locked area: `bits` points at its top-left pixel, rows `pitch` bytes apart.
struct LockedPixels {
  uint8_t* bits = nullptr;
  int32_t pitch = 0;
  int32_t width = 0;
  int32_t height = 0;
  PixelFormat format;
};

}  // namespace sys::gfx
