// A tour of the game's screens: plays the game headless through the game
// driver, with a fixed seed, and writes a PNG of each screen it reaches,
// read back from the display, into the folder named on the command line.
//
//   tour <folder> [<folder holding the data folder "assets">]
//
// Exits 1 when a screen it waits for never shows or a picture is one flat
// colour, 2 on a wrong command line.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "system/gfx/PicturePng.h"
#include "system/window/VirtualKeys.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/ForkedGame.h"
#include "tests/support/game/LevelBotPlay.h"

namespace {

constexpr uint32_t kTourStartUp = 3000;
constexpr uint32_t kTourMidLevel = 1500;
constexpr uint32_t kTourLevelPlay = 240000;
constexpr uint32_t kTourWonFlow = 2100;
constexpr uint32_t kTourSettle = 600;

bool IsFlat(const sys::Picture& picture) {
  if (picture.pixels.empty()) return true;
  const uint32_t first = picture.pixels.front();
  return std::all_of(picture.pixels.begin(), picture.pixels.end(), [first](uint32_t pixel) { return pixel == first; });
}

// Writes the screen as it stands as <name>.png; a flat picture is a failure.
void Capture(GameDriver& driver, const std::string& folder, const std::string& name) {
  const sys::Picture picture = driver.ShownPicture();
  if (!driver.Check(!IsFlat(picture), "the picture of " + name + " is one flat colour")) return;
  driver.Check(sys::gfx::WritePicturePng(picture, folder + "/" + name + ".png"), "cannot write " + name + ".png");
}

// Waits for the window and lets its screen settle before the picture.
bool Reach(GameDriver& driver, const std::string& window) {
  if (!driver.WaitForWindow(window)) return false;
  driver.AdvanceTime(kTourSettle);
  return true;
}

void PlayTheTour(GameDriver& driver, const std::string& folder) {
  // An optimised build may load everything before the driver's first turn.
  if (driver.FindWindow("loadingScreen")) Capture(driver, folder, "loading");
  if (!Reach(driver, "playButton")) return;
  Capture(driver, folder, "main-menu");

  driver.Click("optionsButton");
  if (Reach(driver, "musiclevelslider")) Capture(driver, folder, "options");
  driver.Click("creditsButton");
  if (Reach(driver, "creditsBackButton")) Capture(driver, folder, "credits");
  driver.Click("creditsBackButton");
  driver.Click("doneButton");

  if (!Reach(driver, "playButton")) return;
  driver.Click("playButton");
  if (!Reach(driver, "worldName")) return;
  Capture(driver, folder, "map");
  driver.Click("level1");
  auto* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  if (!driver.Check(window != nullptr, "level 1-1 does not start")) return;
  driver.AdvanceTime(kTourStartUp + kTourMidLevel);
  Capture(driver, folder, "play");
  driver.PressKey(sys::vk::kEscape);
  if (Reach(driver, "returnGame")) Capture(driver, folder, "pause");
  driver.Click("returnGame");
  driver.AdvanceTime(kTourSettle);

  PlayLevelWithBot(driver, kTourLevelPlay);
  driver.AdvanceTime(kTourWonFlow);
  if (Reach(driver, "collectableTable")) Capture(driver, folder, "score-table");
  driver.Click("hurryButton");
  driver.AdvanceTime(kTourSettle);
  driver.Click("hurryButton");
  driver.AdvanceTime(kTourSettle);
  driver.Click("continueButton");
  if (!Reach(driver, "backButton")) return;
  driver.Click("backButton");

  if (!Reach(driver, "zenButton")) return;
  driver.Click("zenButton");
  if (driver.WaitForWindow("playWindow")) {
    driver.AdvanceTime(kTourStartUp + kTourMidLevel);
    Capture(driver, folder, "zen-play");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: tour <picture folder> [<folder holding the data folder>]\n");
    return 2;
  }
  const std::string folder = std::filesystem::absolute(argv[1]).string();
  std::filesystem::create_directories(folder);
  TempFolder home;
  GameStart start;
  start.commandLine = "--multiple options=randomseed=93";
  start.programFolder = argc == 3 ? std::filesystem::absolute(argv[2]).string() : QUORVANE_BUILD_FOLDER;
  start.home = home.Path();
  const GameRun run = PlayGame(start, [&folder](GameDriver& driver) { PlayTheTour(driver, folder); });
  std::fputs(run.failures.c_str(), stderr);
  return run.failures.empty() && run.exitCode == 0 ? 0 : 1;
}
