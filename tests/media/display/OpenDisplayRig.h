#pragma once

#include <memory>
#include <vector>

#include "media/display/TDx3dDisplayHandler.h"
#include "media/display/TVertexList.h"
#include "system/gfx/raster/Vertex.h"
#include "tests/media/display/DisplayRig.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakeTextureData.h"

// A 3D display opened in a window of 800 x 600 on the rig's desktop, and
// installed in the platform, with helpers to make textures, draw screen
// quads and read pixels back.
class OpenDisplayRig : public DisplayRig {
 protected:
  ~OpenDisplayRig() override { platform.displayHandler = nullptr; }
  void SetUp() override { Open(); }

  // A new display in the mode (16 or 32 bits); the test fails when it cannot open.
  void Open(int32_t width = 800, int32_t height = 600, bool fullScreen = false, uint32_t bitCount = 32);
  TDxDisplayHandlerData& Data() { return display->GetData(); }
  sys::gfx::Device3d& Device() { return *Data().mDevice; }
  sys::gfx::Surface& Back() { return *Data().mBackBuffer; }

  // A surface of the display's device: a texture, a render texture with
  // the 3D-device caps as well.
  std::shared_ptr<sys::gfx::Surface> MakeSurface(int32_t width, int32_t height, sys::gfx::PixelLayout layout,
                                                 bool renderTarget = false);
  std::shared_ptr<TTexture> MakeTexture(int32_t width, int32_t height, sys::gfx::PixelLayout layout,
                                        uint8_t flags = 0);

  // A quad of screen vertices drawn as a fan through the display.
  void DrawQuad(float left, float top, float right, float bottom, uint32_t diffuse = 0xFFFFFFFF);
  static std::vector<sys::gfx::TransformedVertex> Quad(float left, float top, float right, float bottom,
                                                       uint32_t diffuse = 0xFFFFFFFF);
  void Draw(std::vector<sys::gfx::TransformedVertex> vertices, int32_t primitiveType = 6);

  // Colour as 0xAARRGGBB, and the pixels whose colour is not `colour`.
  static uint32_t ColourAt(sys::gfx::Surface& surface, int32_t x, int32_t y);
  static int CountNot(sys::gfx::Surface& surface, uint32_t colour);
  static std::vector<uint32_t> Pixels(sys::gfx::Surface& surface);

  std::unique_ptr<TDx3dDisplayHandler> display;
};
