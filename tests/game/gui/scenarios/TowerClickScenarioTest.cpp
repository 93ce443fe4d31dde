// Clicks on the tower from the player's seat: the real game over the built
// data folder in a child process of its own. Clicks (a press and a release
// at one point) on the rings as the level starts, while its rings rise into
// place, turn nothing; clicks where the tower lies while the pause dialog
// shows reach no ring. The game draws on throughout with a clean log.
#include <gtest/gtest.h>

#include <string>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TMetrics.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/main/LevelOnePlay.h"
#include "tests/support/game/RingPoints.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

using GUI::TArcadeWindow;

// Clicks while the level starts: one every few updates, round the rings.
constexpr int kStartClicks = 20;
constexpr uint32_t kBetweenStartClicks = 50;
constexpr int kPausedClicks = 5;
// Game time after the dialog closed, for anything the clicks left behind.
constexpr uint32_t kAfterPauseMs = 400;
constexpr uint32_t kAfterPauseFrame = 20;


void ClickRing(GameDriver& driver, TArcadeWindow& window, int32_t ring, float slots) {
  const GamePlay::TPoint at = GUI::PointOnRing(window, ring, slots);
  driver.Desktop().MoveTo(at.x, at.y);
  driver.Desktop().Press(sys::MouseButton::Left, at.x, at.y);
  driver.Desktop().Release(sys::MouseButton::Left, at.x, at.y);
  driver.Pass();
}

class TowerClickScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(TowerClickScenario, ClicksAsTheLevelStartsAndOverThePauseDialogTurnNoRing) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    TArcadeWindow* window = PlayLevelOneFromTheMenu(driver);
    if (!window) return;
    const int32_t rings = static_cast<int32_t>(window->GetTowerModel()->GetRingCount());
    const GamePlay::TMetrics& metrics = *TGameApp::Instance().GetMetrics();

    for (int click = 0; click < kStartClicks; ++click) {
      ClickRing(driver, *window, click % rings, static_cast<float>(click % 12));
      driver.AdvanceTime(kBetweenStartClicks);
    }
    driver.Check(metrics.GetRingTurns() == 0, "clicks as the level starts turn no ring");

    driver.Click("pauseButton");
    if (!driver.Check(driver.WaitForWindow("returnGame") != nullptr, "the pause dialog shows")) return;
    const std::string before = TowerColours(*window);
    for (int click = 0; click < kPausedClicks; ++click) ClickRing(driver, *window, click % rings, 6.0f);
    driver.Check(TowerColours(*window) == before, "clicks over the pause dialog reach no ring");
    driver.Click("returnGame");
    driver.AdvanceTime(kAfterPauseMs, kAfterPauseFrame);
    driver.Check(metrics.GetRingTurns() == 0, "nor does the level turn one once it runs on");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
