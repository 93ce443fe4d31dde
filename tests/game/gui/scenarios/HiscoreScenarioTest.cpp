// The hiscore screen in the whole game: reached from the title menu's
// "Hiscores", built by the game's own window type, and left with "Back".
#include <gtest/gtest.h>

#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/kinds/TText.h"

namespace {

class HiscoreScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

bool IsShown(GameDriver& driver, const char* name) {
  TWindow* window = driver.FindWindow(name);
  return window && window->IsVisible();
}

TEST_F(HiscoreScenario, TheTitleMenuLeadsToTheLocalScoresAndBack) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Click("viewhighscores");
    TText* mode = TText::Cast(driver.WaitForWindow("gamemode"));
    driver.Check(mode && mode->GetLabel() == "Journey", "the screen names the game's mode");
    driver.Check(IsShown(driver, "local") && IsShown(driver, "view") && !IsShown(driver, "submitscores"),
                 "it shows the local table, the way online and nothing to send");
    driver.Click("backButton");
    driver.Check(driver.WaitForWindow("playButton") != nullptr, "Back returns to the menu");
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
}

}  // namespace
