#include "game/gui/play/LevelEndFlows.h"

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/level/TLevelSettings.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace GUI {

namespace {

constexpr uint32_t kZenWorldOfFlows = 0;
constexpr uint32_t kGameEndWorldOfFlows = 99;
constexpr uint32_t kCompletedLevelState = 2;

void RunFlowScript(const char* text) {
  TWindowManager* manager = PlatformWindowManager();
  if (TWindowScript* script = manager ? manager->GetScript() : nullptr) script->DoLuaString(text, -1);
}

// The player cannot pause over the next screen. A script that took the play
// window out of its dialog leaves no button to hide.
void HidePauseButton(TArcadeWindow* playWindow) {
  TWindow* parent = playWindow ? playWindow->GetParent() : nullptr;
  TWindow* button = parent ? parent->FindChild("pauseButton") : nullptr;
  if (button && button != parent) button->ClearFlags(kWindowVisible);
}

}  // namespace

void RunLoseFlow(TArcadeWindow* playWindow, const GamePlay::TLevelKey& key) {
  if (key.world == kZenWorldOfFlows) {
    RunFlowScript("DoModal('scripts/losezen.lua')");
  } else {
    GamePlay::TWorldData::Instance().SetLastPlayingLevel(key.world, key.level);
    RunFlowScript("DoModal('scripts/lose.lua')");
  }
  HidePauseButton(playWindow);
}

void RunWonFlow(TArcadeWindow* playWindow, const GamePlay::TLevelKey& key) {
  if (key.world == kZenWorldOfFlows) {
    RunFlowScript("DoModal('scripts/collectable_table_zen.lua')");
    HidePauseButton(playWindow);
    return;
  }
  TGameApp& app = TGameApp::Instance();
  if (GamePlay::HasTutorialSettings(key, app)) {
    if (!app.IsTutorialMode()) app.SetTutorialSeen(key);
    RunFlowScript(key.world == kGameEndWorldOfFlows ? "DoModal('scripts/backfromendgame.lua')"
                                                    : "DoModal('scripts/backtometamapfromtutorial.lua')");
    return;
  }
  GamePlay::TWorldData::Instance().CompleteLevel(key.world, key.level, kCompletedLevelState);
  RunFlowScript("DoModal('scripts/collectable_table.lua')");
  HidePauseButton(playWindow);
}

}  // namespace GUI
