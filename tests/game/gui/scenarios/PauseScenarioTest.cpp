// Pausing a level from the player's seat: the real game started over the
// built data folder in a child process of its own. A click on
// "pauseButton", Escape and the loss of the window's activation each open
// the pause dialog once; while it shows, the level timer, the delivery and
// the game clocks stand still over 10 s of game time, and further changes
// of activation press nothing; one press of "returnGame", by a click or by
// Escape (also after a click beside the panel), closes it and the level
// runs on.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/IRateController.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "tests/game/gui/main/LevelOnePlay.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

using GUI::TArcadeWindow;

constexpr uint32_t kPauseScenarioEscapeKey = 0x1B;
// The level's start delay, passed in long frames; then the level timer
// starts within a few updates.
constexpr uint32_t kPauseScenarioStartDelay = 2500;
constexpr uint32_t kLongFrame = 100;
constexpr int kTimerStartUpdates = 100;
// Game time while the dialog shows, passed in frames of a second: nothing
// of the level may move on however late the frames come.
constexpr uint32_t kPausedGameTime = 10000;
constexpr uint32_t kPausedFrame = 1000;
// Game time after the dialog closed in which the level timer moves on.
constexpr uint32_t kResumedGameTime = 500;

// A point of the pause dialog away from its panel.
constexpr int32_t kBesideThePanelX = 60;
constexpr int32_t kBesideThePanelY = 560;

struct PauseWay {
  const char* name;
  std::function<void(GameDriver&)> pause;
  std::function<void(GameDriver&)> resume;
};

void ClickReturnGame(GameDriver& driver) { driver.Click("returnGame"); }

// A click beside the panel first: Escape still reaches the dialog.
void EscapeAfterAClickBesideThePanel(GameDriver& driver) {
  driver.ClickAt(kBesideThePanelX, kBesideThePanelY);
  driver.PressKey(kPauseScenarioEscapeKey);
}

// The windows of that name in the tree under window, itself included.
int CountWindows(TWindow& window, const std::string& name) {
  int count = window.GetName() == name.c_str() ? 1 : 0;
  for (TWindow* child : window.GetChildren()) count += CountWindows(*child, name);
  return count;
}

int PauseDialogs(GameDriver& driver) {
  TWindow* root = driver.FindWindow("playBackground");
  while (root && root->GetParent()) root = root->GetParent();
  return root ? CountWindows(*root, "pauseWindow") : 0;
}

float TimerRate(TArcadeWindow& window) {
  return window.GetLevelTimer() ? window.GetLevelTimer()->GetRate() : 0.0f;
}

// The level timer runs once the start-up delay and the level's banner are over.
bool WaitForTheLevelTimer(GameDriver& driver, TArcadeWindow& window) {
  driver.AdvanceTime(kPauseScenarioStartDelay, kLongFrame);
  for (int update = 0; update < kTimerStartUpdates && TimerRate(window) == 0.0f; ++update) {
    driver.AdvanceTime(GameDriver::kUpdate);
  }
  return driver.Check(TimerRate(window) > 0.0f, "the level timer runs");
}

// While the dialog shows, game time goes on for 10 s: the level timer, the
// delivery and the game clocks (one running from before the pause, one
// started in it) stand still, and activation changes press nothing.
void CheckTheGameStandsStill(GameDriver& driver, TArcadeWindow& window, GamePlay::IClockProxy& before,
                             const std::string& way) {
  std::unique_ptr<GamePlay::IClockProxy> during(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
  during->Start();
  const uint32_t beforeTime = before.GetTime();
  const float timer = TimerRate(window);
  const float delivery = window.GetDelivery() ? window.GetDelivery()->GetRate() : 0.0f;
  driver.Desktop().Report(sys::InputKind::FocusLost);
  driver.AdvanceTime(kPausedGameTime / 2, kPausedFrame);
  driver.Desktop().Report(sys::InputKind::FocusGained);
  driver.AdvanceTime(kPausedGameTime / 2, kPausedFrame);
  driver.Check(TimerRate(window) == timer, way + ": the level timer stands still while paused");
  driver.Check(!window.GetDelivery() || window.GetDelivery()->GetRate() == delivery,
               way + ": the delivery stands still while paused");
  driver.Check(before.GetTime() == beforeTime, way + ": a running game clock stands still while paused");
  driver.Check(during->GetTime() == 0, way + ": a game clock started while paused stands still");
  driver.Check(PauseDialogs(driver) == 1, way + ": activation changes while paused open nothing more");
}

class PauseScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(PauseScenario, EachWayOfPausingOpensTheDialogOnceAndTheLevelStandsStillUntilReturnGame) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    TArcadeWindow* window = PlayLevelOneFromTheMenu(driver);
    if (!window || !WaitForTheLevelTimer(driver, *window)) return;
    std::unique_ptr<GamePlay::IClockProxy> gameClock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
    gameClock->Start();
    const PauseWay ways[] = {
        {"pauseButton", [](GameDriver& d) { d.Click("pauseButton"); }, EscapeAfterAClickBesideThePanel},
        {"Escape", [](GameDriver& d) { d.PressKey(kPauseScenarioEscapeKey); }, ClickReturnGame},
        {"a lost activation", [](GameDriver& d) { d.Desktop().Report(sys::InputKind::FocusLost); },
         ClickReturnGame},
    };
    for (const PauseWay& way : ways) {
      const std::string name = way.name;
      way.pause(driver);
      if (!driver.Check(driver.WaitForWindow("returnGame") != nullptr, name + " opens the pause dialog")) return;
      driver.Pass();
      driver.Check(PauseDialogs(driver) == 1, name + " opens the dialog once");
      driver.Check(!TArcadeWindow::AreGameClocksRunning(), name + " pauses the game");
      CheckTheGameStandsStill(driver, *window, *gameClock, name);
      way.resume(driver);
      driver.Pass();
      driver.Check(PauseDialogs(driver) == 0, name + ": one press of returnGame closes the dialog");
      driver.Check(TArcadeWindow::AreGameClocksRunning(), name + ": returnGame resumes the game");
      const float timer = TimerRate(*window);
      driver.AdvanceTime(kResumedGameTime, kLongFrame);
      driver.Check(TimerRate(*window) > timer, name + ": the level timer runs on");
    }
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
