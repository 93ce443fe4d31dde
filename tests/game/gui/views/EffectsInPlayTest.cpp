// Blasts on a level of our data played by the rules with the game's view
// factory, every frame collecting and drawing effects as the tower view's
// effect pass does: a bomb set off through the power-up control bursts
// once and its blast is drawn for 800 ms, then dropped; a blocker a match
// breaks bursts for 250 ms.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/IEffect.h"
#include "game/gui/effects/TExplosionEffect.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TPowerUpControl.h"
#include "tests/game/gui/views/BlockerLevelTest.h"
#include "tests/support/rules/RigBot.h"

namespace GUI {
namespace {

constexpr int32_t kBombRing = 2;
constexpr int32_t kBombSlot = 4;
constexpr int kMostUpdates = 6000;

// One effect seen through the frames: its picture, how long it lasted and
// over how many frames it was drawn.
struct SeenEffect {
  std::string picture;
  float duration = 0;
  uint32_t madeAt = 0;
  uint32_t droppedAt = 0;
  int frames = 0;
};

// One effect of the tower as the tower view keeps it, with its record.
struct KeptEffect {
  std::unique_ptr<IEffect> effect;
  SeenEffect* seen;
};

class EffectsInPlayTest : public BlockerLevelTest {
 protected:
  // One frame's effect pass: finished effects go, every cell is offered
  // for a blast, then the tower's breaking pieces, and every effect left is
  // drawn. The pieces are told their cells first, as the piece pass does.
  void EffectPass() {
    GamePlay::TTower& tower = *rig->tower;
    const auto rings = static_cast<int32_t>(tower.GetRingCount());
    for (int32_t ring = 0; ring < rings; ++ring) {
      for (int32_t slot = 0; slot < 12; ++slot) {
        tower.GetPiece(ring, slot)->GetView()->SetCell(ring, slot, false);
      }
    }
    std::erase_if(effects, [this](const KeptEffect& kept) {
      if (!kept.effect->IsFinished()) return false;
      kept.seen->droppedAt = rig->clock.Ticks();
      return true;
    });
    for (int32_t ring = 0; ring < rings; ++ring) {
      for (int32_t slot = 0; slot < 12; ++slot) {
        Keep(factory.CreateExplosionEffect(ring, slot, tower.GetPiece(ring, slot)), blasts);
      }
    }
    std::vector<std::unique_ptr<IEffect>> breaks;
    factory.CreateBreakEffects(breaks, tower);
    for (std::unique_ptr<IEffect>& effect : breaks) Keep(std::move(effect), bursts);
    for (KeptEffect& kept : effects) {
      journal.clear();
      kept.effect->Draw();
      kept.seen->frames += journal.size() == 1 ? 1 : 0;
      if (!journal.empty()) kept.seen->picture = journal.back().name;
    }
  }

  void Keep(std::unique_ptr<IEffect> effect, std::vector<std::unique_ptr<SeenEffect>>& seen) {
    if (!effect || !effect->IsAlive()) return;
    auto record = std::make_unique<SeenEffect>();
    record->duration = static_cast<TExplosionEffect&>(*effect).GetDuration();
    record->madeAt = rig->clock.Ticks();
    effects.push_back({std::move(effect), record.get()});
    seen.push_back(std::move(record));
  }

  // A big-area bomb in a power-up piece of the cell's colour, in place of
  // the cell's piece.
  void PlaceBomb(int32_t ring, int32_t slot) {
    const int32_t colour = rig->tower->GetPiece(ring, slot)->GetColour();
    auto piece = std::make_shared<GamePlay::TPowerUpPiece>(colour, nullptr, nullptr);
    GamePlay::TPowerUpPtr bomb =
        std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false);
    bomb->SetView(factory.CreatePowerUpView(bomb));
    piece->ClearPowerUp(bomb);
    piece->SetView(factory.CreatePowerUpPieceView(piece));
    rig->tower->SetPiece(ring, slot, piece);
  }

  // Two presses of the power-up control in the middle of the cell as the
  // game's tower view lays it out, each followed by an update.
  void DoubleClickOnCell(int32_t ring, int32_t slot) {
    TTowerMeasurement& measure = *factory.GetMeasurement();
    const float angle =
        (measure.GetSlotStartAngle(ring, slot) + measure.GetSlotEndAngle(ring, slot)) / 2;
    const float radius = (measure.GetRadius(ring) + measure.GetInnerRadius(ring)) / 2;
    const GamePlay::TPoint point{400 + static_cast<int32_t>(std::lround(radius * std::sin(angle))),
                                 300 - static_cast<int32_t>(std::lround(radius * std::cos(angle)))};
    for (int press = 0; press < 2; ++press) {
      rig->powerUpControl->OnPress(point);
      Play(1);
    }
  }

  void Play(int updates) {
    for (int update = 0; update < updates; ++update) {
      rig->Update();
      EffectPass();
    }
  }

  std::vector<KeptEffect> effects;
  std::vector<std::unique_ptr<SeenEffect>> blasts;
  std::vector<std::unique_ptr<SeenEffect>> bursts;
};

TEST_F(EffectsInPlayTest, ABombSetOffBurstsOnceForEightHundredMs) {
  for (int update = 0; update < kMostUpdates && !IsAtRest(); ++update) Play(1);
  ASSERT_TRUE(IsAtRest());
  PlaceBomb(kBombRing, kBombSlot);
  Play(1);
  DoubleClickOnCell(kBombRing, kBombSlot);
  Play(200);
  ASSERT_EQ(blasts.size(), 1u) << "one blast for the bomb, none for the pieces it took";
  const SeenEffect& blast = *blasts.front();
  EXPECT_EQ(blast.picture, "sprites/abomb-exp");
  EXPECT_FLOAT_EQ(blast.duration, 800.0f);
  ASSERT_NE(blast.droppedAt, 0u) << "dropped once finished";
  EXPECT_GE(blast.droppedAt - blast.madeAt, 800u);
  EXPECT_LE(blast.droppedAt - blast.madeAt, 830u);
  EXPECT_GE(blast.frames, 80);
}

TEST_F(EffectsInPlayTest, ABlockerAMatchBreaksBurstsForAQuarterSecond) {
  RigBot bot(*rig);
  for (int update = 0; update < kMostUpdates && bursts.empty(); ++update) {
    bot.Plan();
    bot.Act();
    Play(1);
  }
  ASSERT_FALSE(bursts.empty()) << "no blocker broke in " << bot.moves << " moves";
  Play(50);
  for (const auto& burst : bursts) {
    EXPECT_EQ(burst->picture, "sprites/blockers/breaks-%d");
    EXPECT_FLOAT_EQ(burst->duration, 250.0f);
    EXPECT_GE(burst->droppedAt - burst->madeAt, 250u);
    EXPECT_LE(burst->droppedAt - burst->madeAt, 280u);
  }
  EXPECT_TRUE(rig->tower->GetBreakingList().empty());
}

}  // namespace
}  // namespace GUI
