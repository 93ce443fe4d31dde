// The view factory's blasts: a vanishing piece bursts by the class of the
// power-up it holds, once however often it is offered, at its view's place
// and scaled as its ring; other pieces and locks and gears do not; every
// blocker the tower has started to break bursts briefly, in order, and the
// tower's list of them empties.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/IEffect.h"
#include "game/gui/effects/TExplosionEffect.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TChangeColorPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "game/rules/powerups/TTimeBombPowerUp.h"
#include "platform/text/Log.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/RecordingSoundView.h"

namespace GUI {
namespace {

constexpr int32_t kBlastCellRing = 2;
constexpr int32_t kBlastCellSlot = 7;

class ExplosionMakersTest : public testing::Test {
 protected:
  ExplosionMakersTest() {
    SetLogFolder(logs.Path().c_str());
    HoldRecordingPictures(registry, &journal);
    WriteStringTable(files, "levels/journey.xml", {{"Lvl01 Max Rings", "4"}});
    factory = std::make_unique<TViewFactory>(&registry, nullptr, false, 1.0f);
    towerView = factory->CreateTowerView(
        nullptr, *GamePlay::TLevelSettings::Load({1, 1}, "levels/journey.xml", false));
  }

  // A piece of colour 1 holding the power-up (none when empty), vanishing,
  // with the view of a standard piece at the blast cell.
  GamePlay::TPiecePtr Vanishing(const GamePlay::TPowerUpPtr& held,
                                const GamePlay::TPowerUpPtr& extra = nullptr) {
    auto inner = std::make_shared<GamePlay::TPowerUpPiece>(1, nullptr, nullptr);
    inner->ClearPowerUp(held);
    auto piece = std::make_shared<GamePlay::TDisappearingPiece>(inner, extra);
    piece->SetView(factory->CreateStandardView(piece));
    piece->GetView()->SetCell(kBlastCellRing, kBlastCellSlot, false);
    return piece;
  }

  // What one draw of the effect drew.
  RecordedDraw DrawnOnce(IEffect& effect) {
    journal.clear();
    effect.Draw();
    EXPECT_EQ(journal.size(), 1u);
    return journal.empty() ? RecordedDraw{} : journal.front();
  }

  float RingScale(int32_t ring) { return factory->GetMeasurement()->GetRingScaleX(ring); }

