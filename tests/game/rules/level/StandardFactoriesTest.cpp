#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/pieces/TStandardPieceFactory.h"
#include "game/rules/powerups/TStandardPowerUpFactory.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/rules/FakeTimeController.h"

namespace GamePlay {
namespace {

// Piece factory ----------------------------------------------------------------

TEST(StandardPieceFactory, EveryPieceComesWithTheViewOfItsKind) {
  NullPieceViewFactory views;
  TStandardPieceFactory pieces(6, &views, nullptr, nullptr, 0.5f);
  TPiecePtr standard = pieces.CreateStandard(2, nullptr);
  pieces.CreatePowerUpPiece(IPiece::kNoColour, nullptr);
  pieces.CreateDisappearing(standard, nullptr, nullptr);
  pieces.CreateFalling(standard, 3, 2);
  pieces.CreateRaising(standard, 0);
  pieces.CreateMoving(standard, 1, 2);
  pieces.CreateCounter(1, 4);
  EXPECT_EQ(views.made, (std::vector<std::string>{
                            "CreateStandardView", "CreatePowerUpPieceView",
                            "CreateDisappearingView", "CreateFallingView", "CreateRaisingView",
                            "CreateMovingView", "CreateStandardView", "CreateBlockedView 1",
                            "CreateCounterView"}));
  EXPECT_EQ(pieces.GetNullPiece(), pieces.GetNullPiece()) << "one shared null piece";
  EXPECT_TRUE(pieces.GetNullPiece()->IsVoid());
  EXPECT_EQ(pieces.GetEnergyRateFromBomb(), 0.5f);
}

TEST(StandardPieceFactory, BlockersTakeTheLastColourInUseForOnesTheLevelDoesNotPlay) {
  struct Case {
    int32_t colour;
    int32_t made;
  };
  NullPieceViewFactory views;
  TStandardPieceFactory pieces(4, &views, nullptr, nullptr, 0);
  for (Case c : {Case{0, 0}, Case{3, 3}, Case{4, 3}, Case{5, 3}, Case{-1, -1}}) {
    TPiecePtr blocked = pieces.CreateBlocked(c.colour, false);
    EXPECT_EQ(blocked->GetColour(), c.made) << c.colour;
    EXPECT_EQ(pieces.CreateCounter(c.colour, 2)->GetColour(), c.made) << c.colour;
  }
  EXPECT_EQ(pieces.CreateStandard(5, nullptr)->GetColour(), 5) << "standard pieces keep theirs";
}

// Power-up factory ---------------------------------------------------------------

class StandardPowerUpFactoryTest : public RecordedTowerTest {
 protected:
  StandardPowerUpFactoryTest() { BuildTower(std::vector<std::string>(5, "")); }

  // How many cells the power-up of the code covers from (2, 0).
  size_t AreaSize(TStandardPowerUpFactory& factory, int32_t code) {
    return factory.CreatePowerUp(code)->GetArea(2, 0, tower).size();
  }

  NullPieceViewFactory powerUpViews;
};

TEST_F(StandardPowerUpFactoryTest, EachCodeMakesItsPowerUpWithItsView) {
  struct Case {
    int32_t code;
    TPowerUpKind kind;
    size_t area;  // cells covered from (2, 0) in a tower of five rings
  };
  const Case cases[] = {
      {IPowerUpFactory::kLockBreaker, TPowerUpKind::LockBreaker, 0},
      {IPowerUpFactory::kGearBreaker, TPowerUpKind::GearBreaker, 0},
      {IPowerUpFactory::kRingBomb, TPowerUpKind::BigAreaBomb, 11},
      {IPowerUpFactory::kSmallCrossBomb, TPowerUpKind::BigAreaBomb, 4},
      {IPowerUpFactory::kAreaBomb, TPowerUpKind::BigAreaBomb, 3 * 5 - 1},
      {IPowerUpFactory::kColourBomb, TPowerUpKind::ColorBomb, 0},
      {IPowerUpFactory::kChangeColour, TPowerUpKind::ChangeColor, 0},
  };
  TStandardPowerUpFactory factory(&powerUpViews, 2, 1, 0.1f);
  for (const Case& c : cases) {
    powerUpViews.made.clear();
    TPowerUpPtr powerUp = factory.CreatePowerUp(c.code);
    ASSERT_TRUE(powerUp) << c.code;
    EXPECT_EQ(powerUp->GetKind(), c.kind) << c.code;
    EXPECT_EQ(powerUpViews.made, std::vector<std::string>{"CreatePowerUpView"}) << c.code;
    EXPECT_EQ(AreaSize(factory, c.code), c.area) << c.code;
  }
  EXPECT_EQ(factory.CreateLock()->GetKind(), TPowerUpKind::Lock);
  EXPECT_EQ(factory.CreateGear()->GetKind(), TPowerUpKind::Gear);
  EXPECT_FALSE(factory.CreateNone());
  EXPECT_FALSE(factory.CreatePowerUp(8));
  EXPECT_FALSE(factory.CreatePowerUp(-1));
}

TEST_F(StandardPowerUpFactoryTest, ATimeBombNeedsALevelTimer) {
  TStandardPowerUpFactory factory(&powerUpViews, 1, 1, 0.25f);
  TPowerUpPtr zen = factory.CreatePowerUp(IPowerUpFactory::kTimeBomb);
  EXPECT_EQ(zen->GetKind(), TPowerUpKind::BigAreaBomb);
  EXPECT_EQ(zen->GetArea(2, 0, tower).size(), 4u) << "a small cross bomb";

  FakeTimeController timer;
  factory.SetTimeController(&timer);
  TPowerUpPtr timed = factory.CreatePowerUp(IPowerUpFactory::kTimeBomb);
  EXPECT_EQ(timed->GetKind(), TPowerUpKind::TimeBomb);
  timed->Activate(2, 0, tower, timed);
  EXPECT_EQ(timer.added, std::vector<float>{-0.25f}) << "the elapsed part goes back";
}

}  // namespace
}  // namespace GamePlay
