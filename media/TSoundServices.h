#pragma once

#include <functional>

class TAssetManager;
class TSoundManager;

// Where sounds find the platform's sound manager and asset manager: the
// platform object installs the two at start-up and removes them at
// shut-down. Either answers null when the platform has none (the sound
// manager also while it is being deleted). Main thread only.
class TSoundServices {
 public:
  static void Install(std::function<TSoundManager*()> soundManager, std::function<TAssetManager*()> assetManager);
  static TSoundManager* SoundManager();
  static TAssetManager* AssetManager();
};
