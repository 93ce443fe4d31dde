// The game driver's promise to the scenarios: moving game time on steps the
// top dialog's tasks every 10 ms, as the game's loop does, while the frames
// drawn meanwhile are thinned to about one per 80 ms.
#include "tests/support/game/GameDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/TAppPlatform.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/core/TWindowTask.h"

namespace {

int gSteps = 0;

// Steps every 10 ms as the play window's update task does, and asks for a
// frame each time as the play screen does.
class SteppingProbe final : public TWindowTask {
 public:
  explicit SteppingProbe(TWindow& window) : TWindowTask(window) { Start(10, true, true, false); }

 protected:
  bool Animate() override {
    ++gSteps;
    GetWindow()->Invalidate();
    return true;
  }
};

TEST(GameDriverTest, MovingTimeOnStepsEvery10MillisecondsAndDrawsAFrameEvery80) {
  BuiltGameStart game;
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    TWindow* menu = WaitForLoadedMenu(driver);
    if (!menu) return;
    TWindow& top = *driver.Platform()->GetWindowManager()->GetTopModal();
    top.AddModalTask(std::make_unique<SteppingProbe>(top));
    driver.Pass();
    const int stepsBefore = gSteps;
    const int framesBefore = driver.Desktop().framesShown;
    driver.AdvanceTime(800);
    const int steps = gSteps - stepsBefore;
    const int frames = driver.Desktop().framesShown - framesBefore;
    driver.Check(steps >= 79 && steps <= 81, "80 steps in 800 ms, not " + std::to_string(steps));
    driver.Check(frames >= 10 && frames <= 11, "a frame every 80 ms, not " + std::to_string(frames) + " frames");
  });
  EXPECT_EQ(run.failures, "");
}

}  // namespace
