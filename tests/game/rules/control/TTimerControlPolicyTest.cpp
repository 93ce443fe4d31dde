#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/rules/control/TTimerControlPolicy.h"
#include "tests/game/rules/ControlPolicyFixture.h"

namespace GamePlay {
namespace {

struct Boost {
  float before;
  float after;
};

class RecordingBoostHandler final : public ITimeController::ITimeBoostHandler {
 public:
  std::vector<Boost> heard;
  void OnTimeBoost(float before, float after) override { heard.push_back({before, after}); }
};

// The first update starts the clock; each one after it takes 10 ms.
class TimerTest : public ControlPolicyTest {
 protected:
  TimerTest() { BuildLevelTower({""}); }

  TTimerControlPolicy& MakeTimer(float totalTime, bool noTimeOut = false) {
    control.policies.clear();
    TTimerControlPolicy& made = Add<TTimerControlPolicy>(totalTime, noTimeOut);
    made.AddTimeBoostHandler(&handler);
    return made;
  }
  int TimeUps() const { return Count(control.events, "EndTimeUp"); }
  std::string LastSound() const { return sound.played.empty() ? "" : sound.played.back(); }

  RecordingBoostHandler handler;
};

// The end of the time ----------------------------------------------------

TEST_F(TimerTest, TheTimeRunsOutOnceAndTheTimerStandsOnceThePlayHasEnded) {
  TTimerControlPolicy& timer = MakeTimer(1000);
  Update(101);
  EXPECT_FLOAT_EQ(timer.GetRemaining(), 0);
  EXPECT_EQ(TimeUps(), 0) << "no time left is not yet less";
  Update();
  EXPECT_EQ(TimeUps(), 1);
  EXPECT_EQ(LastSound(), "StopAlmostTimeOut");
  Update(500);
  EXPECT_EQ(TimeUps(), 1);
  EXPECT_EQ(Count(control.events, "EndPlay"), 1);
  EXPECT_FLOAT_EQ(timer.GetRemaining(), -10) << "it stopped counting";
}

TEST_F(TimerTest, EachCrossingBelowZeroEndsThePlayOnce) {
  TTimerControlPolicy& timer = MakeTimer(1000);
  Update(102);
  ASSERT_EQ(TimeUps(), 1);
  control.locks.Unlock(TInputLock::EndOfPlay);  // a control that let the play go on
  Update(500);
  EXPECT_EQ(TimeUps(), 1) << "still below zero: no new crossing";
  EXPECT_FLOAT_EQ(timer.GetRemaining(), -5010);
  timer.AddTime(-10);
  EXPECT_FLOAT_EQ(timer.GetRemaining(), 1000) << "never more than the level time";
  Update(100);
  EXPECT_EQ(TimeUps(), 1);
  Update();
  EXPECT_EQ(TimeUps(), 2);
}

TEST_F(TimerTest, ATutorialTimerHoldsAtZeroAndNeverEndsThePlay) {
  TTimerControlPolicy& timer = MakeTimer(1000, true);
  Update(500);
  EXPECT_FLOAT_EQ(timer.GetRemaining(), 0);
  EXPECT_FLOAT_EQ(timer.GetRate(), 1);
  EXPECT_EQ(TimeUps(), 0);
  EXPECT_FALSE(Locked(TInputLock::EndOfPlay));
}

TEST_F(TimerTest, AnotherEndOfPlayStopsTheTimer) {
  TTimerControlPolicy& timer = MakeTimer(1000);
  Update(11);
  control.EndLevel();
  Update(200);
  EXPECT_FLOAT_EQ(timer.GetRemaining(), 900);
  EXPECT_EQ(TimeUps(), 0);
}

TEST_F(TimerTest, ALevelTimeOfZeroGivesARateOfZero) {
  TTimerControlPolicy& timer = MakeTimer(0);
  EXPECT_EQ(timer.GetRate(), 0);
  Update(2);
  EXPECT_EQ(TimeUps(), 1);
  EXPECT_EQ(timer.GetRate(), 0);
  timer.AddTime(-0.5f);
  EXPECT_EQ(timer.GetRate(), 0);
  EXPECT_TRUE(handler.heard.empty());
}

// Messages and the warning -----------------------------------------------

TEST_F(TimerTest, TheTimerStartsAfterTheFirstMessageAndStandsWhileOneShows) {
  TTimerControlPolicy& timer = MakeTimer(1000);
  view.showingMessage = true;
  Update(50);
  view.showingMessage = false;
  Update(11);
  EXPECT_FLOAT_EQ(timer.GetRemaining(), 900);
  view.showingMessage = true;
  Update(30);
  view.showingMessage = false;
  Update(10);
  EXPECT_FLOAT_EQ(timer.GetRemaining(), 800);
}

TEST_F(TimerTest, TheWarningRunsBelowAnEighthOfTheTimeLeft) {
  TTimerControlPolicy& timer = MakeTimer(1000);
  Update(88);
  ASSERT_FLOAT_EQ(timer.GetRemaining(), 130);
  EXPECT_EQ(LastSound(), "StopAlmostTimeOut");
  Update();
  EXPECT_EQ(LastSound(), "StartAlmostTimeOut");
  timer.AddTime(-0.5f);
  Update();
  EXPECT_EQ(LastSound(), "StopAlmostTimeOut") << "time added back above an eighth";
}

// Added time -------------------------------------------------------------

struct AddCase {
  const char* name;
  int updates;  // before the time is added
  float fraction;
  bool heard;
  Boost boost;
  float rate;  // after
};

TEST_F(TimerTest, AddedTimeIsCappedAndTheHandlersHearOfBoosts) {
  const AddCase cases[] = {
      {"half back at 70 % left: capped", 301, -0.5f, true, {0.3f, 0.0f}, 0.0f},
      {"a tenth back at 70 % left", 301, -0.1f, true, {0.3f, 0.2f}, 0.2f},
      {"time taken", 301, 0.2f, false, {}, 0.5f},
      {"time back on a full timer", 1, -0.1f, false, {}, 0.0f},
  };
  for (const AddCase& c : cases) {
    SCOPED_TRACE(c.name);
    handler.heard.clear();
    TTimerControlPolicy& timer = MakeTimer(10000);
    Update(c.updates);
    timer.AddTime(c.fraction);
    EXPECT_NEAR(timer.GetRate(), c.rate, 1e-6);
    ASSERT_EQ(handler.heard.size(), c.heard ? 1u : 0u);
    if (!c.heard) continue;
    EXPECT_NEAR(handler.heard[0].before, c.boost.before, 1e-6);
    EXPECT_NEAR(handler.heard[0].after, c.boost.after, 1e-6);
  }
}

TEST_F(TimerTest, ARemovedHandlerHearsOfNoBoostAndUnknownOnesAreIgnored) {
  TTimerControlPolicy& timer = MakeTimer(10000);
  RecordingBoostHandler stranger;
  timer.RemoveTimeBoostHandler(&stranger);
  timer.RemoveTimeBoostHandler(nullptr);
  Update(301);
  timer.AddTime(-0.1f);
  ASSERT_EQ(handler.heard.size(), 1u) << "removing a stranger keeps the others";
  timer.RemoveTimeBoostHandler(&handler);
  timer.AddTime(-0.1f);
  EXPECT_EQ(handler.heard.size(), 1u);
}

}  // namespace
}  // namespace GamePlay
