// Our first tutorial (level 2-1 of the game's own data, not yet seen) played
// through the play window, headless: the continue button is pressed where
// the message view says it is, the ring turn the tutorial asks for is
// dragged, and the ending dialog's button ends the level and leads back to
// the map with the tutorial seen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/play/PlayWindowRig.h"
#include "tests/support/game/RingPoints.h"
#include "tests/support/BuiltDataFolder.h"

namespace GUI {
namespace {

// The first dialog waits for the tower's first fill, which ends with the
// first ring that rises after the start-up.
constexpr int kTutorialStartUpUpdates = 3000;
// Past the dialog's fade-in.
constexpr int kTutorialFadeUpdates = 50;
// Past the pause after a won level.
constexpr int kTutorialLevelEndUpdates = 250;
constexpr int kTutorialMoveAttempts = 20;

class OurTutorialPlayTest : public testing::Test {
 protected:
  OurTutorialPlayTest() {
    std::srand(1);  // the ring generator's seed
    rig.LoadStrings();
    rig.Run("function DoModal(name) gRan = name end");
    window = rig.AddPlayWindow();
  }
  ~OurTutorialPlayTest() override { TGameApp::Instance().SetTutorialMode(false); }

  TTutorialMsgViewImpl& Messages() { return *window->GetTutorialMsgView(); }
  // Frames with game time moving, as the play screen is drawn.
  void Play(int updates) {
    for (int i = 0; i < updates; ++i) {
      rig.Update();
      rig.Frame();
    }
  }
  // Plays until the front dialog has faded in; false when it never does.
  bool WaitForFadeIn(int updates) {
    for (int update = 0; update < updates && Messages().GetFade() < 1.0f; ++update) Play(1);
    return Messages().GetFade() >= 1.0f;
  }
  void PressContinue() {
    const TRect button = Messages().GetContinueButtonRect();
    const int32_t x = (button.left + button.right) / 2;
    const int32_t y = (button.top + button.bottom) / 2;
    window->OnMouseDown(x, y);
    window->OnMouseUp(x, y);
  }
  // Drags the ring by one slot either way, an update between each step.
  void DragRing(int32_t ring, float slots) {
    const GamePlay::TPoint from = PointOnRing(*window, ring, 0);
    const GamePlay::TPoint to = PointOnRing(*window, ring, slots);
    window->OnMouseDown(from.x, from.y);
    Play(1);
    window->OnMouseMove(to.x, to.y);
    Play(1);
    window->OnMouseUp(to.x, to.y);
  }
  // A turn of one slot that the model says lines up a match; the first
  // ring otherwise.
  std::pair<int32_t, float> FindMatchingTurn() {
    GamePlay::ITowerModel& model = *window->GetTowerModel();
    for (int32_t ring = 0; ring < static_cast<int32_t>(model.GetRingCount()); ++ring) {
      for (int32_t steps : {1, -1}) {
        if (!model.PredictMatches({{ring, steps}}).empty()) return {ring, static_cast<float>(steps)};
      }
    }
    return {0, 1.0f};
  }

  PlayWindowRig rig;
  BuiltDataFolder data;
  TArcadeWindow* window = nullptr;
};

TEST_F(OurTutorialPlayTest, TheFirstTutorialIsPlayedToItsEndAndMarkedSeen) {
  const GamePlay::TLevelKey key{2, 1};
  TGameApp& app = TGameApp::Instance();
  ASSERT_FALSE(app.IsTutorialSeen(key));
  window->SetLevel(2, 1);
  ASSERT_NE(window->GetTutorialMsgView(), nullptr);
  ASSERT_TRUE(WaitForFadeIn(kTutorialStartUpUpdates));

  // The tower turned its first ring by itself; the welcome waits for a click
  // and holds the game meanwhile.
  ASSERT_TRUE(Messages().IsWaitingForClick());
  EXPECT_FALSE(TArcadeWindow::AreGameClocksRunning());
  EXPECT_FALSE(window->GetTowerView()->IsShowingMessage());
  PressContinue();
  Play(1);
  EXPECT_TRUE(Messages().IsShowing()) << "the turn is asked for";
  EXPECT_FALSE(Messages().IsWaitingForClick());
  EXPECT_TRUE(TArcadeWindow::AreGameClocksRunning());

  for (int attempt = 0; attempt < kTutorialMoveAttempts && !Messages().IsWaitingForClick(); ++attempt) {
    const auto [ring, slots] = FindMatchingTurn();
    DragRing(ring, slots);
    Play(kTutorialFadeUpdates * 2);
  }
  ASSERT_TRUE(Messages().IsWaitingForClick()) << "the ending dialog after a match";
  ASSERT_TRUE(WaitForFadeIn(kTutorialFadeUpdates));
  rig.Run("gRan = nil");
  PressContinue();
  EXPECT_FALSE(Messages().IsShowing());
  EXPECT_TRUE(TArcadeWindow::AreGameClocksRunning());
  Play(kTutorialLevelEndUpdates);
  EXPECT_EQ(rig.Global("gRan"), "scripts/backtometamapfromtutorial.lua");
  EXPECT_TRUE(app.IsTutorialSeen(key));
}

}  // namespace
}  // namespace GUI
