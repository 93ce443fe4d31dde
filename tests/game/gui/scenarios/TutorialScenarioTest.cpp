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
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "tests/game/gui/main/CopiedDataFolder.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "tests/support/game/TutorialPlay.h"

namespace {

using GUI::TArcadeWindow;
using GUI::TTutorialMsgViewImpl;

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

    if (!driver.Check(WaitForTutorialDialog(driver, messages), "the welcome fades in")) return;
    driver.Check(messages.IsWaitingForClick() && !TArcadeWindow::AreGameClocksRunning(),
                 "the welcome holds the game until its button");
    CaptureScenarioFrame(driver, "tutorial-1-welcome.png");
    ClickTutorialContinue(driver, messages);
    if (!driver.Check(WaitForTutorialDialog(driver, messages), "the turn is asked for")) return;
    CaptureScenarioFrame(driver, "tutorial-2-turn.png");
    if (!driver.Check(DragMatchesUntilADialogWaits(driver, *window, messages), "a match leads to the ending dialog")) {
      return;
    }
    if (!driver.Check(WaitForTutorialDialog(driver, messages), "the ending dialog fades in")) return;
    CaptureScenarioFrame(driver, "tutorial-3-end.png");
    ClickTutorialContinue(driver, messages);
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
