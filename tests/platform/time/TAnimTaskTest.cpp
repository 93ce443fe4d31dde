#include "platform/time/TAnimTask.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/time/TClock.h"
#include "tests/support/FakeClock.h"

namespace {

constexpr int kRunLimit = 10000;

// Counts its runs and answers a fixed result. A runaway catch-up ends at the
// run limit, so that it fails the test instead of hanging it.
class CountingTask : public TAnimTask {
 public:
  explicit CountingTask(TClock* clock = nullptr, bool keep = true) : TAnimTask(clock), mKeep(keep) {}
  int runs = 0;

 protected:
  bool Animate() override {
    ++runs;
    return mKeep && runs < kRunLimit;
  }

 private:
  bool mKeep;
};

int32_t SinceDue(const TAnimTask& task) { return static_cast<int32_t>(task.GetTimeSinceDue()); }

struct StepCase {
  std::string name;
  uint32_t delay;
  bool repeat;
  bool restartFromNow;
  bool catchUp;
  uint32_t lateness;  // how far past its due time the task is stepped
  int expectedRuns;
  int32_t expectedSinceDue;  // after the step; negative: the next due time lies ahead
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

class TAnimTaskStep : public testing::TestWithParam<StepCase> {};

TEST_P(TAnimTaskStep, RunsAndReschedules) {
  const StepCase& c = GetParam();
  FakeClock gameTime(1000);
  CountingTask task;
  task.Start(c.delay, c.repeat, c.restartFromNow, c.catchUp);
  gameTime.Advance(c.delay + c.lateness);
  ASSERT_TRUE(task.IsReady(TTaskPass::Timed));
  EXPECT_TRUE(task.Step());
  EXPECT_EQ(task.runs, c.expectedRuns);
  EXPECT_EQ(SinceDue(task), c.expectedSinceDue);
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, TAnimTaskStep,
    testing::Values(
        StepCase{"OnTimeKeepsTheCadence", 10, true, false, false, 0, 1, -10},
        StepCase{"LateWithoutCatchUpStaysBehind", 10, true, false, false, 35, 1, 25},
        StepCase{"CatchUpMakesUpEveryMissedPeriod", 10, true, false, true, 35, 4, -5},
        StepCase{"CatchUpAtOneSecondLateStillCatchesUp", 100, true, false, true, 1000, 10, 0},
        StepCase{"MoreThanASecondLateStartsAfreshFromNow", 100, true, false, false, 1500, 1, -100},
        StepCase{"MoreThanASecondLateDoesNotCatchUp", 100, true, false, true, 1500, 1, -100},
        StepCase{"RestartFromNowCountsFromTheStep", 10, true, true, true, 35, 1, -10},
        StepCase{"OneShotCatchUpRunsOnce", 10, false, false, true, 35, 1, 35},
        StepCase{"OneShotStaysDueWhileItKeepsGoing", 10, false, false, false, 0, 1, 0}),
    [](const testing::TestParamInfo<StepCase>& info) { return info.param.name; });

TEST(TAnimTask, OneShotCatchUpTaskFinishesItsStep) {
  FakeClock gameTime;
  CountingTask task;
  task.Start(0, false, false, true);
  gameTime.Advance(500);
  EXPECT_TRUE(task.Step());
  EXPECT_EQ(task.runs, 1);
  EXPECT_TRUE(task.IsReady(TTaskPass::Timed)) << "it runs again at the next pass";
}

TEST(TAnimTask, StaysOrderedAcrossTheWrap) {
  FakeClock gameTime(0xFFFFFFF0 - 10);
  CountingTask task(nullptr);
  task.Start(10, true, false, true);
  EXPECT_EQ(task.GetTimeSinceDue(), uint32_t(-10));
  gameTime.Advance(9);
  EXPECT_FALSE(task.IsReady(TTaskPass::Timed));
  gameTime.Advance(1);  // now 0xFFFFFFF0
  ASSERT_TRUE(task.IsReady(TTaskPass::Timed));
  task.Step();
  gameTime.Advance(10);  // now 0xFFFFFFFA, due the same
  ASSERT_TRUE(task.IsReady(TTaskPass::Timed));
  task.Step();
  EXPECT_EQ(task.runs, 2) << "a due time past the wrap is ahead, not behind";
  EXPECT_FALSE(task.IsReady(TTaskPass::Timed));
  gameTime.Advance(10);  // now 0x00000004
  EXPECT_TRUE(task.IsReady(TTaskPass::Timed));
}

TEST(TAnimTask, ADueTimeOfAllBitsSetIsNotStopped) {
  FakeClock gameTime(0xFFFFFFFF - 5);
  CountingTask task;
  task.Start(5, false, true, false);
  gameTime.Advance(5);
  EXPECT_TRUE(task.IsReady(TTaskPass::Timed));
  EXPECT_EQ(task.GetTimeSinceDue(), 0u);
}

TEST(TAnimTask, NewTaskIsDueAtOnce) {
  FakeClock gameTime(77);
  CountingTask task;
  EXPECT_TRUE(task.IsReady(TTaskPass::Timed));
  EXPECT_EQ(task.GetTimeSinceDue(), 0u);
  EXPECT_FALSE(task.IsReady(TTaskPass::Frame));
}

TEST(TAnimTask, StartKeepsTheCadenceUnlessStoppedOrFromNow) {
  FakeClock gameTime;
  CountingTask task;
  gameTime.Advance(30);
  task.Start(100, false, false, false);
  EXPECT_EQ(SinceDue(task), -70) << "due 100 after the due time it had";
  task.Start(100, false, true, false);
  EXPECT_EQ(SinceDue(task), -100) << "due 100 after now";
  task.Stop();
  task.Start(100, false, false, false);
  EXPECT_EQ(SinceDue(task), -100) << "a stopped task has no cadence to keep";
}

TEST(TAnimTask, StoppedTaskIsNeverDue) {
  FakeClock gameTime;
  CountingTask task;
  task.SetReady(true);
  task.Stop();
  gameTime.Advance(5000);
  EXPECT_FALSE(task.IsReady(TTaskPass::Timed));
  EXPECT_FALSE(task.IsReady(TTaskPass::Frame)) << "stopping clears the ready flag";
  EXPECT_EQ(task.GetTimeSinceDue(), 0xFFFFFFFFu);
}

TEST(TAnimTask, FramePassAnswersTheReadyFlagOnly) {
  FakeClock gameTime;
  CountingTask task;
  task.Start(1000, false, true, false);
  EXPECT_FALSE(task.IsReady(TTaskPass::Frame));
  task.SetReady(true);
  EXPECT_TRUE(task.IsReady(TTaskPass::Frame));
  EXPECT_FALSE(task.IsReady(TTaskPass::Timed));
}

// Stops itself from inside its work while it is behind.
class SelfStoppingTask : public TAnimTask {
 public:
  int runs = 0;

