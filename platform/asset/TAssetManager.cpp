#include "platform/asset/TAssetManager.h"

TAssetManager::~TAssetManager() = default;

void TAssetManager::Register(const TString& name, const std::shared_ptr<TAsset>& asset) {
  mEntries[name] = asset;
}

std::shared_ptr<TAsset> TAssetManager::Find(const TString& name) { return mEntries[name].lock(); }

void TAssetManager::Remove(const TString& name) { mEntries.erase(name); }

int TAssetManager::GetCount() const { return static_cast<int>(mEntries.size()); }

// The live assets in name order, held while they are released or restored:
// a hook may drop other assets, whose destructors may remove their entries,
// so the map is never walked while hooks run.
std::vector<std::shared_ptr<TAsset>> TAssetManager::LiveAssets() {
  std::vector<std::shared_ptr<TAsset>> live;
  for (const auto& [name, entry] : mEntries) {
    if (auto asset = entry.lock()) live.push_back(std::move(asset));
  }
  return live;
}

void TAssetManager::ReleaseAll() {
  std::erase_if(mEntries, [](const auto& entry) { return entry.second.expired(); });
  for (const auto& asset : LiveAssets()) asset->Release();
}

void TAssetManager::RestoreAll() {
  for (const auto& asset : LiveAssets()) asset->Restore();
}
