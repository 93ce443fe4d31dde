#include "game/gui/scenes/TAnimations.h"

namespace GUI::ScriptAnim {

void TAnimations::Draw(float alpha) {
  for (const std::shared_ptr<TLayer>& layer : mLayers) layer->Draw(alpha);
}

}  // namespace GUI::ScriptAnim
