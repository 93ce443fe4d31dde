// The game-end screen over the built data folder, opened over the title
// menu as the play window opens it after 10-5: it plays the closing level,
// and its game-end window puts the shipped slides over it in turn, 2500 ms
// apart, each filling the screen; "Continue" leads back to the title menu.
// With QUORVANE_FRAME_CAPTURE naming a folder, the frames of the closing
// level before the slides and of the second slide are written there as PNG.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/TAppPlatform.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/screens/TGameEndWindow.h"
#include "game/rules/scoring/IScoringModel.h"
#include "media/texture/TTexture.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/script/TWindowScript.h"

namespace {

// What the play window runs after 10-5.
constexpr const char* kOpenGameEnd = "DoModal('scripts/endgame.lua')";
// The closing level's end, and the moment after it when the play window
// leaves a level with tutorial settings.
constexpr uint32_t kClosingLevelLeavesMs = 1100;
constexpr uint32_t kSlidePeriodMs = 2500;
constexpr uint32_t kDawnShownMs = 1500;

class GameEndSlideshowScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(GameEndSlideshowScenario, TheGameEndScreenShowsTheShippedSlidesOverTheClosingLevelThenLeavesForTheMenu) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Platform()->GetWindowManager()->GetScript()->DoLuaString(kOpenGameEnd);
    auto* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    GamePlay::IScoringModel* scoring = window ? window->GetScoring() : nullptr;
    if (!driver.Check(scoring != nullptr, "the closing level is played")) return;
    driver.Check(scoring->GetLevelKey().world == 99 && scoring->GetLevelKey().level == 1, "as level 99-1");
    driver.Check(window->IsGameEndScreen(), "as the game-end screen");
    driver.Check(driver.FindWindow("playButton") == nullptr, "in place of the title menu");
    auto* screen = static_cast<TImage*>(driver.WaitForWindow("screen"));
    if (!driver.Check(screen != nullptr, "the game-end window shows its screen")) return;
    const std::vector<std::shared_ptr<TTexture>> slides = GUI::TGameEmdTaskWindow::LoadSlides();
    for (const std::shared_ptr<TTexture>& slide : slides) {
      driver.Check(slide && slide->GetWidth() == 480 && slide->GetHeight() == 360, "every slide is 480 x 360");
    }
    driver.AdvanceTime(kDawnShownMs);
    driver.Check(screen->GetTexture() == nullptr, "the closing level shows alone at first");
    CaptureScenarioFrame(driver, "game-end-dawn.png");
    driver.AdvanceTime(kSlidePeriodMs - kDawnShownMs, kSlidePeriodMs);
    driver.Check(screen->GetTexture() == slides[0], "the first slide shows over the level 2500 ms later");
    driver.Check(screen->GetWidth() == 800 && screen->GetHeight() == 600, "filling the screen");
    driver.AdvanceTime(kSlidePeriodMs, kSlidePeriodMs);
    driver.Check(screen->GetTexture() == slides[1], "then the second");
    CaptureScenarioFrame(driver, "game-end-slide2.png");
    driver.Click("skipButton");
    driver.AdvanceTime(kClosingLevelLeavesMs);
    driver.Check(driver.WaitForWindow("playButton") != nullptr, "Continue leads back to the title menu");
    TGameApp& app = TGameApp::Instance();
    driver.Check(!app.IsTutorialMode(), "out of the tutorial mode the closing level is played in");
    driver.Check(!app.IsTutorialSeen({99, 1}), "ready for the next end of the Journey");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
