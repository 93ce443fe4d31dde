// The game's sounds from the player's seat: the real game over the built
// data folder, in a child process of its own, played through the game
// driver: the title menu's music, a level's own music and what leaving the
// level leaves sounding. The instances of a sound are read from the sound
// itself, as the asset cache hands it out to whoever asks for it by the same
// name and group.
#include <gtest/gtest.h>

#include <memory>

#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/sound/TSoundFactory.h"
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
    WaitForLoadedMenu(driver);
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

constexpr uint32_t kVirtualKeyEscape = 0x1B;
// Game time for level 1-1's start-up, its rings rising with their sounds.
constexpr uint32_t kLevelStartMilliseconds = 600;

// Both musics begin with the intro: a new start of it while one instance
// plays is the other player taking over.
TEST(MenuMusicScenario, ALevelPlaysItsOwnMusicAndLeavingItBringsTheMenuMusicBack) {
  BuiltGameStart game;
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.WaitForWindow("playButton");
    const std::shared_ptr<TSound> intro = TSound::Get("music/intro.ogg", true, 2);
    const std::shared_ptr<TSound> warning = TSound::Get("music/almost-time-out.ogg", true, GUI::TSoundFactory::kEffectsGroup);
    driver.Click("playButton");
    driver.Click("level1");
    GUI::TArcadeWindow* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window != nullptr, "level 1-1 is played")) return;
    driver.Pass();
    driver.Check(StartedSoFar(intro) == 2 && PlayingNow(intro) == 1,
                 "the level's first frame stopped the menu's music and started its own");
    driver.AdvanceTime(kLevelStartMilliseconds);
    driver.Check(StartedSoFar(intro) == 2, "the level's music plays on from frame to frame");
    // A looped effect, as a level near its time limit has, outlasts any
    // real time the way out takes.
    GUI::TSoundFactory::Instance().StartAlmostTimeOut();
    driver.Check(PlayingNow(warning) == 1, "the level's looped effect sounds");

    driver.PressKey(kVirtualKeyEscape);
    driver.WaitForWindow("mapButton");
    driver.Click("mapButton");
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "the pause dialog leads to the map");
    driver.Pass();  // the play screen goes once the map has taken its place
    driver.Check(PlayingNow(warning) == 0, "leaving the level stopped its effects");
    driver.Check(StartedSoFar(intro) == 3 && PlayingNow(intro) == 1,
                 "the level's music gave way to the menu's, started again");
    driver.Click("backButton");
    driver.WaitForWindow("playButton");
    driver.Check(StartedSoFar(intro) == 3, "the menu's music plays on into the title menu");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
