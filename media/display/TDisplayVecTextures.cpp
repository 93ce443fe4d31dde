#include "media/display/TDisplayVecTextures.h"

#include "media/texture/TTexture.h"

std::shared_ptr<TTexture> TDisplayVecTextures::CreateRenderTarget(int32_t width, int32_t height) {
  return TTexture::CreateRenderTarget(width, height);
}

bool TDisplayVecTextures::Lock(TTexture& texture, TVecPixels& out) {
  void* bits = nullptr;
  TVecPixels pixels;
  if (!texture.Lock(&bits, &pixels.width, &pixels.height, &pixels.pitch)) return false;
  pixels.bits = static_cast<uint8_t*>(bits);
  out = pixels;
  return true;
}

void TDisplayVecTextures::Unlock(TTexture& texture) { texture.Unlock(); }
