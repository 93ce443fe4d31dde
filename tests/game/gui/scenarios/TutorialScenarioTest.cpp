// Our first tutorial from the player's seat: the real game over a copy of
// the built data folder in which level 1-1 opens with it, played through
// the game driver in a child process of its own. The continue buttons are
// clicked where the message view says they are and the ring turn asked for
// is dragged; the ending dialog leads back to the map with the tutorial
// seen. With QUORVANE_FRAME_CAPTURE naming a folder, each step's frame is
// written there as PNG.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/main/CopiedDataFolder.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/RingPoints.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

using GUI::TArcadeWindow;
using GUI::TTutorialMsgViewImpl;

constexpr uint32_t kTutorialStepMs = 80;
constexpr int kTutorialMostSteps = 400;
constexpr int kTutorialMoveAttempts = 20;
constexpr uint32_t kTutorialAfterMoveMs = 1000;
// Past the won level's banner, to the way out.
constexpr uint32_t kTutorialLevelEndMs = 3000;

// The built data folder in which level 1-1 is our first tutorial.
class TutorialLevelData {
 public:
  TutorialLevelData() {
    const std::filesystem::path tutorials = mData.Assets() / "tutorials";
    for (const char* extension : {".lua", ".xml", ".txt"}) {
      std::filesystem::copy_file(tutorials / (std::string("tutorial0201") + extension),
                                 tutorials / (std::string("tutorial0101") + extension),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }

  std::string ProgramFolder() const { return mData.ProgramFolder(); }

 private:
  CopiedDataFolder mData;
};

// Game time moves on until the front dialog has faded in.
bool WaitForDialog(GameDriver& driver, TTutorialMsgViewImpl& messages) {
  for (int step = 0; step < kTutorialMostSteps && messages.GetFade() < 1.0f; ++step) {
    driver.AdvanceTime(kTutorialStepMs);
  }
  return messages.GetFade() >= 1.0f;
}

void ClickContinue(GameDriver& driver, TTutorialMsgViewImpl& messages) {
  const TRect button = messages.GetContinueButtonRect();
  driver.ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
}

// Drags a ring one slot the way the model says lines up a match.
void DragAMatch(GameDriver& driver, TArcadeWindow& window) {
  GamePlay::ITowerModel& model = *window.GetTowerModel();
  int32_t ring = 0;
  float slots = 1.0f;
  for (int32_t candidate = static_cast<int32_t>(model.GetRingCount()) - 1; candidate >= 0; --candidate) {
    for (int32_t steps : {1, -1}) {
      if (!model.PredictMatches({{candidate, steps}}).empty()) {
        ring = candidate;
        slots = static_cast<float>(steps);
      }
    }
  }
  const GamePlay::TPoint from = GUI::PointOnRing(window, ring, 0);
  const GamePlay::TPoint to = GUI::PointOnRing(window, ring, slots);
  driver.Drag(from.x, from.y, to.x, to.y);
}

class TutorialScenario : public testing::Test {
 protected:
  TutorialScenario() { game.start.programFolder = data.ProgramFolder(); }

  TutorialLevelData data;
  BuiltGameStart game;
};

TEST_F(TutorialScenario, OurFirstTutorialIsPlayedToItsEndAndMarkedSeen) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Click("playButton");
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "the map shows");
    driver.Click("level1");
    TArcadeWindow* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window && window->GetTutorialMsgView(), "level 1-1 is played")) return;
    TTutorialMsgViewImpl& messages = *window->GetTutorialMsgView();

    if (!driver.Check(WaitForDialog(driver, messages), "the welcome fades in")) return;
    driver.Check(messages.IsWaitingForClick() && !TArcadeWindow::AreGameClocksRunning(),
                 "the welcome holds the game until its button");
    CaptureScenarioFrame(driver, "tutorial-1-welcome.png");
    ClickContinue(driver, messages);
    if (!driver.Check(WaitForDialog(driver, messages), "the turn is asked for")) return;
    CaptureScenarioFrame(driver, "tutorial-2-turn.png");
    for (int attempt = 0; attempt < kTutorialMoveAttempts && !messages.IsWaitingForClick(); ++attempt) {
      DragAMatch(driver, *window);
      driver.AdvanceTime(kTutorialAfterMoveMs);
    }
    if (!driver.Check(messages.IsWaitingForClick(), "a match leads to the ending dialog")) return;
    if (!driver.Check(WaitForDialog(driver, messages), "the ending dialog fades in")) return;
    CaptureScenarioFrame(driver, "tutorial-3-end.png");
    ClickContinue(driver, messages);
    driver.Check(!messages.IsShowing(), "the ending dialog closes");
    driver.AdvanceTime(kTutorialLevelEndMs);
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "the tutorial leads back to the map");
    driver.Check(TGameApp::Instance().IsTutorialSeen({1, 1}), "the tutorial is seen");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
