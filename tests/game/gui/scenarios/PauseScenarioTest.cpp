// Pausing a level from the player's seat: the real game started over the
// built data folder in a child process of its own. A click on "pauseButton"
// and Escape each open the pause dialog once; while it shows, the level's
// delivery and the game clocks stand still over 10 s of game time; one
// press of "returnGame" closes it and resumes the level.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/IRateController.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

using GUI::TArcadeWindow;

constexpr uint32_t kPauseScenarioEscapeKey = 0x1B;
constexpr uint32_t kPauseScenarioStartUp = 3000;
constexpr uint32_t kPausedGameTime = 2000;

struct PauseWay {
  const char* name;
  std::function<void(GameDriver&)> pause;
};

// While the dialog shows, game time goes on for 2 s: the play window's
// delivery rate and a game clock stand still.
void CheckTheGameStandsStill(GameDriver& driver, TArcadeWindow& window, const std::string& way) {
  std::unique_ptr<GamePlay::IClockProxy> clock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
  clock->Start();
  const float rate = window.GetDelivery() ? window.GetDelivery()->GetRate() : 0.0f;
  driver.AdvanceTime(kPausedGameTime);
  driver.Check(clock->GetTime() == 0, way + ": a game clock stands still while paused");
  driver.Check(!window.GetDelivery() || window.GetDelivery()->GetRate() == rate,
               way + ": the delivery stands still while paused");
}

class PauseScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(PauseScenario, AClickAndEscapeEachOpenThePauseDialogOnce) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Click("playButton");
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "the map shows");
    driver.Click("level1");
    TArcadeWindow* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window && window->GetTowerControl(), "level 1-1 is played")) return;
    driver.AdvanceTime(kPauseScenarioStartUp);
    const PauseWay ways[] = {
        {"pauseButton", [](GameDriver& d) { d.Click("pauseButton"); }},
        {"Escape", [](GameDriver& d) { d.PressKey(kPauseScenarioEscapeKey); }},
    };
    for (const PauseWay& way : ways) {
      way.pause(driver);
      const std::string name = way.name;
      if (!driver.Check(driver.WaitForWindow("returnGame") != nullptr, name + " opens the pause dialog")) return;
      driver.Check(!TArcadeWindow::AreGameClocksRunning(), name + " pauses the game");
      CheckTheGameStandsStill(driver, *window, name);
      driver.Click("returnGame");
      driver.AdvanceTime(100);
      driver.Check(driver.FindWindow("returnGame") == nullptr, name + ": one press of returnGame closes the dialog");
      driver.Check(TArcadeWindow::AreGameClocksRunning(), name + ": returnGame resumes the game");
    }
    driver.RequestClose();
    driver.WaitForEnd();
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
