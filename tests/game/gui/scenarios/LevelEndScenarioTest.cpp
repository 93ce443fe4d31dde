// The ways out of a level from the player's seat: the real game over a copy
// of the built data folder whose level 1-1 lasts four seconds, played
// through the game driver in a child process of its own. The time runs out
// and the lose dialog follows two seconds later; leaving it reaches the map.
// Then the level is won at once and its result leads through the table
// between levels to the map with level 1-2 open. The driver's passes let game time run a little ahead of the
// time it moves on, so the waits are checked at their middle here; their
// exact length is the tower view's tests' to check. With
// QUORVANE_FRAME_CAPTURE naming a folder, the frames of the level as
// its time runs out, of the lose dialog and of the result are written there as PNG.
#include <gtest/gtest.h>

#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "tests/game/gui/main/CopiedDataFolder.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/kinds/TButton.h"

namespace {

using GUI::TArcadeWindow;

constexpr const char* kLevelTimeRow = "Lvl01 Game Time</Data></Cell><Cell><Data ss:Type=\"String\">";
constexpr uint32_t kShortLevelLoseFlowMs = 2000;
constexpr uint32_t kShortLevelAfterWinMs = 1000;
// The closing flash that a Journey level's result waits for.
constexpr uint32_t kShortLevelFlashMs = 1000;
// A hurried score table counts the rest a step a pass; its quote shows in
// a second and a half.
constexpr uint32_t kHurriedTableMs = 300;
constexpr uint32_t kTableQuoteMs = 1500;
// One update of the play window, and enough of them for the start-up and
// the level's four seconds.
constexpr uint32_t kShortLevelTimeStep = 10;
constexpr int kShortLevelMostSteps = 1500;

// The built data folder with level 1-1 of the Journey cut to four seconds.
class ShortLevelData : public CopiedDataFolder {
 public:
  ShortLevelData() { SetRowValue("levels/world01.xml", kLevelTimeRow, "4"); }
};

TArcadeWindow* OpenLevelOne(GameDriver& driver) {
  driver.Check(driver.WaitForWindow("worldName") != nullptr, "the map shows");
  driver.Click("level1");
  TArcadeWindow* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  driver.Check(window && window->GetTowerView(), "level 1-1 is played");
  return window && window->GetTowerView() ? window : nullptr;
}

// Game time moves on until the level's time is up; false when it never is.
bool RunOutOfTime(GameDriver& driver, TArcadeWindow& window) {
  for (int step = 0; step < kShortLevelMostSteps && !window.GetTowerView()->IsTimeUpShown(); ++step) {
    driver.AdvanceTime(kShortLevelTimeStep);
  }
  return window.GetTowerView()->IsTimeUpShown();
}

class LevelEndScenario : public testing::Test {
 protected:
  LevelEndScenario() { game.start.programFolder = data.ProgramFolder(); }

  ShortLevelData data;
  BuiltGameStart game;
};

TEST_F(LevelEndScenario, ALevelOutOfTimeLosesToTheMapAndAWonOneShowsItsResult) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Click("playButton");
    TArcadeWindow* window = OpenLevelOne(driver);
    if (!window) return;
    if (!driver.Check(RunOutOfTime(driver, *window), "the four seconds run out")) return;
    CaptureScenarioFrame(driver, "play.png");
    driver.AdvanceTime(kShortLevelLoseFlowMs / 2);
    driver.Check(driver.FindWindow("loseHeading") == nullptr, "the lose dialog waits");
    driver.AdvanceTime(kShortLevelLoseFlowMs / 2 + kShortLevelTimeStep);
    driver.Check(driver.WaitForWindow("loseHeading") != nullptr, "then shows");
    TWindow* pauseButton = window->GetParent() ? window->GetParent()->FindChild("pauseButton") : nullptr;
    driver.Check(pauseButton && !pauseButton->IsVisible(), "without the pause button");
    CaptureScenarioFrame(driver, "lose.png");
    driver.Click("leaveButton");

    window = OpenLevelOne(driver);
    if (!window) return;
    window->GameFinish();
    driver.AdvanceTime(kShortLevelAfterWinMs + kShortLevelFlashMs / 2);
    driver.Check(driver.FindWindow("collectableTable") == nullptr, "the result waits for the flash");
    CaptureScenarioFrame(driver, "flash.png");
    driver.AdvanceTime(kShortLevelFlashMs / 2 + 2 * kShortLevelTimeStep);
    driver.Check(driver.WaitForWindow("collectableTable") != nullptr, "then shows");
    // A click hurries the table's count; the next shows the quote when the
    // level's target is reached, and continue follows.
    driver.Click("hurryButton");
    driver.AdvanceTime(kHurriedTableMs);
    driver.Click("hurryButton");
    driver.AdvanceTime(kTableQuoteMs);
    CaptureScenarioFrame(driver, "result.png");
    driver.Check(driver.WaitForWindow("continueButton") != nullptr, "continue shows once the table is done");
    driver.Click("continueButton");
    driver.Check(driver.WaitForWindow("GameTips") != nullptr, "the result leads to the table between levels");
    driver.Click("continueButton");
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "and on to the map");
    driver.Check(TButton::Cast(driver.FindWindow("level2")) != nullptr, "with level 1-2 open");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
