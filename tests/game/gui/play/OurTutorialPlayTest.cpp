// Our tutorials (levels 2-1 and 3-1 of the game's own data, not yet seen)
// played through the play window, headless: the continue button is pressed
// where the message view says it is, the ring turn or the bomb the tutorial
// asks for is dragged or clicked, and the ending dialog's button ends the
// level and leads back to the map with the tutorial seen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TCellLocator.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
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
  // Opens the level of a tutorial not seen yet and plays until its first
  // dialog has faded in; false when it never does.
  bool OpenUnseenTutorial(const GamePlay::TLevelKey& key) {
    if (TGameApp::Instance().IsTutorialSeen(key)) return false;
    window->SetLevel(static_cast<int32_t>(key.world), static_cast<int32_t>(key.level));
    return window->GetTutorialMsgView() && WaitForFadeIn(kTutorialStartUpUpdates);
  }
  // Closes the ending dialog once it has faded in, which lets the game run
  // again, and plays past the level's end; the script the level led to.
  std::string LeaveThroughTheEndingDialog() {
    if (!WaitForFadeIn(kTutorialFadeUpdates)) return "(the ending dialog never faded in)";
    rig.Run("gRan = nil");
    PressContinue();
    EXPECT_FALSE(Messages().IsShowing());
    EXPECT_TRUE(TArcadeWindow::AreGameClocksRunning());
    Play(kTutorialLevelEndUpdates);
    return rig.Global("gRan");
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
  // The cells holding a bomb, ring 0 upward.
  std::vector<GamePlay::TCell> BombCells() {
    GamePlay::ITowerModel& model = *window->GetTowerModel();
    std::vector<GamePlay::TCell> cells;
    for (int32_t ring = 0; ring < static_cast<int32_t>(model.GetRingCount()); ++ring) {
      for (int32_t slot = 0; slot < static_cast<int32_t>(model.GetSlotCount()); ++slot) {
        GamePlay::TPiecePtr piece = model.GetPiece(ring, slot);
        if (piece && dynamic_cast<GamePlay::TBigAreaBombPowerUp*>(piece->GetPowerUp().get())) {
          cells.push_back({ring, slot});
        }
      }
    }
    return cells;
  }
  // Two quick clicks on the cell's centre.
  void DoubleClick(const GamePlay::TCell& cell) {
    TCellLocator place(window->GetTowerView(), false);
    place.Set(cell.ring, cell.slot, false);
    const int32_t x = static_cast<int32_t>(place.GetPosition().x);
    const int32_t y = static_cast<int32_t>(place.GetPosition().y);
    for (int click = 0; click < 2; ++click) {
      window->OnMouseDown(x, y);
      window->OnMouseUp(x, y);
      Play(1);
    }
  }

  PlayWindowRig rig;
  BuiltDataFolder data;
  TArcadeWindow* window = nullptr;
};

TEST_F(OurTutorialPlayTest, TheFirstTutorialIsPlayedToItsEndAndMarkedSeen) {
  const GamePlay::TLevelKey key{2, 1};
  ASSERT_TRUE(OpenUnseenTutorial(key));

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
  EXPECT_EQ(LeaveThroughTheEndingDialog(), "scripts/backtometamapfromtutorial.lua");
  EXPECT_TRUE(TGameApp::Instance().IsTutorialSeen(key));
}

// The bombs' tutorial points at the first bomb, sets it off itself, and
// moves on once the player has set off the other one with a double click.
TEST_F(OurTutorialPlayTest, TheBombsTutorialSetsOffOneBombAndWaitsForThePlayerToSetOffTheOther) {
  const GamePlay::TLevelKey key{3, 1};
  ASSERT_TRUE(OpenUnseenTutorial(key));
  ASSERT_TRUE(Messages().IsWaitingForClick());
  const std::vector<GamePlay::TCell> laid = BombCells();
  ASSERT_EQ(laid, (std::vector<GamePlay::TCell>{{0, 2}, {2, 7}})) << "the bombs where the script says they are";
  EXPECT_EQ(window->GetTowerView()->GetHover(), (GamePlay::TCell{-1, -1})) << "the arrow points at the first bomb";

  PressContinue();
  Play(kTutorialFadeUpdates * 4);
  ASSERT_EQ(BombCells().size(), 1u) << "the tutorial set off the first bomb";
  EXPECT_TRUE(Messages().IsShowing()) << "and asks for the other one";
  EXPECT_FALSE(Messages().IsWaitingForClick());

  DoubleClick(BombCells().front());
  for (int update = 0; update < kTutorialStartUpUpdates && !Messages().IsWaitingForClick(); ++update) Play(1);
  ASSERT_TRUE(Messages().IsWaitingForClick()) << "the ending dialog after the player's bomb";
  EXPECT_TRUE(BombCells().empty());
  EXPECT_EQ(LeaveThroughTheEndingDialog(), "scripts/backtometamapfromtutorial.lua");
  EXPECT_TRUE(TGameApp::Instance().IsTutorialSeen(key));
}

}  // namespace
}  // namespace GUI
