// The power-up view's own motions: a lock cross-fading through its frames at
// the level's animation speed, and a gear turning faster than its ring a
// little nearer the tower's centre.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/views/PieceSprite.h"
#include "game/gui/views/TPowerUpViewImpl.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

// One draw of a lock: the frame shown first, the frame faded in over it and
// how much.
struct LockFrames {
  uint32_t shown;
  uint32_t fadingIn;
  float fade;

  bool operator==(const LockFrames&) const = default;
};

std::ostream& operator<<(std::ostream& out, const LockFrames& frames) {
  return out << "(" << frames.shown << ", " << frames.fadingIn << ", " << frames.fade << ")";
}

class PowerUpViewTest : public testing::Test {
 protected:
  std::shared_ptr<IGraphic> Picture(const std::string& name, uint32_t frames) {
    return std::make_shared<RecordingGraphic>(name, &journal, frames);
  }

  LockFrames DrawLock(TPowerUpViewImpl& view) {
    journal.clear();
    view.Draw(false, 1, TVec2(300, 300), 0.5f, 1.0f, 1.0f, 0.0f);
    EXPECT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal.back().frame, 0u) << "the still picture over the fading frames";
    return {journal[0].frame, journal[1].frame, journal[1].alpha / journal[0].alpha};
  }

  FakeClock clock;
  StubTowerView tower{5};
  std::vector<RecordedDraw> journal;
};

// At speed 1 the lock moves one frame every 20 ms from wherever it started;
// past its third frame it starts again at the first.
TEST_F(PowerUpViewTest, TheLockCrossFadesThroughItsFramesAndStartsAgain) {
  // Frames 0 to 4: the still picture, the three of the cross-fade, and one
  // past them that a phase of exactly 3 asks for.
  TPowerUpViewImpl lock(std::make_shared<GamePlay::TLockPowerUp>(), Picture("lock", 5), nullptr,
                        &tower, 1.0f);
  LockFrames frames = DrawLock(lock);
  const float startFade = frames.fade;
  for (int draw = 0; draw < 4 && !(frames == LockFrames{1, 2, 0.0f}); ++draw) {
    clock.Advance(20);
    frames = DrawLock(lock);
    if (!(frames == LockFrames{1, 2, 0.0f})) {
      EXPECT_NEAR(frames.fade, startFade, 1e-4) << "whole steps keep the fade";
    }
  }
  ASSERT_EQ(frames, (LockFrames{1, 2, 0.0f})) << "started again within four steps";
  const LockFrames next[] = {{2, 3, 0.0f}, {3, 1, 0.0f}, {4, 2, 0.0f}, {1, 2, 0.0f}};
  for (const LockFrames& expected : next) {
    clock.Advance(20);
    EXPECT_EQ(DrawLock(lock), expected);
  }
  clock.Advance(10);
  EXPECT_EQ(DrawLock(lock), (LockFrames{1, 2, 0.5f})) << "half a step fades half";
}

TEST_F(PowerUpViewTest, TheLockMovesAtTheLevelsAnimationSpeed) {
  TPowerUpViewImpl lock(std::make_shared<GamePlay::TLockPowerUp>(), Picture("lock", 5), nullptr,
                        &tower, 0.25f);
  const float before = DrawLock(lock).fade;
  clock.Advance(20);
  const LockFrames after = DrawLock(lock);
  if (after != LockFrames{1, 2, 0.0f}) {
    const float grown = after.fade - before;
    EXPECT_NEAR(grown < 0 ? grown + 1.0f : grown, 0.25f, 1e-4);
  }
}

// The gear turns four times as far as its ring and stands 15 scaled pixels
// nearer the centre (400, 300); at the centre itself it stays put.
TEST_F(PowerUpViewTest, TheGearTurnsWithItsRingNearerTheCentre) {
  tower.SetRingAngle(2, 0.3f);
  TPowerUpViewImpl gear(std::make_shared<GamePlay::TGearPowerUp>(), Picture("gear", 1),
                        Picture("glow", 1), &tower, 1.0f);
  const struct {
    TVec2 pos;
    TVec2 drawnAt;
  } cases[] = {{{500, 300}, {470, 300}}, {{430, 340}, {412, 316}}, {{400, 300}, {400, 300}}};
  for (const auto& c : cases) {
    journal.clear();
    gear.Draw(true, 2, c.pos, 1.0f, 2.0f, 2.0f, 0.1f);
    ASSERT_EQ(DrawnNames(journal), (std::vector<std::string>{"gear", "glow"}));
    for (const RecordedDraw& drawn : journal) {
      EXPECT_NEAR(drawn.pos.x, c.drawnAt.x, 1e-3) << drawn.name << " from " << c.pos.x;
      EXPECT_NEAR(drawn.pos.y, c.drawnAt.y, 1e-3) << drawn.name << " from " << c.pos.x;
      EXPECT_FLOAT_EQ(drawn.rotation, 0.1f + 4 * 0.3f) << drawn.name;
    }
    EXPECT_FLOAT_EQ(journal[0].scaleX, SpriteScale(2.0f));
    EXPECT_FLOAT_EQ(journal[1].scaleX, 2.0f) << "the glow at the ring's scale";
  }
}

}  // namespace
}  // namespace GUI