  TempFolder logs;
  TestFileLayer files;
  FakeClock clock;
  TGraphicRegistry registry;
  std::vector<RecordedDraw> journal;
  std::unique_ptr<TViewFactory> factory;
  std::unique_ptr<TTowerViewImpl> towerView;
};

TEST_F(ExplosionMakersTest, AVanishingPieceBurstsByThePowerUpItHolds) {
  struct Case {
    const char* what;
    GamePlay::TPowerUpPtr powerUp;
    std::string blast;  // empty: no blast
    float scale;
  };
  const Case cases[] = {
      {"colour bomb", std::make_shared<GamePlay::TColorBombPowerUp>(), "sprites/abomb-exp", 1.0f},
      {"time bomb", std::make_shared<GamePlay::TTimeBombPowerUp>(nullptr, 0.1f),
       "sprites/areabomb-exp-org", 3.0f},
      {"big-area bomb", std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false),
       "sprites/abomb-exp", 3.0f},
      {"ring bomb", std::make_shared<GamePlay::TBigAreaBombPowerUp>(0, 6, false, false, true),
       "sprites/abomb-exp", 3.0f},
      {"colour change", std::make_shared<GamePlay::TChangeColorPowerUp>(), "sprites/abomb-exp", 1.5f},
      {"lock", std::make_shared<GamePlay::TLockPowerUp>(), "", 0.0f},
      {"gear", std::make_shared<GamePlay::TGearPowerUp>(), "", 0.0f},
      {"none", nullptr, "", 0.0f},
  };
  for (const Case& c : cases) {
    GamePlay::TPiecePtr piece = Vanishing(c.powerUp);
    std::unique_ptr<IEffect> effect =
        factory->CreateExplosionEffect(kBlastCellRing, kBlastCellSlot, piece);
    if (c.blast.empty()) {
      EXPECT_EQ(effect, nullptr) << c.what;
      continue;
    }
    ASSERT_NE(effect, nullptr) << c.what;
    EXPECT_FLOAT_EQ(static_cast<TExplosionEffect&>(*effect).GetDuration(), 800.0f) << c.what;
    const RecordedDraw drawn = DrawnOnce(*effect);
    EXPECT_EQ(drawn.name, c.blast) << c.what;
    EXPECT_FLOAT_EQ(drawn.scaleX, RingScale(kBlastCellRing) * c.scale) << c.what;
    const TVec2 place = piece->GetView()->GetScreenPos();
    EXPECT_FLOAT_EQ(drawn.pos.x, place.x) << c.what;
    EXPECT_FLOAT_EQ(drawn.pos.y, place.y) << c.what;
  }
}

TEST_F(ExplosionMakersTest, APieceBurstsOnceHoweverOftenItIsOffered) {
  GamePlay::TPiecePtr piece = Vanishing(std::make_shared<GamePlay::TColorBombPowerUp>());
  int made = 0;
  for (int frame = 0; frame < 3; ++frame) {
    if (factory->CreateExplosionEffect(kBlastCellRing, kBlastCellSlot, piece)) ++made;
  }
  EXPECT_EQ(made, 1);
}

// Pieces a bomb takes with it carry the bomb too; the bomb's own cell alone
// bursts. A piece that is not vanishing never does.
TEST_F(ExplosionMakersTest, OnlyTheCellThatHeldThePowerUpBursts) {
  auto bomb = std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false);
  EXPECT_EQ(factory->CreateExplosionEffect(1, 0, Vanishing(nullptr, bomb)), nullptr);
  auto standing = std::make_shared<GamePlay::TPowerUpPiece>(1, nullptr, nullptr);
  standing->ClearPowerUp(bomb);
  standing->SetView(factory->CreateStandardView(standing));
  EXPECT_EQ(factory->CreateExplosionEffect(1, 0, standing), nullptr);
}

TEST_F(ExplosionMakersTest, EachBreakingBlockerBurstsBrieflyInOrderAndTheListEmpties) {
  KitPieceFactory pieces(factory.get());
  RecordingScoringModel scoring;
  RecordingPowerUpFactory powerUps;
  RecordingSoundView sound;
  GamePlay::TTowerSetup setup;
  setup.scoring = &scoring;
  setup.powerUpFactory = &powerUps;
  setup.sound = &sound;
  KitTower kit(pieces, setup, {"A0000000000Z", "000000000000", "00000B000000"});
  GamePlay::TBreakingList& breaking = kit.tower->GetBreakingList();
  const GamePlay::TCell cells[] = {{2, 5}, {0, 0}, {0, 11}};
  for (const GamePlay::TCell& cell : cells) {
    GamePlay::TPiecePtr piece = kit.tower->GetPiece(cell.ring, cell.slot);
    piece->GetView()->SetCell(cell.ring, cell.slot, false);
    breaking.emplace_back(cell.ring, piece);
  }
  std::vector<std::unique_ptr<IEffect>> effects;
  effects.push_back(nullptr);  // what the list held before stays first
  factory->CreateBreakEffects(effects, *kit.tower);
  EXPECT_TRUE(kit.tower->GetBreakingList().empty());
  ASSERT_EQ(effects.size(), 4u);
  EXPECT_EQ(effects[0], nullptr);
  for (size_t k = 0; k < 3; ++k) {
    const GamePlay::TCell& cell = cells[k];
    auto& burst = static_cast<TExplosionEffect&>(*effects[k + 1]);
    EXPECT_FLOAT_EQ(burst.GetDuration(), 250.0f) << k;
    const RecordedDraw drawn = DrawnOnce(burst);
    EXPECT_EQ(drawn.name, "sprites/blockers/breaks-%d") << k;
    EXPECT_FLOAT_EQ(drawn.scaleX, RingScale(cell.ring) * 3.0f) << k;
    const TVec2 place = kit.tower->GetPiece(cell.ring, cell.slot)->GetView()->GetScreenPos();
    EXPECT_FLOAT_EQ(drawn.pos.x, place.x) << k;
    EXPECT_FLOAT_EQ(drawn.pos.y, place.y) << k;
  }
}

}  // namespace
}  // namespace GUI
