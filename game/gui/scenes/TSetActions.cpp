#include "game/gui/scenes/TSetActions.h"

#include "game/gui/scenes/TLayer.h"

namespace GUI::ScriptAnim {

void TAlphaAction::SetValue(TLayer& layer, const float& value) { layer.SetAlpha(value); }

void TScaleAction::SetValue(TLayer& layer, const float& value) { layer.SetScale(value); }

void TRotationAction::SetValue(TLayer& layer, const float& value) { layer.SetRotation(value); }

void TPosAction::SetValue(TLayer& layer, const TVec2& value) { layer.SetPos(value); }

}  // namespace GUI::ScriptAnim
