#include "platform/time/TClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FakeClock.h"

namespace {

enum class Op { Advance, Start, Pause, Reset, Set, Expect };

struct Action {
  Op op;
  uint32_t value = 0;
};

struct ClockCase {
  std::string name;
  std::vector<Action> actions;
};

void PrintTo(const ClockCase& c, std::ostream* out) { *out << c.name; }

class TClockScenario : public testing::TestWithParam<ClockCase> {};

TEST_P(TClockScenario, ReadsAsExpected) {
  FakeClock gameTime(5000);
  TClock clock;
  int step = 0;
  for (const Action& action : GetParam().actions) {
    ++step;
    switch (action.op) {
      case Op::Advance: gameTime.Advance(action.value); break;
      case Op::Start: clock.Start(); break;
      case Op::Pause: clock.Pause(); break;
      case Op::Reset: EXPECT_EQ(clock.Reset(), 0u); break;
      case Op::Set: EXPECT_EQ(clock.SetTime(action.value), action.value); break;
      case Op::Expect: EXPECT_EQ(clock.GetTime(), action.value) << "at step " << step; break;
    }
  }
}

constexpr Op A = Op::Advance, S = Op::Start, P = Op::Pause, R = Op::Reset, T = Op::Set,
             E = Op::Expect;

INSTANTIATE_TEST_SUITE_P(
    Clock, TClockScenario,
    testing::Values(
        ClockCase{"NewClockStandsAtZero", {{E, 0}, {A, 100}, {E, 0}}},
        ClockCase{"FirstStartRunsFromZero", {{A, 300}, {S}, {E, 0}, {A, 250}, {E, 250}}},
        ClockCase{"ResumesFromTheFrozenValue",
                  {{S}, {A, 500}, {P}, {A, 2000}, {E, 500}, {S}, {E, 500}, {A, 10}, {E, 510}}},
        ClockCase{"PausesAddUp",
                  {{S}, {A, 100}, {P}, {A, 50}, {S}, {A, 100}, {P}, {A, 70}, {S}, {A, 1}, {E, 201}}},
        ClockCase{"ResetOnARunningClockPausesAtZero",
                  {{S}, {A, 300}, {R}, {E, 0}, {A, 50}, {E, 0}, {S}, {E, 0}, {A, 70}, {E, 70}}},
        ClockCase{"SetWhileRunningRunsOnFromTheValue",
                  {{S}, {A, 100}, {T, 1000}, {E, 1000}, {A, 5}, {E, 1005}}},
        ClockCase{"SetWhilePausedResumesFromTheValue",
                  {{S}, {A, 9}, {P}, {T, 42}, {A, 100}, {E, 42}, {S}, {A, 8}, {E, 50}}},
        ClockCase{"StartWhileRunningChangesNothing", {{S}, {A, 20}, {S}, {A, 20}, {E, 40}}},
        ClockCase{"RunsAcrossTheWrap", {{S}, {T, 0xFFFFFFF0}, {A, 0x20}, {E, 0x10}}}),
    [](const testing::TestParamInfo<ClockCase>& info) { return info.param.name; });

TEST(TClock, PauseReportsWhetherItWasAlreadyPaused) {
  FakeClock gameTime;
  TClock clock;
  EXPECT_TRUE(clock.Pause()) << "a new clock is paused";
  clock.Start();
  EXPECT_FALSE(clock.Pause());
  EXPECT_TRUE(clock.Pause());
}

}  // namespace
