// The main menu in the game, started over the built data folder in a child
// process of its own: the start greets the player once the pictures are
// in, and a menu that finds them missing leads through the loading screen,
// whose percentage rises frame by frame, and back to itself.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/TAppPlatform.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/game/gui/screens/SlowFetch.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"

namespace GUI {
namespace {

constexpr uint32_t kPreloadListSize = 78;
constexpr uint32_t kMenuUpdateMs = 10;

// The hidden button of the menu's dialog: no visible window has its name.
TButton* MenuCloseButton(GameDriver& driver) {
  TWindow* root = driver.Platform()->GetWindowManager()->GetRootWindow();
  return TButton::Cast(root ? root->FindChild("hiddenCloseButton") : nullptr);
}

std::vector<std::string> QueuedNames() {
  std::vector<std::string> names;
  for (const auto& action : TGraphicRegistry::Instance().GetFetchQueue()) names.emplace_back(action->GetName().CStr());
  return names;
}

class MainMenuScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(MainMenuScenario, TheStartGreetsThePlayerOnceThePicturesAreIn) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    TWindow* welcome = driver.FindWindow("welcome");
    driver.Pass();
    driver.Check(TextOf(welcome) == "Welcome, Web!", "the menu greets the player: " + TextOf(welcome));
    driver.Check(TGraphicRegistry::Instance().IsComplete(), "after the pictures were loaded");
    driver.Check(driver.FindWindow("loadingText") == nullptr, "with the loading screen closed");
    driver.Check(driver.FindWindow("hiddenCloseButton") == nullptr, "the menu's close button is hidden");
    for (const char* name : {"playButton", "zenButton", "MoreGames", "quitButton"}) {
      driver.Check(driver.FindWindow(name) != nullptr, std::string(name) + " shows");
    }
    QuitThroughTheMenu(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// With the names let go, the menu's hidden button leads to the loading
// screen as at a start before loading. Its list is loaded for real, then
// traded for 78 fetches of 3 ms so that the loading takes game time.
TEST_F(MainMenuScenario, TheMenuLeadsThroughTheLoadingScreenAndBack) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    TGraphicRegistry& registry = TGraphicRegistry::Instance();
    registry.Clear();
    TButton* close = MenuCloseButton(driver);
    if (!driver.Check(close != nullptr, "the menu has its hidden button")) return;
    close->DoCommand();
    driver.Check(driver.WaitForWindow("loadingText") != nullptr, "the loading screen opens");
    driver.Check(driver.FindWindow("welcome") == nullptr, "in place of the menu");
    const std::vector<std::string> preload = QueuedNames();
    driver.Check(preload.size() == kPreloadListSize, "the preload list is queued: " + std::to_string(preload.size()));
    while (!registry.FetchNext()) {
    }
    QueueSlowFetches(registry, kPreloadListSize, 3);
    std::set<std::string> percentages;
    while (driver.FindWindow("loadingText") && percentages.size() < kPreloadListSize) {
      percentages.insert(TextOf(driver.FindWindow("loadingText")));
      driver.AdvanceTime(kMenuUpdateMs);
    }
    driver.Check(percentages.size() >= 5, "the percentage rose over several frames: " +
                                              std::to_string(percentages.size()) + " texts");
    driver.Check(TextOf(driver.WaitForWindow("welcome")) == "Welcome, Web!", "the menu greets the player again");
    for (const std::string& name : preload) {
      std::shared_ptr<IGraphic> graphic = registry.GetGraphic(name.c_str());
      driver.Check(graphic && graphic->GetFrameTexture(), name + " holds its texture");
    }
    QuitThroughTheMenu(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace GUI
