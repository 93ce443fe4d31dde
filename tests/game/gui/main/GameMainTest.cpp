// The game's main function, each start in a child process of its own, played
// through the game driver over the built data folder.
#include "game/gui/main/GameMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/main/TGameApp.h"
#include "platform/prefs/TPrefs.h"
#include "system/window/Message.h"
#include "system/window/VirtualKeys.h"
#include "tests/game/gui/effects/ProbeGraphic.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/game/BuiltGameStart.h"
#include "app/TAppPlatform.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"

namespace {

// A dialog of the test's own over the title menu: it notes the metrics
// recorder's count at each key that reaches it, and whether the recorder was
// still there when the dialog went.
struct Probe {
  std::vector<uint32_t> ticksAtKeys;
  bool destroyed = false;
  bool destroyedBeforeShutdown = false;
};
Probe gProbe;

uint32_t Ticks() { return TGameApp::Instance().GetMetrics()->GetTicks(); }

class ProbeWindow final : public TWindow {
 public:
  ~ProbeWindow() override {
    gProbe.destroyed = true;
    gProbe.destroyedBeforeShutdown = TGameApp::Instance().GetMetrics() != nullptr;
  }
  bool OnKeyDown(uint8_t, uint32_t) override {
    gProbe.ticksAtKeys.push_back(Ticks());
    return true;
  }
};

void OpenProbe(GameDriver& driver) {
  driver.Platform()->GetWindowManager()->PushModal(std::make_unique<ProbeWindow>());
}

// When the graphics registry let go of a graphic of the test's: whether the
// game still ran (its metrics recorder was there) and the display was still
// there.
struct GraphicGone {
  bool gone = false;
  bool whileGameRan = false;
  bool whileDisplayWasThere = false;
};
GraphicGone gGraphicGone;

// Registers a graphic held by the registry alone, which notes when it goes.
void RegisterProbeGraphic() {
  GUI::TGraphicRegistry::Instance().Register("probe", std::make_shared<GUI::ProbeGraphic>("probe", nullptr, [] {
    gGraphicGone.gone = true;
    gGraphicGone.whileGameRan = TGameApp::Instance().GetMetrics() != nullptr;
    TPlatform* platform = TPlatform::Instance();
    gGraphicGone.whileDisplayWasThere = platform && platform->GetDisplayHandler();
  }));
}

class GameMainTest : public testing::Test {
 protected:
  BuiltGameStart game;
};

// The window's close box posts quit; the loop runs on to the quit and the
// program ends with code 0.
TEST_F(GameMainTest, ACloseRequestEndsTheLoopAtTheQuitWithCodeZero) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Pass(3);
    driver.Check(driver.Desktop().title == "quorvane", "the window is titled " + driver.Desktop().title);
    driver.RequestClose();
    driver.WaitForEnd();
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// The close request lets go of the graphics while the loop still runs; the
// second clearing at shut-down finds nothing left and does no harm.
TEST_F(GameMainTest, ACloseRequestLetsGoOfTheGraphicsBeforeTheQuit) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    std::weak_ptr<GUI::IGraphic> preloaded = GUI::TGraphicRegistry::Instance().GetGraphic("sprites/piece-red-%d");
    driver.Check(!preloaded.expired(), "the pieces were loaded");
    RegisterProbeGraphic();
    driver.RequestClose();
    driver.WaitForEnd();
    driver.Check(gGraphicGone.gone && gGraphicGone.whileGameRan, "the registry let go before shut-down");
    driver.Check(preloaded.expired(), "the preloaded graphics went too");
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// "Quit" ends the game without a close request: shut-down lets go of the
// graphics, whose textures the display holds, while the display is there.
TEST_F(GameMainTest, ShutDownLetsGoOfTheGraphicsWhileTheDisplayIsThere) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    RegisterProbeGraphic();
    driver.Click("quitButton");
    driver.WaitForEnd();
    driver.Check(gGraphicGone.gone, "the registry let go at shut-down");
    driver.Check(!gGraphicGone.whileGameRan, "after the loop");
    driver.Check(gGraphicGone.whileDisplayWasThere, "while the display was there");
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// Every event, idle ones included, is counted once, and before the window
// manager hands it on: the first key after an idle pass finds the idle event
// and itself counted.
TEST_F(GameMainTest, EveryEventTicksTheMetricsOnceBeforeTheWindowsSeeIt) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Pass(3);
    uint32_t before = Ticks();
    driver.Pass();
    driver.Check(Ticks() == before + 1, "an idle pass is one event");
    OpenProbe(driver);
    driver.Pass();
    uint32_t idle = Ticks();
    for (int i = 0; i < 3; ++i) driver.Desktop().PressKey('K');
    driver.Pass();
    std::vector<uint32_t> expected{idle + 2, idle + 3, idle + 4};
    std::string seen;
    for (uint32_t ticks : gProbe.ticksAtKeys) seen += " " + std::to_string(ticks - idle);
    driver.Check(gProbe.ticksAtKeys == expected, "each key is counted once, before the dialog sees it:" + seen);
  });
  EXPECT_EQ(run.failures, "");
}

