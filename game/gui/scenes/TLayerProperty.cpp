#include "game/gui/scenes/TLayerProperty.h"

#include <utility>

#include "game/gui/scenes/TLayer.h"

namespace GUI::ScriptAnim {

void TLayerPos::Apply(TLayer& layer) { layer.SetPos(mPosition); }

void TLayerAlpha::Apply(TLayer& layer) { layer.SetAlpha(mAlpha); }

void TLayerScale::Apply(TLayer& layer) { layer.SetScale(mScale); }

void TLayerRotation::Apply(TLayer& layer) { layer.SetRotation(mRadians); }

void TLayerPropertyList::Add(std::shared_ptr<TLayerProperty> property) {
  mAll.push_back(property);
  mPending.push_back(std::move(property));
}

void TLayerPropertyList::ApplyPending(TLayer& layer) {
  for (const std::shared_ptr<TLayerProperty>& property : mPending) property->Apply(layer);
  mPending.clear();
}

}  // namespace GUI::ScriptAnim
