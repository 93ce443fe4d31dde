// The play window over a small level of its own data: the set-up of a
// level, the 10 ms step that runs only while the game clocks run, the
// pointer and keys, the Lua functions bound to the newest play window, the
// scripts that lead out of a level and the pauses of the game main.
#include "game/gui/play/TArcadeWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "game/gui/effects/TLifeBar.h"
#include "game/gui/play/PlayInterruption.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/IRateController.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "online/THostBridge.h"
#include "tests/game/gui/play/PlayLevelData.h"
#include "tests/game/gui/play/PlayWindowRig.h"
#include "tests/support/game/RingPoints.h"

namespace GUI {
namespace {

using GamePlay::TClockProxyRegistry;

// The sample level raises its next ring by this much per update.
constexpr float kDeliveryPerUpdate = 0.002f;
// Enough for the start-up delivery of the sample level to end.
constexpr int kStartUpUpdates = 300;
// The game's ring geometry, read from the sources (tests run in the
// source folder).
constexpr const char* kGameRingRecord = "assets/levels/rings.xml";

class PlayScreenTest : public testing::Test {
 protected:
  explicit PlayScreenTest(bool cheat = false) {
    WriteStringTable(rig.files, "strings.xml", PlayStrings(cheat));
    rig.LoadStrings();
    WriteLevel(rig.files, {1, 1}, "levels/world01.xml", false);
    WriteLevel(rig.files, {0, 1}, "levels/zen.xml", false);
    rig.Run("function DoModal(name) gRan = 'DoModal ' .. name end "
            "function SwapToModal(name) gRan = 'SwapToModal ' .. name end");
    rig.files.WriteAsset("scripts/quitfromgame.lua", "gRan = 'RunScript scripts/quitfromgame.lua'");
    std::ifstream rings(kGameRingRecord, std::ios::binary);
    rig.files.WriteAsset("levels/rings.xml", std::string(std::istreambuf_iterator<char>(rings), {}));
    WriteStringTable(rig.files, "levels/pregames.xml", {});  // indexes the files written before
    window = rig.AddPlayWindow();
  }

  // The level, its start-up delivery over.
  void StartLevel(int32_t world = 1, int32_t level = 1) {
    window->SetLevel(world, level);
    rig.Update(kStartUpUpdates);
  }

  float Delivered() { return window->GetDelivery()->GetRate(); }

