#pragma once

#include <memory>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/scenes/TAnimations.h"
#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"

namespace GUI {

// The scenes of a level, drawn behind ("back") and in front of ("fore") the
// tower, and the fixed scenes of the tutorial, help and game-end screens.
// Each graphic made for a scene without an alpha image goes to the end of
// graphics.

// The scene file of a level and kind. One of the two scenes of its kind is
// drawn at random, at each call: "backgrounds/back_zen01.lua" or
// "back_zen02.lua" behind a Zen level (world 0), always
// "backgrounds/fore_zen.lua" in front of one, "backgrounds/<kind>1-1.lua" or
// "<kind>1-2.lua" for every other world.
TString SceneFileName(const GamePlay::TLevelKey& level, const TString& kind);

std::shared_ptr<ScriptAnim::TAnimations> LoadSceneAnimation(const GamePlay::TLevelKey& level, const TString& kind,
                                                            std::vector<std::shared_ptr<IGraphic>>& graphics);
std::shared_ptr<ScriptAnim::TAnimations> LoadSceneAnimationFile(const TString& fileName,
                                                                std::vector<std::shared_ptr<IGraphic>>& graphics);

// Draws the scene, when there is one, at the alpha.
void DrawScene(const std::shared_ptr<ScriptAnim::TAnimations>& scene, float alpha);

}  // namespace GUI
