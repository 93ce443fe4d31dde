// The ways out of a level the tower view leads: a lost level's script 2
// seconds of running game time after its end message, a won level's result
// or way back 1 second after its end (after the closing animation's flash
// on an ordinary Journey level), what each records, the pause button, and
// the lifetimes around them.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include "game/gui/effects/IEndLevelAnimation.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/progress/TWorldData.h"
#include "tests/game/gui/play/PlayLevelData.h"
#include "tests/game/gui/play/PlayWindowRig.h"

namespace GUI {
namespace {

using GamePlay::TClockProxyRegistry;

constexpr const char* kFlowRingRecord = "assets/levels/rings.xml";
constexpr int kUpdatesToLoseFlow = 200;   // 2,000 ms
constexpr int kUpdatesToAfterLevel = 100;  // 1,000 ms

// A closing animation that keeps the flash's callback for the test to run.
class HeldEndLevelAnimation final : public IEndLevelAnimation {
 public:
  void StartFlash(std::function<void()> callback) override { flash = std::move(callback); }
  void ShowBanner(bool tutorialSettings) override { banner = tutorialSettings ? "tutorial" : "level"; }
  void DrawFlash(const TVec2&) override {}
  void DrawPanel(const TVec2&) override {}
  void DrawQuoteSheet(const TVec2&) override {}

  std::function<void()> flash;
  std::string banner = "none";
};

class LevelEndFlowTest : public testing::Test {
 protected:
  LevelEndFlowTest() {
    WriteStringTable(rig.files, "strings.xml", PlayStrings(false));
    rig.LoadStrings();
    WriteLevel(rig.files, {1, 1}, "levels/world01.xml", false);
    WriteLevel(rig.files, {0, 1}, "levels/zen.xml", false);
    WriteLevel(rig.files, {2, 1}, "tutorials/tutorial0201.xml", true);
    WriteLevel(rig.files, {3, 1}, "tutorials/tutorial0301.xml", true);
    WriteLevel(rig.files, {99, 1}, "tutorials/tutorial9901.xml", true);
    rig.Run("function DoModal(name) gRan = name end");
    std::ifstream rings(kFlowRingRecord, std::ios::binary);
    rig.files.WriteAsset("levels/rings.xml", std::string(std::istreambuf_iterator<char>(rings), {}));
    WriteStringTable(rig.files, "levels/pregames.xml", {});
    window = rig.AddPlayWindow();
  }

  TTowerViewImpl& View() { return *window->GetTowerView(); }
  std::string Ran() { return rig.Global("gRan"); }
  bool PauseButtonShown() { return rig.dialog->FindChild("pauseButton")->IsVisible(); }