// Alt+Enter: the platform switches, and the game keeps the new state as the
// player's choice, which the saved preferences hold after shut-down.
TEST_F(GameMainTest, AltEnterStoresFullScreenForThePlayerAndShutDownSavesIt) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Pass(3);
    TGameApp& app = TGameApp::Instance();
    driver.Check(!app.GetFullScreenOption(), "the game starts in a window");
    driver.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    driver.Check(driver.Desktop().fullScreen, "the display went full screen");
    driver.Check(app.GetFullScreenOption(), "the player's choice is full screen");
    app.SetLevelHiscore({1, 1}, 4321);
    driver.RequestClose();
    driver.WaitForEnd();
    TPrefs saved(false);
    driver.Check(saved.GetInt("fullscreen", 0, 0) == 1, "the saved file holds the choice");
    driver.Check(saved.GetInt("HS0101", 0, -1) == 4321, "and what waited for the save");
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// Every start plays as a fresh "Web": what the last player set is gone, the
// file itself is read as it was left.
TEST_F(GameMainTest, ASecondStartPlaysAsAFreshWebOverTheSameFile) {
  GameRun first = PlayGame(game.start, [](GameDriver& driver) {
    driver.Pass(3);
    TGameApp::Instance().SetTutorialSeen({1, 1});
    TGameApp::Instance().SetLevelHiscore({2, 3}, 777);
    driver.PressKey(sys::vk::kReturn, sys::kModifierAlt);
  });
  ASSERT_EQ(first.failures, "");
  GameRun second = PlayGame(game.start, [](GameDriver& driver) {
    driver.Pass(3);
    TGameApp& app = TGameApp::Instance();
    driver.Check(app.GetNumUsers() == 1 && app.GetCurrentUser() == 0, "one player, the current one");
    driver.Check(app.GetCurrentUserName() == "Web", "named Web");
    driver.Check(!app.IsTutorialSeen({1, 1}) && !app.GetFullScreenOption(), "the last player's entries are gone");
    driver.Check(!driver.Desktop().fullScreen, "so the display opens in a window");
    driver.Check(app.GetLevelHiscore({2, 3}) == 777, "the file was read as it was left");
  });
  EXPECT_EQ(second.failures, "");
  EXPECT_EQ(second.exitCode, 0);
}

// A seed that is not a plain number is refused with a log line, and the game
// deals from the clock as it does without one.
TEST_F(GameMainTest, ASeedThatIsNoNumberIsRefusedAndTheClockSeeds) {
  game.start.commandLine = "--multiple options=randomseed=12ab";
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Pass(3);
    const std::string log = driver.LogText();
    driver.Check(log.find("Ignoring randomseed \"12ab\"") != std::string::npos, "the refusal is logged");
    driver.Check(log.find("Random seed ") != std::string::npos, "and the seed taken instead");
    driver.Check(log.find("Random seed 12\n") == std::string::npos, "not the number's first digits");
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// Dialogs above the root go first, before the records they report to.
TEST_F(GameMainTest, ShutDownFreesADialogStillOpenBeforeTheRecords) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.Pass(3);
    OpenProbe(driver);
    driver.Pass();
    driver.RequestClose();
    driver.WaitForEnd();
    driver.Check(gProbe.destroyed, "the dialog was freed");
    driver.Check(gProbe.destroyedBeforeShutdown, "while the metrics recorder was still there");
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
