#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/texture/TDxTextureData.h"
#include "media/texture/TTexture.h"
#include "platform/file/FileIndex.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/media/display/OpenDisplayRig.h"
#include "tests/support/TestFileLayer.h"

// The colour of each pixel of a picture, as 0xAARRGGBB.
using PictureColours = std::function<uint32_t(int32_t x, int32_t y)>;

// A display installed in the platform, with image files in a file tree of
// the test's own, written by the libraries' write sides.
class TextureRig : public OpenDisplayRig {
 protected:
  // Stores an asset and indexes the tree again.
  void Store(const std::string& name, const std::string& bytes) {
    files.WriteAsset(name, bytes);
    BuildFileIndex();
  }
  // A PNG file, with an alpha channel or without.
  static std::string PngOf(int32_t width, int32_t height, const PictureColours& colours, bool alpha = true);
  // A JPEG file of the colours, alpha left out.
  static std::string JpegOf(int32_t width, int32_t height, const PictureColours& colours);
  // A palette PNG of 1-pixel indices, with the palette's colours (red, green, blue).
  static std::string PalettePngOf(int32_t width, int32_t height, const std::vector<uint8_t>& indices,
                                  const std::vector<png_color>& palette);

  // The data of a texture, which is ours.
  static TDxTextureData& DataOf(const std::shared_ptr<TTexture>& texture) {
    return dynamic_cast<TDxTextureData&>(*texture->GetData());
  }
  static sys::gfx::Surface& SurfaceOf(const std::shared_ptr<TTexture>& texture) {
    return *texture->GetData()->GetSurface();
  }
  // The raw value of a pixel of the surface.
  static uint32_t PixelAt(sys::gfx::Surface& surface, int32_t x, int32_t y = 0);
  // The texture's pixels as Lock hands them out, row after row.
  static std::vector<uint32_t> LockedPixels(const std::shared_ptr<TTexture>& texture);

  // A frame with 2D drawing open through the platform, the screen black.
  void BeginFrame();
  void EndFrame();

  TestFileLayer files;
};
