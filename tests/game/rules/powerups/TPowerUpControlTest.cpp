#include "game/rules/powerups/TPowerUpControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "game/rules/pieces/TPowerUpPiece.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/rules/CountingTutorialView.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/StubTowerControl.h"
#include "tests/support/rules/StubTowerView.h"

namespace GamePlay {
namespace {

constexpr float kOneSlot = std::numbers::pi_v<float> / 6;

// Ring 1, slot 4 holds a power-up piece carrying a recording power-up; the
// stub view's bands run from 60 + 25 r to 85 + 25 r pixels round (400, 300).
class PowerUpControlTest : public RecordedTowerTest {
 protected:
  PowerUpControlTest() {
    BuildTower({"000000000000", "111111111111", "222222222222"});
    tower->SetPiece(1, 4, pieces.CreatePowerUpPiece(IPiece::kNoColour, powerUp));
    control.model = tower;
    powerUpControl =
        std::make_unique<TPowerUpControl>(&view, tower, &control, nullptr, &tutorial, &records);
  }
  void Press(const TPoint& point) { powerUpControl->OnPress(point); }

  static TPoint At(int32_t ring, int32_t slot) {
    float angle = (slot + 0.5f) * kOneSlot;
    float radius = 60 + 25 * ring + 12;
    return {static_cast<int32_t>(std::lround(400 + radius * std::sin(angle))),
            static_cast<int32_t>(std::lround(300 - radius * std::cos(angle)))};
  }

  StubTowerView view{3};
  StubTowerControl control{nullptr, &view};
  CountingTutorialView tutorial;
  std::shared_ptr<RecordingPowerUp> powerUp = std::make_shared<RecordingPowerUp>();
  std::unique_ptr<TPowerUpControl> powerUpControl;
};

TEST_F(PowerUpControlTest, TwoPressesWithinTheDoubleClickTimeSetThePieceOff) {
  struct Case {
    uint32_t gap;
    bool setOff;
  };
  for (Case c : {Case{801, false}, Case{800, true}}) {
    Press(At(1, 4));
    clock.Advance(c.gap);
    Press(At(1, 4));
    EXPECT_EQ(powerUp->activations.size(), c.setOff ? 1u : 0u) << c.gap;
    clock.Advance(1000);
  }
  EXPECT_EQ(powerUp->activations, std::vector<std::string>{"1 4"});
  EXPECT_EQ(tutorial.steps, 1);
  EXPECT_EQ(records.powerUpsClicked, 1u);
  EXPECT_EQ(view.events, (std::vector<std::string>{"ShowPowerUpArea 1 4", "ShowPowerUpArea 1 4",
                                                   "ShowPowerUpArea 1 4"}))
      << "the press that sets a piece off selects nothing";
}

TEST_F(PowerUpControlTest, ADoubleClickOnAPieceWithoutAPowerUpOnlyStartsAfresh) {
  Press(At(0, 4));
  Press(At(0, 4));
  Press(At(0, 4));
  EXPECT_EQ(records.powerUpsClicked, 0u);
  EXPECT_EQ(tutorial.steps, 0);
  EXPECT_EQ(view.events.size(), 2u) << "the third press selects the piece again";
}

TEST_F(PowerUpControlTest, PressesDoNothingWhileSettingOffIsBarredOrThePlayHasEnded) {
  control.flag = false;
  Press(At(1, 4));
  Press(At(1, 4));
  control.flag = true;
  control.locks.Lock(TInputLock::EndOfPlay);
  Press(At(1, 4));
  Press(At(1, 4));
  EXPECT_TRUE(powerUp->activations.empty());
  EXPECT_TRUE(view.events.empty());
}

TEST_F(PowerUpControlTest, PicksThroughAVacantCellToTheRingBehind) {
  view.Measurement().bandWidth = 50;  // ring r's band reaches into ring r + 1's
  tower->SetPiece(0, 4, pieces.GetNullPiece());
  TPoint overlap = {At(1, 4).x, At(1, 4).y};  // on ring 0's wide band and ring 1's
  Press(overlap);
  Press(overlap);
  EXPECT_EQ(powerUp->activations, std::vector<std::string>{"1 4"});
  Press({400, 300});
  EXPECT_EQ(view.events, std::vector<std::string>{"ShowPowerUpArea 1 4"}) << "the centre picks nothing";
}

}  // namespace
}  // namespace GamePlay
