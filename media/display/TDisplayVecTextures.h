#pragma once

#include <memory>

#include "media/text/TVecTextures.h"

// What the vector renderer needs of textures, from the display's own: render
// textures from the texture cache and the locked pixels of a texture.
class TDisplayVecTextures final : public TVecTextures {
 public:
  std::shared_ptr<TTexture> CreateRenderTarget(int32_t width, int32_t height) override;
  bool Lock(TTexture& texture, TVecPixels& out) override;
  void Unlock(TTexture& texture) override;
};
