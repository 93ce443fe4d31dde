// The game driver's promise to the scenarios: moving game time on steps the
// top dialog's tasks every 10 ms, as the game's loop does, while the frames
// drawn meanwhile are thinned to about one per 80 ms, or as far apart as the
// script sets.
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

struct TStepsAndFrames {
  int steps = 0;
  int frames = 0;
};

TStepsAndFrames AdvanceAndCount(GameDriver& driver, uint32_t milliseconds) {
  const int stepsBefore = gSteps;
  const int framesBefore = driver.Desktop().framesShown;
  driver.AdvanceTime(milliseconds);
  return {gSteps - stepsBefore, driver.Desktop().framesShown - framesBefore};
}

TEST(GameDriverTest, MovingTimeOnStepsEvery10MillisecondsAndDrawsAFrameEvery80OrAsSet) {
  BuiltGameStart game;
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    TWindow* menu = WaitForLoadedMenu(driver);
    if (!menu) return;
    TWindow& top = *driver.Platform()->GetWindowManager()->GetTopModal();
    top.AddModalTask(std::make_unique<SteppingProbe>(top));
    driver.Pass();
    TStepsAndFrames counted = AdvanceAndCount(driver, 800);
    driver.Check(counted.steps >= 79 && counted.steps <= 81,
                 "80 steps in 800 ms, not " + std::to_string(counted.steps));
    driver.Check(counted.frames >= 10 && counted.frames <= 11,
                 "a frame every 80 ms, not " + std::to_string(counted.frames) + " frames");

    driver.SetFrameSpacing(400);
    counted = AdvanceAndCount(driver, 800);
    driver.Check(counted.steps >= 79 && counted.steps <= 81,
                 "thinner frames: still 80 steps in 800 ms, not " + std::to_string(counted.steps));
    driver.Check(counted.frames == 2, "a frame every 400 ms as set, not " + std::to_string(counted.frames) + " frames");
  });
  EXPECT_EQ(run.failures, "");
}

}  // namespace
