// The loading screen in the game, started over the built data folder in a
// child process of its own: the start loads every preloaded graphic before
// the title menu, and a loading screen shows its progress as it goes.
#include <gtest/gtest.h>

#include <string>

#include "app/TAppPlatform.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "platform/text/Log.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/game/gui/screens/SlowFetch.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

// The first and the last action of the queue, the one whose key keeps its
// odd spelling, and a few between.
constexpr const char* kPreloadSamples[] = {
    "sprites/piece-spark-a8",     "sprites/piece-lock",          "sprites/enery-filling-%d",
    "sprites/piece-red-%d",       "sprites/piece-spark-red",     "sprites/jugs/center-color-blu-%d",
    "backgrounds/ends-paper-1",   "sprites/piece-powerup-abomb-%d",
};

// Passes in which no game time moves, for the screen the game opens with.
constexpr int kOpeningPasses = 20;

std::string LoadingLabel(GameDriver& driver) {
  TText* text = TText::Cast(driver.FindWindow("loadingText"));
  return text ? text->GetLabel().CStr() : "";
}

class LoadingScreenScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

// The game opens with its loading screen, before any game time has let it
// load a picture.
TEST_F(LoadingScreenScenario, TheGameOpensWithTheLoadingScreenAtNothingLoaded) {
  game.start.opening = [](GameDriver& driver) {
    driver.Check(driver.WaitForWindow("loadingScreen", kOpeningPasses) != nullptr, "the loading screen opens first");
    driver.Check(LoadingLabel(driver) == "Loading... 00%", "nothing is loaded yet: " + LoadingLabel(driver));
    driver.Check(driver.FindWindow("playButton") == nullptr, "the title menu waits behind it");
  };
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Check(WaitForLoadedMenu(driver) != nullptr, "the loading leads to the title menu");
  });
  EXPECT_EQ(run.failures, "");
}

// A name looked up before the loading screen would have stopped the whole
// preload: the graphics would be missing and the log would say so.
TEST_F(LoadingScreenScenario, TheStartLoadsEveryGraphicBeforeTheTitleMenu) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    TGraphicRegistry& registry = TGraphicRegistry::Instance();
    driver.Check(registry.IsComplete(), "the registry is complete");
    driver.Check(registry.GetFetchQueue().empty(), "nothing is left in the queue");
    driver.Check(driver.FindWindow("loadingText") == nullptr, "the loading screen has closed");
    for (const char* name : kPreloadSamples) {
      std::shared_ptr<IGraphic> graphic = registry.GetGraphic(name);
      driver.Check(graphic && graphic->GetFrameTexture(), std::string(name) + " is loaded");
    }
    const std::string log = ReadWholeFile(GetLogPath().CStr());
    driver.Check(log.find("Graphics preload skipped") == std::string::npos, "no name was known before loading");
    driver.Check(driver.ProblemsInLog().find("TDxTextureData") == std::string::npos, driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
}

// The loading screen opened again over the title menu, its list traded for
// 78 fetches of 3 ms: ten updates load 40 of them, and the screen closes
// itself once all are in.
TEST_F(LoadingScreenScenario, TheScreenShowsItsProgressAndClosesWhenAllAreIn) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    TGraphicRegistry& registry = TGraphicRegistry::Instance();
    registry.Clear();
    driver.Platform()->GetWindowManager()->GetScript()->DoLuaString(
        "PushModal('loading') ReadFile('scripts/loadingscreen.lua')");
    driver.Check(registry.GetFetchQueue().size() == 78, "the screen queued the preload list");
    while (!registry.FetchNext()) {
    }
    QueueSlowFetches(registry, 78, 3);
    driver.AdvanceTime(100);
    driver.Check(LoadingLabel(driver) == "Loading... 51%", "half-way: " + LoadingLabel(driver));
    driver.AdvanceTime(200);
    driver.Check(driver.WaitForWindow("playButton") != nullptr, "the title menu is back");
    driver.Check(driver.FindWindow("loadingText") == nullptr, "the loading screen has closed");
    driver.Check(registry.GetFetchQueue().empty(), "every fetch ran");
  });
  EXPECT_EQ(run.failures, "");
}

}  // namespace
}  // namespace GUI
