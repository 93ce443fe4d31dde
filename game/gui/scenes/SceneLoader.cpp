#include "game/gui/scenes/SceneLoader.h"

#include <cstdlib>

#include "game/gui/scenes/ScriptAnimLoader.h"

namespace GUI {

TString SceneFileName(const GamePlay::TLevelKey& level, const TString& kind) {
  const int number = std::rand() % 2 + 1;
  if (level.world != 0) return TString::Format("backgrounds/%s1-%d.lua", kind.CStr(), number);
  if (kind == "back") return TString::Format("backgrounds/%s_zen%02d.lua", kind.CStr(), number);
  return "backgrounds/fore_zen.lua";
}

std::shared_ptr<ScriptAnim::TAnimations> LoadSceneAnimation(const GamePlay::TLevelKey& level, const TString& kind,
                                                            std::vector<std::shared_ptr<IGraphic>>& graphics) {
  return ScriptAnim::LoadScriptAnimations(SceneFileName(level, kind), graphics);
}

std::shared_ptr<ScriptAnim::TAnimations> LoadSceneAnimationFile(const TString& fileName,
                                                                std::vector<std::shared_ptr<IGraphic>>& graphics) {
  return ScriptAnim::LoadScriptAnimations(fileName, graphics);
}

void DrawScene(const std::shared_ptr<ScriptAnim::TAnimations>& scene, float alpha) {
  if (scene) scene->Draw(alpha);
}

}  // namespace GUI
