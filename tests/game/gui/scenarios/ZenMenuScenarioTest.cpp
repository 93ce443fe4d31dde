// The Zen menu from the player's seat: the real game over the built data
// folder in a child process of its own, with Zen open. The map's way into
// Zen shows the menu, whose time counts as Zen time; its first badge plays
// Zen level 1, and leaving that level leads back to the menu. The game is
// closed while the menu shows, and ends cleanly under the sanitizers.
#include <gtest/gtest.h>

#include "app/TAppPlatform.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TMetrics.h"
#include "game/rules/scoring/IScoringModel.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

using GUI::TArcadeWindow;

// Game time in the menu, in long frames.
constexpr uint32_t kInTheMenu = 1000;
constexpr uint32_t kMenuFrame = 100;

// The map's way into Zen (the title menu has a "zenButton" of its own).
bool OpenTheZenMenu(GameDriver& driver) {
  if (!driver.Check(driver.WaitForWindow("worldName") != nullptr, "the map shows")) return false;
  driver.Click("zenButton");
  return driver.Check(driver.WaitForWindow("zenMenuBack") != nullptr, "the map leads to the Zen menu");
}

class ZenMenuScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(ZenMenuScenario, TheMenuCountsZenTimeLeadsToItsLevelsAndMayBeOpenAtShutDown) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Platform()->GetWindowManager()->GetScript()->DoLuaString("gJourney.zenOpen = true", -1);
    driver.Click("playButton");
    if (!OpenTheZenMenu(driver)) return;
    const GamePlay::TMetrics& metrics = *TGameApp::Instance().GetMetrics();
    const uint32_t zenBefore = metrics.GetZenSessionTime();
    driver.AdvanceTime(kInTheMenu, kMenuFrame);
    driver.Check(metrics.GetZenSessionTime() - zenBefore >= kInTheMenu, "the time in the menu counts as Zen time");

    driver.Click("zen1");
    TArcadeWindow* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window && window->GetScoring(), "the first badge plays a level")) return;
    driver.Check(window->GetScoring()->GetLevelKey() == GamePlay::TLevelKey{0, 1}, "Zen level 1");
    driver.Check(driver.FindWindow("zenMenuBack") == nullptr, "in place of the menu");
    driver.Click("quitGame");
    driver.Check(driver.WaitForWindow("zenMenuBack") != nullptr, "leaving the level leads back to the menu");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