 protected:
  bool Animate() override {
    ++runs;
    Stop();
    return true;
  }
};

TEST(TAnimTask, CatchUpEndsWhenTheWorkStopsTheTask) {
  FakeClock gameTime;
  SelfStoppingTask task;
  task.Start(10, true, false, true);
  gameTime.Advance(500);
  EXPECT_TRUE(task.Step());
  EXPECT_EQ(task.runs, 1);
  EXPECT_FALSE(task.IsReady(TTaskPass::Timed));
}

TEST(TAnimTask, RunsOnItsOwnClock) {
  FakeClock gameTime;
  TClock clock;
  CountingTask task(&clock);
  task.Start(100, true, true, false);
  gameTime.Advance(1000);
  EXPECT_FALSE(task.IsReady(TTaskPass::Timed)) << "the clock is paused";
  clock.Start();
  gameTime.Advance(100);
  EXPECT_TRUE(task.IsReady(TTaskPass::Timed));
  EXPECT_EQ(task.GetNow(), 100u);
}

TEST(TAnimTask, StepAnswersTheWorksResult) {
  FakeClock gameTime;
  CountingTask task(nullptr, false);
  task.Start(10, true, false, true);
  gameTime.Advance(100);
  EXPECT_FALSE(task.Step());
  EXPECT_EQ(task.runs, 1) << "catch-up ends with the task";
}

}  // namespace
