// The stand-ins every rules test relies on: their geometry must be the one the
// tests assume.
#include <gtest/gtest.h>

#include <numbers>

#include "platform/time/GameTime.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/LevelFuzzInput.h"
#include "tests/support/rules/LevelRig.h"
#include "tests/support/rules/LockLiveness.h"
#include "tests/support/rules/SampleLevels.h"
#include "tests/support/rules/StubTowerView.h"

namespace {

constexpr float kSlotAngle = std::numbers::pi_v<float> / 6;

TEST(StubTowerView, HasTheAgreedGeometry) {
  StubTowerView view(5);
  GamePlay::ITowerMeasurementView& m = *view.GetMeasurement();
  EXPECT_EQ(view.GetCentre(), (GamePlay::TPoint{400, 300}));
  EXPECT_EQ(view.GetTopRingIndex(), 4u);
  EXPECT_FLOAT_EQ(m.GetInnerRadius(0), 60);
  EXPECT_FLOAT_EQ(m.GetRadius(0), 85);
  EXPECT_FLOAT_EQ(m.GetInnerRadius(3), 135);
  EXPECT_FLOAT_EQ(m.GetRadius(3), 160);
  EXPECT_FLOAT_EQ(m.GetPieceAngle(), kSlotAngle);
  EXPECT_FLOAT_EQ(m.GetSlotStartAngle(2, 7), 7 * kSlotAngle);
  EXPECT_FLOAT_EQ(m.GetSlotEndAngle(2, 7), 8 * kSlotAngle);
}

TEST(StubTowerView, KeepsRingAnglesInOneTurn) {
  StubTowerView view(2);
  view.SetRingAngle(1, -kSlotAngle);
  EXPECT_FLOAT_EQ(view.GetRingAngle(1), 11 * kSlotAngle);
  view.SetRingAngle(0, 13 * kSlotAngle);
  EXPECT_NEAR(view.GetRingAngle(0), kSlotAngle, 1e-5);
  view.SetRingAngle(0, -1e-9f);
  EXPECT_LT(view.GetRingAngle(0), 12 * kSlotAngle);
  EXPECT_EQ(view.GetRingAngle(9), 0) << "out of range";
}

TEST(FakeClock, UpdatesAreTenMilliseconds) {
  FakeClock clock(100);
  clock.Update();
  clock.Update(3);
  EXPECT_EQ(GetGameTime(), 140u);
}

TEST(LockLiveness, PassesOnceOnlyTheEndLockIsLeftAndNamesTheLocksThatStay) {
  using GamePlay::TInputLock;
  GamePlay::TInputLocks locks;
  locks.Lock(TInputLock::EndOfPlay);
  locks.Lock(TInputLock::Gravity);
  locks.Lock(TInputLock::Falling);
  int updates = 0;
  auto update = [&] {
    if (++updates == 5) locks.Unlock(TInputLock::Gravity);
  };
  testing::AssertionResult stuck = LocksComeToRest(locks, update, 10);
  EXPECT_FALSE(stuck);
  EXPECT_STREQ(stuck.message(), "after 10 updates without input, locks still held: 4");
  locks.Lock(TInputLock::Gravity);
  updates = 0;
  auto freeing = [&] {
    if (++updates == 5) locks.Unlock(TInputLock::Gravity);
    if (updates == 7) locks.Unlock(TInputLock::Falling);
  };
  EXPECT_TRUE(LocksComeToRest(locks, freeing, 7));
}

TEST(LevelRig, FilesWithoutAPlayableLevelLeaveItWithoutALevel) {
  LevelFiles files = JourneyFiles();
  files.level[0] = {"Lvl01 Max Rings", "0"};
  LevelRig rig(files, {1, 1}, SampleLevelTuning());
  EXPECT_FALSE(rig.IsReady());
  rig.Update(10);
  rig.Drag(0, 1);
  rig.DoubleClick(0, 0);
  EXPECT_EQ(rig.Picture(), "");
}

TEST(LevelRig, PlaysTheLevelOfItsFiles) {
  LevelRig rig(JourneyFiles(), {1, 1}, SampleLevelTuning());
  ASSERT_TRUE(rig.IsReady());
  rig.Update(400);
  EXPECT_EQ(rig.Picture().size(), 5u * 13u) << "five rings of twelve cells and a line end";
}

TEST(LevelFuzzInput, SplitsWhatItJoined) {
  LevelFuzzInput input{{"level", "scores", "", "table"}, std::string("\x01play\0more", 10)};
  const std::string joined = JoinLevelFuzzInput(input);
  EXPECT_EQ(joined, std::string("level\0scores\0\0table\0\x01play\0more", 30));
  LevelFuzzInput split = SplitLevelFuzzInput(joined);
  EXPECT_EQ(split.files.level, "level");
  EXPECT_EQ(split.files.scores, "scores");
  EXPECT_EQ(split.files.powerUps, "");
  EXPECT_EQ(split.files.pieceTable, "table");
  EXPECT_EQ(split.play, input.play);

  LevelFuzzInput cut = SplitLevelFuzzInput("level only");
  EXPECT_EQ(cut.files.level, "level only");
  EXPECT_EQ(cut.files.pieceTable, "");
  EXPECT_EQ(cut.play, "");
}

}  // namespace
