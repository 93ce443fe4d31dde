#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/rules/ControlPolicyFixture.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

// With a threshold of 0, a piece anywhere holds off forced deliveries.
constexpr uint32_t kNoForcing = 0;
const std::string kAnchor = "...........1";

// Empty rings above an anchor ring.
Strings AnchoredRings(size_t count) {
  Strings rings(count);
  rings.back() = kAnchor;
  return rings;
}

class DeliveryTest : public ControlPolicyTest {
 protected:
  // Every column's generator hands out the colours 0, 1, 2, ...
  void QueueColours(int colours) {
    for (int32_t slot = 0; slot < 12; ++slot) {
      for (int32_t colour = 0; colour < colours; ++colour) {
        kit->generator->queued[slot].push_back(colour % 6);
      }
    }
  }
};

// Timed delivery ---------------------------------------------------------

struct RampCase {
  float fill;
  float rate;
};

TEST_F(DeliveryTest, TheDeliveryRateRampsWithTheFillUpToTheGeneratorsShare) {
  // 8 rings, 4 of them the generator's: the ramp ends at a fill of 0.5.
  const RampCase cases[] = {{0, 0.01f}, {0.25f, 0.015f}, {0.5f, 0.02f}, {0.75f, 0.02f}};
  for (const RampCase& c : cases) {
    SCOPED_TRACE(c.fill);
    control.policies.clear();
    BuildLevelTower(AnchoredRings(8), {}, 4);
    auto& addRing = Add<TAddRingControlPolicy>(&scoring, 0.02f, 0.01f, false, kNoForcing);
    scoring.fill = c.fill;
    Update();
    EXPECT_FLOAT_EQ(addRing.GetRate(), c.rate) << "the progress of one update";
  }
}

TEST_F(DeliveryTest, NoRingIsDeliveredWhileAnyLockIsHeld) {
  for (int lock = 0; lock < TInputLocks::kCount; ++lock) {
    SCOPED_TRACE(lock);
    control.policies.clear();
    control.locks = TInputLocks();
    BuildLevelTower(AnchoredRings(4));
    QueueColours(4);
    auto& addRing = Add<TAddRingControlPolicy>(&scoring, 1.0f, 1.0f, false, kNoForcing);
    control.locks.Lock(static_cast<TInputLock>(lock));
    Update(3);
    EXPECT_EQ(Column(0), "....");
    bool startingUp = lock == static_cast<int>(TInputLock::StartUpDelivery);
    EXPECT_FLOAT_EQ(addRing.GetRate(), startingUp ? 0 : 3) << "progress goes on building";
    control.locks.Unlock(static_cast<TInputLock>(lock));
    Update();
    EXPECT_EQ(Column(0), "...r");
    EXPECT_FLOAT_EQ(addRing.GetRate(), 0);
  }
}

TEST_F(DeliveryTest, ADeliveryFromTheTopPushesANewPieceInAtRingZero) {
  BuildLevelTower(AnchoredRings(4));
  QueueColours(1);
  Add<TAddRingControlPolicy>(&scoring, 1.0f, 1.0f, true, kNoForcing);
  Update();
  EXPECT_EQ(Column(0), "^...");
}

// Forced delivery --------------------------------------------------------

struct ForceCase {
  const char* name;
  Strings rings;
  uint32_t threshold;
  bool delivers;
};

TEST_F(DeliveryTest, AForcedDeliveryComesWhenTheTowerHasEmptiedToTheThreshold) {
  const ForceCase cases[] = {
      {"top ring clear, threshold the ring count", {"", "", "", "1"}, 4, true},
      {"top ring taken, threshold the ring count", {"1", "", "", "1"}, 4, false},
      {"an empty tower, threshold 0", {"", "", "", ""}, 0, true},
      {"any piece, threshold 0", {"", "", "", "1"}, 0, false},
  };
  for (const ForceCase& c : cases) {
    SCOPED_TRACE(c.name);
    control.policies.clear();
    BuildLevelTower(c.rings);
    QueueColours(1);
    Add<TAddRingControlPolicy>(&scoring, 0.0f, 0.0f, false, c.threshold);
    Update();
    bool delivered = Describe(*tower->GetPiece(3, 5)) == 'r';
    EXPECT_EQ(delivered, c.delivers);
  }
}

// The level's start ------------------------------------------------------

class StartUpTest : public DeliveryTest {
 protected:
  TStartUpControlPolicy& AddStartPolicies(bool fromTop) {
    LevelOptions options;
    options.deliveryFromTop = fromTop;
    return *AddLevelPolicies(options).startUp;
  }
};

TEST_F(StartUpTest, FromTheBottomTheGeneratorsRingsRiseInOneByOneAfterTheDelay) {
  BuildLevelTower({"e", "", ""});
  QueueColours(3);
  TStartUpControlPolicy& startUp = AddStartPolicies(false);
  EXPECT_TRUE(Locked(TInputLock::StartUpDelivery)) << "from its making";
  view.ringAngles = {1, 1, 1};
  Update(249);
  EXPECT_EQ(Column(1), "...");
  Update();
  EXPECT_EQ(Column(1), "..r");
  Update(5);
  EXPECT_EQ(Column(1), "012");
  EXPECT_EQ(Column(0), "e01") << "the placeholder kept a cell";
  EXPECT_TRUE(startUp.IsActive());
  Update();
  EXPECT_FALSE(startUp.IsActive());
  EXPECT_FALSE(control.locks.IsAnyLocked());
  EXPECT_EQ(Column(0), ".01") << "placeholders are cleared at the end";
  EXPECT_EQ(view.ringAngles, (std::vector<float>{0, 0, 0}));
}

TEST_F(StartUpTest, FromTheTopTheLockGoesAfterTheDelayAndTheStartEndsWithTheFill) {
  BuildLevelTower({"e", "", ""});
  TStartUpControlPolicy& startUp = AddStartPolicies(true);
  Update(250);
  EXPECT_TRUE(Locked(TInputLock::StartUpDelivery)) << "2500 ms is not yet more";
  Update();
  EXPECT_FALSE(Locked(TInputLock::StartUpDelivery));
  Update(10);
  EXPECT_TRUE(startUp.IsActive()) << "the tower is still filling";
  FinishFill();
  Update();
  EXPECT_FALSE(startUp.IsActive());
  EXPECT_EQ(Column(0), "...");
}

}  // namespace
}  // namespace GamePlay
