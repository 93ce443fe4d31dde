// Feeds arbitrary bytes as a scene file ("backgrounds/fuzz.lua"), builds
// its scene and runs its timelines through a minute of game time. Only text
// that surely ends is run (as ScriptFuzzing judges it), and none that names
// "rep", whose one call could ask for more memory than the machine has:
// the scene's builder is on trial here, not the script language.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/ScriptFuzzing.h"
#include "game/gui/scenes/ScriptAnimLoader.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FuzzFileLayer.h"

namespace {

constexpr char kSceneFuzzFile[] = "backgrounds/fuzz.lua";
constexpr char kChunkSignature = '\x1b';

bool MayRunScene(const std::string& text) {
  if (text.find("rep") != std::string::npos) return false;
  if (!text.empty() && text[0] == kChunkSignature) return false;
  scriptfuzzing::CappedInterpreter interpreter;
  lua_State* L = interpreter.L();
  if (scriptfuzzing::load(L, text.data(), text.size(), 0) != 0) return true;  // the loader only reports it
  return scriptfuzzing::surelyends(scriptfuzzing::topproto(L));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  if (!MayRunScene(text)) return 0;
  FakePlatform platform;
  platform.recording = false;
  FakeClock clock;
  WriteFuzzAsset(kSceneFuzzFile, text);
  std::vector<std::shared_ptr<GUI::IGraphic>> graphics;
  const auto scene = GUI::ScriptAnim::LoadScriptAnimations(kSceneFuzzFile, graphics);
  for (int frame = 0; frame < 600; ++frame) {
    for (const auto& layer : scene->GetLayers()) layer->GetTimeline().Update(*layer);
    clock.Advance(100);
  }
  return 0;
}
