// The help screen from the player's seat, over the built data folder: the
// title menu's "Help" lists our tutorials; each plays in tutorial mode over
// the help screen's scenes with "Skip" shown, and leaving it leads back to
// the help screen with the mode off and the tutorial not seen (the script
// cases follow a skipped one, which is won, back there too).
// With QUORVANE_FRAME_CAPTURE naming a folder, the help screen and the
// tutorial over the help screen's scenes are written there as PNG.
#include <gtest/gtest.h>

#include <string>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

using GUI::TArcadeWindow;

// A moment of the tutorial, its scenes drawn.
constexpr uint32_t kHelpTutorialMs = 100;

// The help screen, by its first tutorial's button; null when it is not shown.
TWindow* WaitForHelpScreen(GameDriver& driver) {
  TWindow* first = driver.WaitForWindow("helpTutorial1");
  return first && driver.FindWindow("playWindow") == nullptr ? first : nullptr;
}

// Opens the tutorial of the help screen's button n; its play window, or null.
TArcadeWindow* PlayTutorial(GameDriver& driver, int n) {
  driver.Click("helpTutorial" + std::to_string(n));
  return TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
}

// Back on the help screen the mode is off and nothing was marked seen.
void CheckBackOnTheHelpScreen(GameDriver& driver, const GamePlay::TLevelKey& key, const std::string& how) {
  TGameApp& app = TGameApp::Instance();
  driver.Check(WaitForHelpScreen(driver) != nullptr, how + " leads back to the help screen");
  driver.Check(!app.IsTutorialMode(), how + ": tutorial mode is off again");
  driver.Check(!app.IsTutorialSeen(key), how + ": the tutorial is not marked seen");
}

class HelpScreenScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(HelpScreenScenario, TheHelpScreenListsOurTutorialsAndPlaysOneInTutorialModeUntilItIsLeft) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Check(LabelOf(driver.FindWindow("helpButton")) == "Help", "the title menu offers Help");
    driver.Click("helpButton");
    if (!driver.Check(WaitForHelpScreen(driver) != nullptr, "Help opens the help screen")) return;
    driver.Check(LabelOf(driver.FindWindow("helpTutorial1")) == "Turning rings", "the first tutorial is listed");
    driver.Check(LabelOf(driver.FindWindow("helpTutorial2")) == "Bombs", "and the second");
    driver.Pass(2);
    CaptureScenarioFrame(driver, "help-screen.png");

    TArcadeWindow* window = PlayTutorial(driver, 1);
    if (!driver.Check(window && window->GetTutorialMsgView(), "the first tutorial plays")) return;
    driver.Check(TGameApp::Instance().IsTutorialMode(), "in tutorial mode");
    TWindow* skip = driver.FindWindow("skipButton");
    driver.Check(skip && skip->IsVisible(), "with Skip shown");
    driver.AdvanceTime(kHelpTutorialMs);
    CaptureScenarioFrame(driver, "help-tutorial.png");
    driver.Click("quitGame");
    CheckBackOnTheHelpScreen(driver, {2, 1}, "Quit");

    driver.Click("helpBack");
    driver.Check(driver.WaitForWindow("playButton") != nullptr, "Back returns to the title menu");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
