#pragma once

#include <memory>
#include <vector>

#include "game/gui/scenes/TLayer.h"

namespace GUI::ScriptAnim {

// A scene: picture layers drawn in order, the first at the back.
class TAnimations {
 public:
  void AddLayer(std::shared_ptr<TLayer> layer) { mLayers.push_back(std::move(layer)); }
  void Draw(float alpha);
  const std::vector<std::shared_ptr<TLayer>>& GetLayers() const { return mLayers; }

 private:
  std::vector<std::shared_ptr<TLayer>> mLayers;
};

}  // namespace GUI::ScriptAnim
