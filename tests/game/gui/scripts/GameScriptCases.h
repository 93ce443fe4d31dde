#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/gui/main/GameLuaFunctions.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/TCollectableTableWindow.h"
#include "game/gui/screens/TEndLevelTableWindow.h"
#include "game/gui/screens/TFadeInWindows.h"
#include "game/gui/screens/TGameEndWindow.h"
#include "game/gui/screens/TPauseWindow.h"
#include "game/gui/screens/TStartScreenWindow.h"
#include "game/gui/screens/TZenMenuWindow.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/scoring/TLevelResult.h"
#include "platform/TPlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/support/windows/ScreenScriptDriver.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

// What the suites of the game's screen scripts share: each case runs as the
// screen coroutine over the real window library (ScreenScriptDriver) with
// the game's own data, strings and fonts copied in, the game's window types
// that the way into a level and out of it passes registered, and the game's
// Lua functions bound.

namespace GUI {

// The visible or hidden window of that name anywhere on the screen.
inline TWindow* FindOnScreen(const TString& name) {
  TWindow* root = TPlatform::Instance()->GetWindowManager()->GetRootWindow();
  TWindow* found = root ? root->FindChild(name) : nullptr;
  return found == root ? nullptr : found;
}

// The level map starts the menu's music, which these cases do not hear.
inline void SilentMenuMusic() {}

// What a run wrote before its log, and the log's entries that report an
// error, a failed script or a missing label.
struct ScriptCaseRun {
  std::string printed;
  std::string problems;
};

inline ScriptCaseRun SplitScriptCaseRun(const std::string& output) {
  ScriptCaseRun run;
  size_t start = 0;
  while (start < output.size()) {
    const size_t end = output.find('\n', start);
    const std::string line = output.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
    start = end == std::string::npos ? output.size() : end + 1;
    if (line.rfind("log: ", 0) != 0) {
      run.printed += line;
    } else if (line.find("rror") != std::string::npos || line.find("Failed to run script") != std::string::npos ||
               line.find("Missing string") != std::string::npos) {
      run.problems += line;
    }
  }
  return run;
}

// The game's data and a suite's cases (in "cases"), in one folder the
// driver copies.
inline std::string GameDataWithCases(const TempFolder& folder, const char* casesFolder) {
  namespace fs = std::filesystem;
  const fs::path root = folder.Path();
  fs::copy(GAME_DATA_SOURCES, root, fs::copy_options::recursive);
  fs::copy(casesFolder, root / "cases", fs::copy_options::recursive);
  return root.string();
}

// Each case runs as it is and with the collector running at every check
// point, which finds a window or closure kept only by a dropped value.
class GameScriptCases : public testing::TestWithParam<bool> {
 protected:
  explicit GameScriptCases(const char* casesFolder) : driver(GameDataWithCases(mData, casesFolder), GetParam()) {
    driver.UseStringFile();
    driver.UseFontFiles();
    driver.Manager().AddWindowType("ArcadeWindow", &TArcadeWindow::Create);
    driver.Manager().AddWindowType("CollectableTableWindow", &TCollectableTableWindow::Create);
    driver.Manager().AddWindowType("PauseWindow", &TPauseWindow::Create);
    driver.Manager().AddWindowType("GameEndWindow", &TGameEndWindow::Create);
    driver.Manager().AddWindowType("EndLevelTableWindow", &TEndLevelTableWindow::Create);
    driver.Manager().AddWindowType("FadeInWindow", &TFadeInWindow::Create);
    driver.Manager().AddWindowType("StartScreenWindow", &TStartScreenWindow::Create);
    driver.Manager().AddWindowType("ZenMenuWindow", &TZenMenuWindow::Create);
    TGameApp& app = TGameApp::Instance();
    app.Init("");
    RegisterGameLuaFunctions(driver.Script(), app);
    BindFunction(driver.Script().GetState(), "PlayMainmenuBackground", &SilentMenuMusic);
  }

  ~GameScriptCases() override {
    GamePlay::TWorldData::Instance().GetLevelResult() = GamePlay::TLevelResult{};
    TGameApp::Instance().SetTutorialMode(false);
    TGameApp::Instance().Shutdown();
    GamePlay::TClockProxyRegistry& clocks = GamePlay::TClockProxyRegistry::Instance();
    clocks.SetSuspended(false);
    clocks.ResumeAll();
  }

  // Runs the case and checks what it wrote; the log must report no error,
  // no failed script and no missing label.
  void Expect(const std::string& file, const std::string& expected) {
    const ScriptCaseRun run = SplitScriptCaseRun(driver.Run("cases/" + file));
    EXPECT_EQ(run.printed, expected) << file;
    EXPECT_EQ(run.problems, "") << file;
  }

 private:
  TempFolder mData;

 protected:
  ScreenScriptDriver driver;
};

}  // namespace GUI
