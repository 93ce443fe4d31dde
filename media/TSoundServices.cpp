#include "media/TSoundServices.h"

namespace {

std::function<TSoundManager*()>& SoundManagerLookup() {
  static std::function<TSoundManager*()> lookup;
  return lookup;
}

std::function<TAssetManager*()>& AssetManagerLookup() {
  static std::function<TAssetManager*()> lookup;
  return lookup;
}

}  // namespace

void TSoundServices::Install(std::function<TSoundManager*()> soundManager,
                             std::function<TAssetManager*()> assetManager) {
  SoundManagerLookup() = std::move(soundManager);
  AssetManagerLookup() = std::move(assetManager);
}

TSoundManager* TSoundServices::SoundManager() {
  const auto& lookup = SoundManagerLookup();
  return lookup ? lookup() : nullptr;
}

TAssetManager* TSoundServices::AssetManager() {
  const auto& lookup = AssetManagerLookup();
  return lookup ? lookup() : nullptr;
}
