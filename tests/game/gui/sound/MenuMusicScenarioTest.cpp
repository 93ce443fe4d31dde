// The game's sounds from the player's seat: the real game over the built
// data folder, in a child process of its own, played through the game
// driver. The instances of a sound are read from the sound itself, as the
// asset cache hands it out to whoever asks for it by the same name.
#include <gtest/gtest.h>

#include <memory>

#include "media/sound/TSound.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

int PlayingNow(const std::shared_ptr<TSound>& sound) { return sound ? int(sound->Data().Handles().size()) : -1; }
int StartedSoFar(const std::shared_ptr<TSound>& sound) { return sound ? sound->Data().PeekHandle() : -1; }

TEST(MenuMusicScenario, TheTitleMenuPlaysItsMusicOnThroughTheMapAndButtonsSoundTheirPress) {
  BuiltGameStart game;
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    const std::shared_ptr<TSound> intro = TSound::Get("music/intro.ogg", true, 2);
    const std::shared_ptr<TSound> press = TSound::Get("music/button-press.ogg", true, 0);
    driver.Check(PlayingNow(intro) == 1, "the menu's music begins with its intro");
    driver.Check(StartedSoFar(press) == 0, "no press yet");
    driver.Click("playButton");
    driver.Check(StartedSoFar(press) == 1, "a button sounds its press");
    driver.Click("backButton");
    driver.WaitForWindow("playButton");
    driver.Check(StartedSoFar(intro) == 1 && PlayingNow(intro) == 1,
                 "the music plays on through the map and back, never started again");
    driver.Click("quitButton");
    driver.WaitForEnd();
    driver.Check(PlayingNow(intro) == 0, "the shut-down stopped the music");
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
