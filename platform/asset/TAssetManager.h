#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/asset/TAsset.h"
#include "platform/text/TString.h"

// The registry of live assets by name. It holds weak references only, so it
// never keeps an asset alive; entries of destroyed assets expire and are swept
// out by the next ReleaseAll. Main thread only.
class TAssetManager {
 public:
  virtual ~TAssetManager();

  // Stores a weak reference under the name, replacing an older entry.
  void Register(const TString& name, const std::shared_ptr<TAsset>& asset);
  // The live asset registered under the name, or empty. A name looked up for
  // the first time leaves an empty entry, dropped by the next ReleaseAll.
  std::shared_ptr<TAsset> Find(const TString& name);
  // The same, as the asset kind asked for; empty when the asset is of another kind.
  template <class TKind>
  std::shared_ptr<TKind> FindAs(const TString& name) {
    return std::dynamic_pointer_cast<TKind>(Find(name));
  }
  void Remove(const TString& name);
  // Entries, expired ones included.
  int GetCount() const;

  // Releases every live asset in name order and drops the expired entries.
  void ReleaseAll();
  // Restores every live asset in name order.
  void RestoreAll();

 private:
  using Entries = std::map<TString, std::weak_ptr<TAsset>>;
  std::vector<std::shared_ptr<TAsset>> LiveAssets();

  Entries mEntries;
};
