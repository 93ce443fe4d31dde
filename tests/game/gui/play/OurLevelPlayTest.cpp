// Level 1-1 of the game's own data in the play window, headless: its
// start-up ends by itself, a drag through the window's handlers turns a ring
// of the model, and a second level, the window's deletion and a shut-down
// with a level open leave nothing behind.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/play/PlayWindowRig.h"
#include "tests/support/game/RingPoints.h"
#include "tests/support/BuiltDataFolder.h"

namespace GUI {
namespace {

constexpr int kOurStartUpUpdates = 300;
constexpr int kOurDragAttempts = 10;

class OurLevelPlayTest : public testing::Test {
 protected:
  OurLevelPlayTest() {
    std::srand(1);  // the ring generator's seed
    rig.LoadStrings();
    window = rig.AddPlayWindow();
  }

  // Grabs the ring straight above the centre and lets go one slot round,
  // an update between each step, as a player's pointer comes in frames.
  void DragOneSlot(int32_t ring) {
    const GamePlay::TPoint from = PointOnRing(*window, ring, 0);
    const GamePlay::TPoint to = PointOnRing(*window, ring, 1);
    window->OnMouseDown(from.x, from.y);
    rig.Update();
    window->OnMouseMove(to.x, to.y);
    rig.Update();
    window->OnMouseUp(to.x, to.y);
  }

  PlayWindowRig rig;
  BuiltDataFolder data;
  TArcadeWindow* window = nullptr;
};

TEST_F(OurLevelPlayTest, LevelOneOneStartsByItselfAndTurnsARingDraggedThroughTheWindow) {
  window->SetLevel(1, 1);
  ASSERT_NE(window->GetTowerControl(), nullptr);
  rig.Update(kOurStartUpUpdates);
  ASSERT_FALSE(window->GetTowerControl()->GetInputLocks()->IsAnyLocked()) << "the start-up is over";
  // New rings rise and matches fall now and then, refusing a grab: the
  // player tries again once the tower has settled.
  const GamePlay::TMetrics& metrics = *TGameApp::Instance().GetMetrics();
  for (int attempt = 0; attempt < kOurDragAttempts && metrics.GetRingTurns() == 0; ++attempt) {
    DragOneSlot(1);
    rig.Update(100);
  }
  EXPECT_EQ(metrics.GetRingTurns(), 1u);
  EXPECT_FLOAT_EQ(window->GetTowerView()->GetRingAngle(1), 0.0f) << "snapped into its slot";

  window->SetLevel(1, 2);
  ASSERT_NE(window->GetTowerControl(), nullptr);
  rig.Update(50);
  rig.Frame();
  rig.dialog->RemoveChild(window).reset();
  rig.Update(5);
  rig.Frame();
}

TEST_F(OurLevelPlayTest, TheGameShutsDownWithALevelOpen) {
  window->SetLevel(1, 1);
  rig.Update(20);
  rig.Frame();
  ASSERT_NE(window->GetTowerControl(), nullptr);
}

}  // namespace
}  // namespace GUI