  PlayWindowRig rig;
  TArcadeWindow* window = nullptr;
};

TEST_F(LevelEndFlowTest, TheLoseScriptOpensAfterTwoSecondsOfRunningGameTime) {
  window->SetLevel(1, 1);
  View().ShowTimeUpMessage();
  rig.Update(kUpdatesToLoseFlow / 2);
  View().ShowNoMoveMessage();  // does not set the flow back
  TClockProxyRegistry::Instance().PauseAll();
  rig.Update(kUpdatesToLoseFlow);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "paused";
  TClockProxyRegistry::Instance().ResumeAll();
  rig.Update(kUpdatesToLoseFlow / 2);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "at 2,000 ms, not past it";
  rig.Update();
  TClockProxyRegistry::Instance().SetSuspended(true);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "suspended";
  TClockProxyRegistry::Instance().SetSuspended(false);
  EXPECT_TRUE(PauseButtonShown());
  rig.Frame();
  EXPECT_EQ(Ran(), "scripts/lose.lua");
  EXPECT_FALSE(PauseButtonShown());
  EXPECT_EQ(GamePlay::TWorldData::Instance().GetLastPlayingLevel(), (GamePlay::TLevelKey{1, 1}));
  rig.Run("gRan = nil");
  rig.Update(kUpdatesToLoseFlow);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "once";
}

TEST_F(LevelEndFlowTest, ZenLosesToItsOwnScriptAndAMissingPauseButtonIsSkipped) {
  rig.dialog->RemoveChild(rig.dialog->FindChild("pauseButton")).reset();
  const GamePlay::TLevelKey lastBefore = GamePlay::TWorldData::Instance().GetLastPlayingLevel();
  window->SetLevel(0, 1);
  View().ShowNoMoveMessage();
  rig.Update(kUpdatesToLoseFlow + 1);
  rig.Frame();
  EXPECT_EQ(Ran(), "scripts/losezen.lua");
  EXPECT_EQ(GamePlay::TWorldData::Instance().GetLastPlayingLevel(), lastBefore) << "Zen is not recorded";
}

TEST_F(LevelEndFlowTest, AWonLevelLeadsOnAfterOneSecondTheWayItsKindGoes) {
  struct Case {
    int32_t world, level;
    bool tutorialMode, animation;
    const char* ran;
    bool waitsForFlash, completed, tutorialSeen, pauseShown;
  };
  const Case cases[] = {
      {0, 1, false, false, "scripts/collectable_table_zen.lua", false, false, false, false},
      {0, 1, false, true, "scripts/collectable_table_zen.lua", false, false, false, false},
      {1, 1, false, false, "scripts/collectable_table.lua", false, true, false, false},
      {1, 1, false, true, "scripts/collectable_table.lua", true, true, false, false},
      {2, 1, false, true, "scripts/backtometamapfromtutorial.lua", false, false, true, true},
      {3, 1, true, false, "scripts/backtometamapfromtutorial.lua", false, false, false, true},
      {99, 1, false, false, "scripts/backfromendgame.lua", false, false, true, true},
  };
  TGameApp& app = TGameApp::Instance();
  for (const Case& c : cases) {
    const GamePlay::TLevelKey key{static_cast<uint32_t>(c.world), static_cast<uint32_t>(c.level)};
    SCOPED_TRACE(testing::Message() << c.world << "-" << c.level << " mode " << c.tutorialMode << " animation "
                                    << c.animation);
    app.SetTutorialMode(c.tutorialMode);
    rig.dialog->FindChild("pauseButton")->AddFlags(kWindowVisible);
    TArcadeWindow* playWindow = rig.AddPlayWindow();
    playWindow->SetLevel(c.world, c.level);
    ASSERT_NE(playWindow->GetTowerView(), nullptr);
    HeldEndLevelAnimation* animation = nullptr;
    if (c.animation) {
      auto held = std::make_unique<HeldEndLevelAnimation>();
      animation = held.get();
      playWindow->GetTowerView()->SetEndLevelAnimation(std::move(held));
    } else {
      playWindow->GetTowerView()->SetEndLevelAnimation(nullptr);
    }
    rig.Run("gRan = nil");
    playWindow->GetTowerView()->OnLevelEnd();
    EXPECT_TRUE(playWindow->GetTowerView()->IsShowingMessage());
    if (animation) {
      EXPECT_EQ(animation->banner, c.tutorialMode || c.tutorialSeen ? "tutorial" : "level");
    }
    rig.Update(kUpdatesToAfterLevel);
    rig.Frame();
    EXPECT_EQ(Ran(), "nil") << "at 1,000 ms, not past it";
    rig.Update();
    rig.Frame();
    if (c.waitsForFlash) {
      EXPECT_EQ(Ran(), "nil");
      ASSERT_TRUE(animation->flash);
      animation->flash();
    } else if (animation) {
      EXPECT_FALSE(animation->flash);
    }
    EXPECT_EQ(Ran(), c.ran);
    EXPECT_EQ(GamePlay::TWorldData::Instance().GetCompletedLevels(key.world).contains(key.level), c.completed);
    EXPECT_EQ(app.IsTutorialSeen(key), c.tutorialSeen);
    EXPECT_EQ(PauseButtonShown(), c.pauseShown);
    rig.dialog->RemoveChild(playWindow).reset();
  }
  app.SetTutorialMode(false);
}

// The view's own animation: the won flow waits for its flash to run a
// second, and the level result names the animation only while its level lives.
TEST_F(LevelEndFlowTest, TheViewsOwnFlashLeadsOnOneSecondAfterItStarts) {
  window->SetLevel(1, 1);
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  EXPECT_NE(result.endLevelAnimation, nullptr);
  View().OnLevelEnd();
  rig.Update(kUpdatesToAfterLevel + 1);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "the flash has started";
  rig.Update(kUpdatesToAfterLevel);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "one second, not past it";
  rig.Update();
  rig.Frame();
  EXPECT_EQ(Ran(), "scripts/collectable_table.lua");
  rig.dialog->RemoveChild(window).reset();
  EXPECT_EQ(result.endLevelAnimation, nullptr) << "gone with its level";
}

// The won flow's script replaces the level while the flash's draw is under
// way: the old view and its animation go at once, and nothing of them is
// touched after.
TEST_F(LevelEndFlowTest, AFlashWhoseScriptReplacesTheLevelDrawsNoMoreOfTheOldOne) {
  rig.Run("function DoModal(name) gRan = name SetLevel(1, 1) end");
  window->SetLevel(1, 1);
  View().OnLevelEnd();
  rig.Update(kUpdatesToAfterLevel + 1);
  rig.Frame();
  rig.Update(kUpdatesToAfterLevel + 1);
  rig.Frame();
  EXPECT_EQ(Ran(), "scripts/collectable_table.lua");
  EXPECT_FALSE(View().IsShowingMessage()) << "a new level";
  EXPECT_NE(GamePlay::TWorldData::Instance().GetLevelResult().endLevelAnimation, nullptr) << "the new level's";
  rig.Frame();
}

// ---- Lifetimes.

TEST_F(LevelEndFlowTest, AClosedDialogOrANewLevelTakesThePendingFlowAway) {
  window->SetLevel(1, 1);
  View().ShowTimeUpMessage();
  window->SetLevel(1, 1);
  rig.Update(kUpdatesToLoseFlow + 1);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "the level was replaced";
  View().OnLevelEnd();
  window->SetLevel(1, 1);
  rig.Update(kUpdatesToAfterLevel + 1);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "the level was replaced";
  View().ShowNoMoveMessage();
  rig.dialog->RemoveChild(window).reset();
  rig.Update(kUpdatesToLoseFlow + 1);
  rig.Frame();
  EXPECT_EQ(Ran(), "nil") << "the play window went with its dialog";
}

TEST_F(LevelEndFlowTest, AFlowWhoseScriptTakesThePlayWindowAwayHidesNothing) {
  rig.Run("function DoModal(name) gRan = name ClearModalChildren() end");
  window->SetLevel(1, 1);
  View().ShowTimeUpMessage();
  rig.Update(kUpdatesToLoseFlow + 1);
  rig.Frame();
  EXPECT_EQ(Ran(), "scripts/lose.lua");
  EXPECT_EQ(window->GetParent(), nullptr);
  rig.manager.DeletePending();
}

}  // namespace
}  // namespace GUI
