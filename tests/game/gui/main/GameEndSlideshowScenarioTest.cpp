// The game-end window's slideshow over the built data folder: a dialog with
// the window and its "screen" picture shows the four shipped slides in turn,
// 2500 ms apart, each filling the screen. With QUORVANE_FRAME_CAPTURE
// naming a folder, the frame of the second slide is written there as PNG.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/TAppPlatform.h"
#include "game/gui/screens/TGameEndWindow.h"
#include "media/texture/TTexture.h"
#include "system/gfx/PicturePng.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/script/TWindowScript.h"

namespace {

constexpr const char* kSlideshowDialog =
    "PushModal('slideshow') "
    "MakeDialog{ GameEndWindow{ name = 'gameEnd', x = 0, y = 0, w = 800, h = 600, "
    "  Bitmap{ name = 'screen', image = 'backgrounds/black-1', scale = 12.5, x = 0, y = 0 } } }";

class GameEndSlideshowScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(GameEndSlideshowScenario, TheShippedSlidesFillTheScreenInTurn) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.WaitForWindow("playButton");
    driver.Platform()->GetWindowManager()->GetScript()->DoLuaString(kSlideshowDialog);
    auto* screen = static_cast<TImage*>(driver.WaitForWindow("screen"));
    if (!driver.Check(screen != nullptr, "the game-end dialog opens")) return;
    const std::vector<std::shared_ptr<TTexture>> slides = GUI::TGameEmdTaskWindow::LoadSlides();
    for (const std::shared_ptr<TTexture>& slide : slides) {
      driver.Check(slide && slide->GetWidth() == 480 && slide->GetHeight() == 360, "every slide is 480 x 360");
    }
    driver.AdvanceTime(2500);
    driver.Pass();
    driver.Check(screen->GetTexture() == slides[0], "the first slide shows after 2500 ms");
    driver.Check(screen->GetWidth() == 800 && screen->GetHeight() == 600, "filling the screen");
    driver.AdvanceTime(2500);
    driver.Pass(3);
    driver.Check(screen->GetTexture() == slides[1], "then the second");
    if (const char* folder = std::getenv("QUORVANE_FRAME_CAPTURE")) {
      sys::gfx::WritePicturePng(driver.ShownPicture(), std::string(folder) + "/game-end-slide2.png");
    }
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
