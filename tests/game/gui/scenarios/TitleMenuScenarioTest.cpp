// The game from the player's seat: started over the built data folder, each
// start in a child process of its own, played through the game driver.
#include <gtest/gtest.h>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/scoring/IScoringModel.h"
#include "platform/prefs/TPrefs.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/kinds/TText.h"

namespace {

// Whether the frame is gold at that point: red high, green fairly high, blue low.
bool IsGoldAt(const sys::Picture& picture, int32_t x, int32_t y) {
  if (x >= picture.width || y >= picture.height) return false;
  const uint32_t argb = picture.At(x, y);
  return ((argb >> 16) & 0xFF) > 0xC0 && ((argb >> 8) & 0xFF) > 0x90 && (argb & 0xFF) < 0x90;
}

class TitleMenuScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(TitleMenuScenario, TheTitleMenuOffersPlayAndQuitAndQuitEndsTheGame) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Check(LabelOf(WaitForLoadedMenu(driver)) == "Play", "the menu offers Play");
    driver.Check(LabelOf(driver.WaitForWindow("quitButton")) == "Quit", "and Quit");
    TText* title = TText::Cast(driver.WaitForWindow("titleText"));
    driver.Check(title && title->GetLabel() == "quorvane", "under the game's name");
    driver.Pass(2);
    driver.Check(IsGoldAt(driver.ShownPicture(), 250, 350), "the frame shows the tower's golden hub");
    TGameApp::Instance().SetLevelHiscore({1, 2}, 1200);
    driver.Click("quitButton");
    driver.WaitForEnd();
    TPrefs saved(false);
    driver.Check(saved.GetInt("HS0102", 0, -1) == 1200, "the preferences were saved");
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// "Play" leads to the level map of world 1, whose "Back" leads home.
TEST_F(TitleMenuScenario, PlayOpensTheLevelMapAndBackReturnsToTheMenu) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Click("playButton");
    TText* world = TText::Cast(driver.WaitForWindow("worldName"));
    driver.Check(world && world->GetLabel() == "World 1", "the map shows world 1");
    driver.Check(driver.FindWindow("level5") != nullptr, "with its five levels");
    driver.Check(driver.FindWindow("playButton") == nullptr, "in place of the menu");
    driver.Click("backButton");
    driver.Check(driver.WaitForWindow("playButton") != nullptr, "Back returns to the menu");
    driver.Check(driver.FindWindow("worldName") == nullptr, "and the map is gone");
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// "Zen" leads from the menu straight into the first Zen level.
TEST_F(TitleMenuScenario, ZenPlaysTheFirstZenLevel) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Check(LabelOf(driver.FindWindow("zenButton")) == "Zen", "the menu offers Zen");
    driver.Click("zenButton");
    GUI::TArcadeWindow* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window && window->GetScoring(), "a level is played")) return;
    driver.Check(window->GetScoring()->GetLevelKey() == GamePlay::TLevelKey{0, 1}, "Zen level 1");
    driver.Check(TGameApp::Instance().IsZenMode(), "in Zen mode");
    driver.Check(driver.FindWindow("welcome") == nullptr, "in place of the menu");
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