  PlayWindowRig rig;
  TArcadeWindow* window = nullptr;
};

class CheatPlayScreenTest : public PlayScreenTest {
 protected:
  CheatPlayScreenTest() : PlayScreenTest(true) {}
};

// ---- Set-up.

TEST_F(PlayScreenTest, SetLevelBuildsTheModelAndItsViewsAndTakesTheFocus) {
  rig.manager.SetFocus(rig.dialog);
  window->SetLevel(1, 1);
  ASSERT_NE(window->GetTowerControl(), nullptr);
  EXPECT_EQ(window->GetTowerModel()->GetRingCount(), 5u);
  EXPECT_EQ(window->GetTowerControl()->GetModel(), window->GetTowerModel());
  EXPECT_EQ(window->GetTowerControl()->GetView(), window->GetTowerView());
  EXPECT_EQ(window->GetTowerModel()->GetScoring(), window->GetScoring());
  EXPECT_NE(window->GetTowerView()->GetLayer(), nullptr) << "set up with the model";
  EXPECT_EQ(window->GetScoring()->GetLevelKey(), (GamePlay::TLevelKey{1, 1}));
  EXPECT_NE(window->GetLevelTimer(), nullptr) << "a Journey level runs against time";
  EXPECT_EQ(rig.manager.GetFocus(), window);
  EXPECT_FALSE(window->IsGameEndScreen());
  EXPECT_FALSE(rig.dialog->FindChild("skipButton")->IsVisible()) << "1-1 is no tutorial";
}

TEST_F(PlayScreenTest, AZenLevelHasNoTimer) {
  window->SetLevel(0, 1);
  ASSERT_NE(window->GetTowerControl(), nullptr);
  EXPECT_EQ(window->GetLevelTimer(), nullptr);
  EXPECT_EQ(window->GetLifeBar(), nullptr);
  EXPECT_NE(window->GetBanner(), nullptr);
}

TEST_F(PlayScreenTest, ALevelWithATimerHasALifeBarAndATutorialNoBanner) {
  window->SetLevel(1, 1);
  EXPECT_NE(window->GetLifeBar(), nullptr);
  EXPECT_NE(window->GetBanner(), nullptr);
  WriteLevel(rig.files, {99, 1}, "tutorials/tutorial9901.xml", true);
  window->SetLevel(99, 1);
  ASSERT_NE(window->GetTowerControl(), nullptr);
  EXPECT_EQ(window->GetBanner(), nullptr);
}

TEST_F(PlayScreenTest, TheGameEndTutorialSetsTheGameEndFlagAndShowsSkip) {
  WriteLevel(rig.files, {99, 1}, "tutorials/tutorial9901.xml", true);
  window->SetLevel(99, 1);
  ASSERT_NE(window->GetTowerControl(), nullptr);
  EXPECT_TRUE(window->IsGameEndScreen());
  EXPECT_TRUE(rig.dialog->FindChild("skipButton")->IsVisible());
}

// A level that cannot be made leaves the window empty, and its way out
// still works.
TEST_F(PlayScreenTest, ALevelWithoutSettingsLeavesNoModelAndLeadsOut) {
  for (int32_t world : {11, -1, 3}) {
    window->SetLevel(world, 1);
    EXPECT_EQ(window->GetTowerControl(), nullptr) << world;
    rig.Update(5);
    window->Restart();
    rig.Frame();
    EXPECT_EQ(rig.Global("gRan"), "DoModal scripts/backtometamap.lua") << world;
    rig.Run("gRan = nil");
  }
}

TEST_F(PlayScreenTest, ThePregameTutorialComesFromPregamesXmlWhenItsNameIsSafe) {
  struct Case {
    const char* description;
    bool file;
    TableRows rows;
    const char* name;
  };
  const Case cases[] = {
      {"a row", true, {{"World01_01", "intro/first.lua"}}, "intro/first.lua"},
      {"no file", false, {}, ""},
      {"another level's row", true, {{"World01_02", "second.lua"}}, ""},
      {"a quote", true, {{"World01_01", "x') os.exit() ('"}}, ""},
      {"a line end", true, {{"World01_01", "a\nb"}}, ""},
      {"a backslash", true, {{"World01_01", "a\\b"}}, ""},
  };
  for (const Case& c : cases) {
    if (c.file) {
      WriteStringTable(rig.files, "levels/pregames.xml", c.rows);
    } else {
      std::remove(rig.files.AssetPath("levels/pregames.xml").c_str());
    }
    window->SetLevel(1, 1);
    EXPECT_EQ(std::string(window->GetPregameTutorial().CStr()), c.name) << c.description;
  }
}

TEST_F(PlayScreenTest, ThePregameTutorialOpensOnTheFirstFrameOnlyAndPausesTheClocks) {
  WriteStringTable(rig.files, "levels/pregames.xml", {{"World01_01", "intro.lua"}});
  window->SetLevel(1, 1);
  rig.Frame();
  EXPECT_EQ(rig.Global("gRan"), "DoModal tutorials/intro.lua");
  EXPECT_TRUE(TClockProxyRegistry::Instance().IsPaused());
  TClockProxyRegistry::Instance().ResumeAll();
  rig.Run("gRan = nil");
  window->SetLevel(1, 1);
  rig.Frame();
  EXPECT_EQ(rig.Global("gRan"), "nil") << "once per window";
  EXPECT_FALSE(TClockProxyRegistry::Instance().IsPaused());
}

// ---- Updates.

TEST_F(PlayScreenTest, TheModelStepsOncePerUpdateOnlyWhileTheClocksRun) {
  StartLevel();
  const float start = Delivered();
  TClockProxyRegistry& clocks = TClockProxyRegistry::Instance();
  clocks.PauseAll();
  rig.Update(50);
  EXPECT_FLOAT_EQ(Delivered(), start) << "paused";
  clocks.ResumeAll();
  clocks.SetSuspended(true);
  rig.Update(50);
  EXPECT_FLOAT_EQ(Delivered(), start) << "suspended";
  clocks.SetSuspended(false);

  for (int update = 0; update < 100; ++update) {
    rig.Update();
    if (update % 40 == 0) rig.Frame();
  }
  EXPECT_NEAR(Delivered(), start + 100 * kDeliveryPerUpdate, 1e-4) << "3 frames";
  for (int update = 0; update < 100; ++update) {
    rig.Update();
    rig.Frame();
  }
  EXPECT_NEAR(Delivered(), start + 200 * kDeliveryPerUpdate, 1e-4) << "100 frames";
}

TEST_F(PlayScreenTest, EveryUpdateInvalidatesTheWindowPausedOrNot) {
  window->SetLevel(1, 1);
  TClockProxyRegistry::Instance().PauseAll();
  for (int update = 0; update < 3; ++update) {
    rig.Frame();
    ASSERT_EQ(window->GetFlags() & kWindowNeedsDrawing, 0u);
    rig.Update();
    EXPECT_NE(window->GetFlags() & kWindowNeedsDrawing, 0u) << update;
  }
}

TEST_F(PlayScreenTest, ANewLevelReplacesTheOldOneWithItsOwnSteps) {
  StartLevel();
  GamePlay::ITowerModel* first = window->GetTowerModel();
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  EXPECT_EQ(result.tower, first) << "the level's tower is in its record";
  result.timer = window->GetLevelTimer();
  StartLevel();
  EXPECT_EQ(result.tower, window->GetTowerModel()) << "the old tower went, the new one is in the record";
  EXPECT_EQ(result.timer, nullptr);
  const float start = Delivered();
  rig.Update(100);
  EXPECT_NEAR(Delivered(), start + 100 * kDeliveryPerUpdate, 1e-4) << "one update task";
}

// ---- Input.

TEST_F(PlayScreenTest, ADragThroughTheHandlersTurnsTheRingOnlyWhileTheClocksRun) {
  StartLevel();
  ASSERT_FALSE(window->GetTowerControl()->GetInputLocks()->IsAnyLocked());
  for (bool running : {false, true}) {
    if (!running) TClockProxyRegistry::Instance().PauseAll();
    const GamePlay::TPoint from = PointOnRing(*window, 1, 0);
    const GamePlay::TPoint to = PointOnRing(*window, 1, 1);
    EXPECT_TRUE(window->OnMouseDown(from.x, from.y));
    TClockProxyRegistry::Instance().ResumeAll();
    rig.Update();
    if (!running) TClockProxyRegistry::Instance().PauseAll();
    EXPECT_TRUE(window->OnMouseMove(to.x, to.y));
    TClockProxyRegistry::Instance().ResumeAll();
    rig.Update();
    const float held = window->GetTowerView()->GetRingAngle(1);
    if (!running) TClockProxyRegistry::Instance().PauseAll();
    EXPECT_TRUE(window->OnMouseUp(to.x, to.y));
    TClockProxyRegistry::Instance().ResumeAll();
    rig.Update(60);
    EXPECT_EQ(held > 0.1f, running) << running;
    EXPECT_EQ(TGameApp::Instance().GetMetrics()->GetRingTurns(), running ? 1u : 0u) << running;
  }
}

TEST_F(PlayScreenTest, OtherButtonsAnswerForTheirCodes) {
  StartLevel();
  EXPECT_TRUE(window->OnMouseButton(0, 400, 300));
  EXPECT_TRUE(window->OnMouseButton(1, 400, 300));
  EXPECT_FALSE(window->OnMouseButton(2, 400, 300));
  EXPECT_TRUE(window->OnMouseButton(3, 400, 300));
  EXPECT_FALSE(window->OnMouseButton(4, 400, 300));
  EXPECT_FALSE(window->IsStatisticsShown()) << "no cheat mode";
}

TEST_F(CheatPlayScreenTest, ARightPressCloserThanTenPixelsToTheCentreTogglesTheStatistics) {
  StartLevel();
  ASSERT_TRUE(window->IsCheatMode());
  struct Case {
    int32_t x, y;
    bool toggles;
  };
  for (const Case& c : {Case{409, 300, true}, Case{400, 291, true}, Case{410, 300, false},
                        Case{406, 308, false}, Case{400, 300, true}}) {
    const bool before = window->IsStatisticsShown();
    window->OnMouseButton(1, c.x, c.y);
    EXPECT_EQ(window->IsStatisticsShown() != before, c.toggles) << c.x << "," << c.y;
  }
}

TEST_F(CheatPlayScreenTest, AMiddlePressInCheatModeFinishesTheLevelEvenWhileSuspended) {
  StartLevel();
  TClockProxyRegistry::Instance().SetSuspended(true);
  EXPECT_TRUE(window->OnMouseButton(3, 0, 0));
  EXPECT_FALSE(TClockProxyRegistry::Instance().IsSuspended());
  EXPECT_GT(GamePlay::TWorldData::Instance().GetLevelResult().totalScore +
                GamePlay::TWorldData::Instance().GetLevelResult().levelTimeMs,
            0) << "tallied";
}

TEST_F(PlayScreenTest, AMiddlePressWithoutCheatModeDoesNothing) {
  StartLevel();
  TClockProxyRegistry::Instance().SetSuspended(true);
  EXPECT_TRUE(window->OnMouseButton(3, 0, 0));
  EXPECT_TRUE(TClockProxyRegistry::Instance().IsSuspended());
}

TEST_F(PlayScreenTest, EscapePressesPauseAndEveryCharacterAnswersFalse) {
  StartLevel();
  EXPECT_FALSE(window->OnChar('a'));
  EXPECT_TRUE(rig.presses.empty());
  EXPECT_FALSE(window->OnChar(27));
  EXPECT_EQ(rig.presses, std::vector<std::string>{"pauseButton"});
}

// ---- Lua.

TEST_F(PlayScreenTest, TheEightFunctionsWorkFromAScript) {
  rig.Run("SetLevel(0, 1)");
  ASSERT_NE(window->GetTowerControl(), nullptr);
  EXPECT_EQ(rig.Global("IsGameEndScreen()"), "false");
  rig.Run("PauseGame()");
  EXPECT_TRUE(TClockProxyRegistry::Instance().IsPaused());
  rig.Run("ResumeGame()");
  EXPECT_FALSE(TClockProxyRegistry::Instance().IsPaused());
  TClockProxyRegistry::Instance().SetSuspended(true);
  rig.Run("PauseGame()");
  TClockProxyRegistry::Instance().SetSuspended(false);
  EXPECT_TRUE(TArcadeWindow::AreGameClocksRunning()) << "PauseGame while suspended paused nothing";
  TClockProxyRegistry::Instance().SetSuspended(true);
  rig.Run("GameFinish()");
  EXPECT_FALSE(TClockProxyRegistry::Instance().IsSuspended());
  rig.Run("Restart()");
  rig.Frame();
  EXPECT_EQ(rig.Global("gRan"), "DoModal scripts/backtozenmenu.lua");
  rig.Run("ResetGame()");
  rig.Frame();
  EXPECT_EQ(rig.Global("gRan"), "DoModal scripts/resetgame.lua");
  rig.Run("QuitFromGame()");
  rig.Frame();
  EXPECT_EQ(rig.Global("gRan"), "DoModal scripts/resetgame.lua") << "reset still wins";
}

TEST_F(PlayScreenTest, TheNewestPlayWindowTakesTheFunctionsAndAGoneOneIgnoresThem) {
  TArcadeWindow* second = rig.AddPlayWindow();
  rig.Run("SetLevel(1, 1)");
  EXPECT_EQ(window->GetTowerControl(), nullptr);
  EXPECT_NE(second->GetTowerControl(), nullptr);
  std::unique_ptr<TWindow> gone = rig.dialog->RemoveChild(second);
  gone.reset();
  for (const char* call : {"Restart()", "ResetGame()", "SetLevel(1, 1)", "PauseGame()", "ResumeGame()",
                           "QuitFromGame()", "GameFinish()"}) {
    rig.Run(call);
  }
  EXPECT_EQ(rig.Global("IsGameEndScreen()"), "false");
  EXPECT_FALSE(TClockProxyRegistry::Instance().IsPaused());
  EXPECT_EQ(window->GetTowerControl(), nullptr);
  rig.Update(3);
  rig.Frame();
  EXPECT_EQ(rig.Global("gRan"), "nil");
}

// ---- Leaving.

TEST_F(PlayScreenTest, TheEndFlowRunsTheScriptOfTheWayOut) {
  struct Case {
    bool reset, quit;
    int32_t world, level;
    const char* ran;
  };
  const Case cases[] = {
      {true, true, 1, 1, "DoModal scripts/resetgame.lua"},
      {false, true, 1, 1, "RunScript scripts/quitfromgame.lua"},
      {false, false, 10, 5, "DoModal scripts/endgame.lua"},
      {false, false, 0, 5, "SwapToModal scripts/zenendgame.lua"},
      {false, false, 2, 2, "SwapToModal scripts/zenendgame.lua"},
      {false, false, 0, 3, "DoModal scripts/backtozenmenu.lua"},
      {false, false, 1, 1, "DoModal scripts/backtometamap.lua"},
      {false, false, 10, 4, "DoModal scripts/backtometamap.lua"},
      {false, false, 2, 5, "DoModal scripts/backtometamap.lua"},
  };
  for (const Case& c : cases) {
    TArcadeWindow* playWindow = rig.AddPlayWindow();
    playWindow->SetLevel(c.world, c.level);
    if (c.quit) playWindow->QuitFromGame();
    if (c.reset) playWindow->ResetGame();
    playWindow->Restart();
    rig.Run("gRan = nil");
    rig.Frame();
    EXPECT_EQ(rig.Global("gRan"), c.ran) << c.world << "-" << c.level;
    rig.Run("gRan = nil");
    rig.Frame();
    EXPECT_EQ(rig.Global("gRan"), "nil") << "once";
    rig.dialog->RemoveChild(playWindow).reset();
  }
  EXPECT_TRUE(TGameApp::Instance().IsCompletedJourneyMode()) << "10-5 completes the Journey";
}

// ---- The host of a portal.

// The bridge and the application object are the process's: the host's
// requests are played in a child process of their own, which ends without
// running the process's destructors under the test's feet.
TEST_F(PlayScreenTest, InThePortalTheHostsResumeRequestPlaysTheLevelAgainAndItsQuitLeavesIt) {
  EXPECT_EXIT(
      {
        constexpr uint32_t kQuitRequest = 1;
        constexpr uint32_t kResumeRequest = 8;
        TGameApp::Instance().Shutdown();
        TGameApp::Instance().Init("-msn");
        THostBridge& bridge = THostBridge::Instance();
        bridge.EnableHostBridge();
        StartLevel();
        window->PauseGame();
        bridge.HandleHostCommand(kResumeRequest);
        rig.Update();
        const bool resumed = TArcadeWindow::AreGameClocksRunning();
        rig.Run("gRan = nil");
        rig.Frame();
        const bool playedAgain = rig.Global("gRan") == "DoModal scripts/resetgame.lua";
        bridge.HandleHostCommand(kQuitRequest);
        rig.Update();
        const bool left = rig.presses == std::vector<std::string>{"quitGame"};
        rig.Update();
        const bool once = rig.presses.size() == 1;
        std::_Exit(resumed && playedAgain && left && once ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(PlayScreenTest, OutsideThePortalTheHostsRequestsAreLeftAlone) {
  EXPECT_EXIT(
      {
        THostBridge& bridge = THostBridge::Instance();
        bridge.EnableHostBridge();
        StartLevel();
        bridge.HandleHostCommand(1);
        rig.Update();
        std::_Exit(rig.presses.empty() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

// ---- The game main's pauses.

TEST_F(PlayScreenTest, LeavingTheWindowPausesAndALostCaptureLetsGoOnlyWhilePlayHasTheFocus) {
  enum Focus { kPlay, kOther, kNone };
  struct Case {
    int32_t event;
    bool paused;
    Focus focus;
    bool pressed;
    bool letGo;
  };
  const Case cases[] = {
      {kEventActivation, false, kPlay, true, false},  {kEventActivation, true, kPlay, false, false},
      {kEventActivation, false, kOther, false, false}, {kEventActivation, false, kNone, false, false},
      {kEventMouseLost, false, kPlay, false, true},    {kEventMouseLost, true, kPlay, false, false},
      {kEventMouseLost, false, kOther, false, false},   {kEventMouseLost, false, kNone, false, false},
  };
  StartLevel();
  for (const Case& c : cases) {
    rig.presses.clear();
    const GamePlay::TPoint from = PointOnRing(*window, 1, 0);
    const GamePlay::TPoint to = PointOnRing(*window, 1, 1);
    window->OnMouseDown(from.x, from.y);
    rig.Update();
    if (c.paused) TClockProxyRegistry::Instance().PauseAll();
    TWindow* focus = c.focus == kPlay ? static_cast<TWindow*>(window) : nullptr;
    if (c.focus == kOther) focus = rig.dialog;
    rig.manager.SetFocus(focus);
    TEvent event;
    event.type = c.event;
    InterruptPlay(event, rig.manager);
    TClockProxyRegistry::Instance().ResumeAll();
    window->OnMouseMove(to.x, to.y);
    rig.Update();
    const bool held = window->GetTowerView()->GetRingAngle(1) > 0.1f;
    window->OnMouseUp(to.x, to.y);
    rig.Update(60);
    EXPECT_EQ(!rig.presses.empty(), c.pressed) << c.event << " " << c.paused << " " << c.focus;
    EXPECT_EQ(!held, c.letGo) << c.event << " " << c.paused << " " << c.focus;
  }
}

// ---- Lifetime.

TEST_F(PlayScreenTest, TheWindowGoesWithItsLevelAndItsTasksEnd) {
  StartLevel();
  rig.dialog->RemoveChild(window).reset();
  rig.Update(5);
  rig.Frame();
  SUCCEED() << "the tasks found their window gone";
}

// Cleared off its dialog for the level map to be built in its place, the
// window lets go of its level before the map loads its pictures.
TEST_F(PlayScreenTest, AWindowQueuedForDeletionLetsGoOfItsLevelAtOnce) {
  StartLevel();
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  ASSERT_EQ(result.tower, window->GetTowerModel());
  rig.dialog->DeleteChildren();
  EXPECT_EQ(window->GetTowerModel(), nullptr);
  EXPECT_EQ(window->GetScoring(), nullptr);
  EXPECT_EQ(result.tower, nullptr) << "the record holds no tower that went";
  rig.Update(5);
  rig.Frame();
  rig.manager.DeletePending();
}

TEST_F(PlayScreenTest, TheRigShutsDownWithTheLevelOpen) { StartLevel(); }

// The timer keeps a plain pointer to the life bar: a boost after the bar went
// would reach freed memory (the sanitizers of the test build see it).
TEST_F(PlayScreenTest, ABoostAfterANewLevelReachesOnlyTheNewLifeBar) {
  StartLevel();
  StartLevel();
  rig.Update(100);
  window->GetLevelTimer()->AddTime(-0.01f);
  ASSERT_NE(window->GetLifeBar(), nullptr);
  EXPECT_TRUE(window->GetLifeBar()->IsBoostShown());
  rig.Frame();
}

TEST_F(PlayScreenTest, TheWindowGoesMidLevelWithABoostShown) {
  StartLevel();
  rig.Update(100);
  window->GetLevelTimer()->AddTime(-0.01f);
  rig.Frame();
  ASSERT_TRUE(window->GetLifeBar()->IsBoostShown());
  rig.dialog->RemoveChild(window).reset();
  rig.Update(5);
  rig.Frame();
}

}  // namespace
}  // namespace GUI
