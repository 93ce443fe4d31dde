#pragma once

#include <memory>

class TTexture;

// A texture reference for tests that only hand textures on: it points at no
// texture and must never be used as one.
inline std::shared_ptr<TTexture> TextureHandle() {
  auto owner = std::make_shared<int>(0);
  return std::shared_ptr<TTexture>(owner, reinterpret_cast<TTexture*>(owner.get()));
}
