// The explosion effect: the frame each draw shows follows the share of the
// duration gone by, starting at frame 0; it has finished after the first
// draw past its duration, and at once after its first draw when it has no
// duration; each draw is additive, opaque, unturned and scaled as the
// ring's pieces are at that moment, times the effect's factor.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "game/gui/effects/TExplosionEffect.h"
#include "game/rules/tower/ITowerMeasurementView.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"

namespace GUI {
namespace {

constexpr uint32_t kBlastFrames = 8;
constexpr int32_t kBlastRing = 3;

// A tower whose rings are scaled across by the test's figure per ring.
class ScaledRings final : public GamePlay::ITowerMeasurementView {
 public:
  float GetPieceAngle() override { return 0.5235988f; }
  float GetRingRadius(int32_t) override { return 100.0f; }
  float GetRingScaleX(int32_t ring) override { return scalePerRing * static_cast<float>(ring); }
  float GetRingScaleY(int32_t) override { return 1.0f; }
  float GetPieceHeight() override { return 40.0f; }
  float GetRadius(int32_t) override { return 100.0f; }
  float GetInnerRadius(int32_t) override { return 60.0f; }
  float GetSlotStartAngle(int32_t, int32_t) override { return 0.0f; }
  float GetSlotEndAngle(int32_t, int32_t) override { return 0.5235988f; }

  float scalePerRing = 0.5f;
};

class ExplosionEffectTest : public testing::Test {
 protected:
  std::unique_ptr<TExplosionEffect> Blast(float durationMs, float factor = 1.0f) {
    return std::make_unique<TExplosionEffect>(kBlastRing, blast, TVec2(310, 140), factor, &rings,
                                              durationMs);
  }

  // Draws, then answers the frame that draw showed.
  uint32_t DrawnFrame(TExplosionEffect& effect) {
    journal.clear();
    effect.Draw();
    EXPECT_EQ(journal.size(), 1u);
    return journal.empty() ? UINT32_MAX : journal.back().frame;
  }

  FakeClock clock{5000};
  ScaledRings rings;
  std::vector<RecordedDraw> journal;
  std::shared_ptr<IGraphic> blast =
      std::make_shared<RecordingGraphic>("sprites/abomb-exp", &journal, kBlastFrames);
};

// Drawn once every 10 ms, as the play screen draws: each draw shows the
// share the previous draw measured.
TEST_F(ExplosionEffectTest, FramesFollowTheShareOfTheDurationGoneBy) {
  auto effect = Blast(500.0f);
  EXPECT_EQ(DrawnFrame(*effect), 0u) << "the first draw shows the first frame";
  std::vector<uint32_t> frames;
  uint32_t afterQuarterSecond = 0;
  for (uint32_t at = 10; at <= 500; at += 10) {
    clock.Advance(10);
    frames.push_back(DrawnFrame(*effect));
    if (at == 260) afterQuarterSecond = frames.back();
    EXPECT_FALSE(effect->IsFinished()) << at << " ms";
    EXPECT_TRUE(effect->IsAlive()) << at << " ms";
  }
  EXPECT_EQ(afterQuarterSecond, kBlastFrames / 2) << "the middle frame at 250 ms";
  EXPECT_TRUE(std::is_sorted(frames.begin(), frames.end()));
  EXPECT_EQ(frames.back(), kBlastFrames - 1);
  clock.Advance(10);
  DrawnFrame(*effect);
  EXPECT_TRUE(effect->IsFinished()) << "finished after the first draw past 500 ms";
  EXPECT_FALSE(effect->IsAlive());
}

TEST_F(ExplosionEffectTest, EachDrawIsAdditiveOpaqueUnturnedAndScaledAsItsRing) {
  auto effect = Blast(800.0f, 3.0f);
  effect->Draw();
  rings.scalePerRing = 0.25f;
  clock.Advance(100);
  effect->Draw();
  ASSERT_EQ(journal.size(), 2u);
  for (const RecordedDraw& draw : journal) {
    EXPECT_EQ(draw.blendMode, 1);
    EXPECT_FLOAT_EQ(draw.alpha, 1.0f);
    EXPECT_FLOAT_EQ(draw.rotation, 0.0f);
    EXPECT_FLOAT_EQ(draw.pos.x, 310.0f);
    EXPECT_FLOAT_EQ(draw.pos.y, 140.0f);
  }
  EXPECT_FLOAT_EQ(journal[0].scaleX, 0.5f * kBlastRing * 3.0f);
  EXPECT_FLOAT_EQ(journal[1].scaleX, 0.25f * kBlastRing * 3.0f) << "the ring's scale now";
  EXPECT_FLOAT_EQ(journal[1].scaleY, journal[1].scaleX);
}

// A blast of no duration would divide by zero; it shows its first frame once.
TEST_F(ExplosionEffectTest, ABlastWithoutDurationFinishesAfterItsFirstDraw) {
  for (float duration : {0.0f, -20.0f}) {
    auto effect = Blast(duration);
    EXPECT_FALSE(effect->IsFinished()) << duration;
    EXPECT_EQ(DrawnFrame(*effect), 0u) << duration;
    EXPECT_TRUE(effect->IsFinished()) << duration;
  }
}

TEST_F(ExplosionEffectTest, ABlastWithoutAPictureRunsItsTimeDrawingNothing) {
  TExplosionEffect effect(kBlastRing, nullptr, TVec2(0, 0), 1.0f, nullptr, 250.0f);
  effect.Draw();
  clock.Advance(260);
  EXPECT_FALSE(effect.IsFinished());
  effect.Draw();
  EXPECT_TRUE(effect.IsFinished());
  EXPECT_TRUE(journal.empty());
}

}  // namespace
}  // namespace GUI
