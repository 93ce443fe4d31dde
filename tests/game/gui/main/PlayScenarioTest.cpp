// The road into a level from the player's seat: the real game started over
// the built data folder in a child process of its own, played through the
// game driver from the title menu to a ring turned on level 1-1 and back to
// the map through the pause dialog.
#include <gtest/gtest.h>

#include <string>

#include "app/TAppPlatform.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/play/RingPoints.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"

namespace {

using GUI::TArcadeWindow;

constexpr uint32_t kVirtualKeyEscape = 0x1B;
// Game time for the start-up delivery of level 1-1 to end, and the most a
// player waits for the tower to settle before a grab is taken.
constexpr uint32_t kStartUpMilliseconds = 3000;
constexpr int kGrabAttempts = 10;
// The longest a player waits for the tower to take a grab: its pieces are
// dealt at random, so a match may have left columns that delivery refills
// first.
constexpr int kReadyChecks = 300;
constexpr uint32_t kReadyCheckMilliseconds = 100;

// Whether the tower takes a grab now: nothing moving, nothing to deliver.
bool TakesAGrab(TArcadeWindow& window) {
  GamePlay::ITowerModel& tower = *window.GetTowerModel();
  return !window.GetTowerControl()->GetInputLocks()->IsAnyLocked() && !tower.IsComboRunning() &&
         !tower.CanDeliver();
}

void WaitUntilTheTowerTakesAGrab(GameDriver& driver, TArcadeWindow& window) {
  for (int check = 0; check < kReadyChecks && !TakesAGrab(window); ++check) {
    driver.AdvanceTime(kReadyCheckMilliseconds);
  }
}

// A person's drag: the pointer moves while game time goes on.
void DragRingOneSlot(GameDriver& driver, TArcadeWindow& window, int32_t ring) {
  const GamePlay::TPoint from = GUI::PointOnRing(window, ring, 0);
  const GamePlay::TPoint to = GUI::PointOnRing(window, ring, 1);
  driver.Desktop().MoveTo(from.x, from.y);
  driver.Desktop().Press(sys::MouseButton::Left, from.x, from.y);
  driver.AdvanceTime(30);
  driver.Desktop().MoveTo(to.x, to.y);
  driver.AdvanceTime(30);
  driver.Desktop().Release(sys::MouseButton::Left, to.x, to.y);
  driver.AdvanceTime(1000);
}

class PlayScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(PlayScenario, FromTheMenuToARingTurnedOnLevelOneAndBackToTheMap) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Click("playButton");
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "the map shows");
    driver.Click("level1");
    TArcadeWindow* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window && window->GetTowerControl(), "level 1-1 is played")) return;
    driver.Check(window->GetScoring()->GetLevelKey() == GamePlay::TLevelKey{1, 1}, "the level chosen");
    driver.Check(driver.Platform()->GetWindowManager()->GetFocus() == window, "the play window has the focus");
    driver.AdvanceTime(kStartUpMilliseconds);
    driver.Check(!window->GetTowerControl()->GetInputLocks()->IsAnyLocked(), "the start-up delivery ended");

    const GamePlay::TMetrics& metrics = *TGameApp::Instance().GetMetrics();
    for (int attempt = 0; attempt < kGrabAttempts && metrics.GetRingTurns() == 0; ++attempt) {
      WaitUntilTheTowerTakesAGrab(driver, *window);
      DragRingOneSlot(driver, *window, 1);
    }
    driver.Check(metrics.GetRingTurns() == 1,
                 "the drag turned ring 1 (turns counted: " + std::to_string(metrics.GetRingTurns()) + ")");

    driver.PressKey(kVirtualKeyEscape);
    driver.Check(driver.WaitForWindow("mapButton") != nullptr, "Escape opens the pause dialog");
    driver.Check(!TArcadeWindow::AreGameClocksRunning(), "and pauses the game");
    driver.Click("mapButton");
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "the pause dialog leads to the map");
    driver.Check(driver.FindWindow("playWindow") == nullptr, "in place of the play screen");
    driver.Check(TArcadeWindow::AreGameClocksRunning(), "with the game clocks running again");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
