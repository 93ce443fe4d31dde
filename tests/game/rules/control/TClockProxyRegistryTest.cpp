#include "game/rules/control/TClockProxyRegistry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/FakeClock.h"
#include "tests/support/rules/RecordingGameRecords.h"

namespace GamePlay {
namespace {

class ClockProxyTest : public testing::Test {
 protected:
  std::unique_ptr<IClockProxy> NewProxy() {
    return std::unique_ptr<IClockProxy>(registry.CreateClockProxy());
  }

  FakeClock clock;
  TClockProxyRegistry registry;
};

// Steps of a scenario on two proxies, a and b.
enum class Op { Advance, StartA, StopA, StartB, StopB, Pause, Resume, Suspend, Unsuspend, Expect };

struct Step {
  Op op;
  uint32_t a = 0;  // Advance: milliseconds; Expect: a's reading
  uint32_t b = 0;  // Expect: b's reading
};

struct Scenario {
  std::string name;
  std::vector<Step> steps;
};

void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

class ClockProxyScenario : public ClockProxyTest, public testing::WithParamInterface<Scenario> {};

TEST_P(ClockProxyScenario, ReadsAsExpected) {
  auto a = NewProxy();
  auto b = NewProxy();
  int index = 0;
  for (const Step& step : GetParam().steps) {
    ++index;
    switch (step.op) {
      case Op::Advance: clock.Advance(step.a); break;
      case Op::StartA: a->Start(); break;
      case Op::StopA: a->Stop(); break;
      case Op::StartB: b->Start(); break;
      case Op::StopB: b->Stop(); break;
      case Op::Pause: registry.PauseAll(); break;
      case Op::Resume: registry.ResumeAll(); break;
      case Op::Suspend: registry.SetSuspended(true); break;
      case Op::Unsuspend: registry.SetSuspended(false); break;
      case Op::Expect:
        EXPECT_EQ(a->GetTime(), step.a) << "a at step " << index;
        EXPECT_EQ(b->GetTime(), step.b) << "b at step " << index;
        break;
    }
  }
}

constexpr Op Adv = Op::Advance, SA = Op::StartA, XA = Op::StopA, SB = Op::StartB, XB = Op::StopB,
             P = Op::Pause, R = Op::Resume, S = Op::Suspend, U = Op::Unsuspend, E = Op::Expect;

INSTANTIATE_TEST_SUITE_P(
    Registry, ClockProxyScenario,
    testing::Values(
        Scenario{"NewProxyReadsZeroAndStopKeepsIt", {{E, 0, 0}, {Adv, 50}, {XA}, {E, 0, 0}}},
        Scenario{"StopThenStartRestartsFromZero",
                 {{SA}, {Adv, 300}, {XA}, {SA}, {Adv, 20}, {E, 20, 0}}},
        Scenario{"PauseFreezesAndResumeContinues",
                 {{SA}, {Adv, 100}, {P}, {Adv, 900}, {E, 100, 0}, {R}, {Adv, 5}, {E, 105, 0}}},
        Scenario{"StartWhilePausedWaitsForTheResume",
                 {{P}, {SA}, {Adv, 400}, {E, 0, 0}, {R}, {Adv, 30}, {E, 30, 0}}},
        Scenario{"StopWhilePausedTakesEffectAtTheResume",
                 {{SA}, {Adv, 70}, {P}, {XA}, {Adv, 10}, {E, 70, 0}, {R}, {E, 0, 0}, {Adv, 10},
                  {E, 0, 0}}},
        Scenario{"PausedThenSuspendedAndLiftedRunsTheRunningOnesAgain",
                 {{SA}, {SB}, {Adv, 40}, {XB}, {P}, {S}, {Adv, 500}, {U}, {Adv, 10}, {E, 50, 0}}},
        Scenario{"ResumeWhileSuspendedKeepsTheProxiesStill",
                 {{SA}, {Adv, 10}, {S}, {R}, {Adv, 100}, {E, 10, 0}, {U}, {Adv, 1}, {E, 11, 0}}}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

TEST_F(ClockProxyTest, PauseAndResumeReachTheMetricsClock) {
  using Strings = std::vector<std::string>;
  RecordingGameRecords metrics;
  registry.AttachMetrics(&metrics);
  registry.ResumeAll();
  EXPECT_TRUE(metrics.clockCalls.empty()) << "not paused: the metrics clock is left alone";
  registry.PauseAll();
  registry.ResumeAll();
  EXPECT_EQ(metrics.clockCalls, (Strings{"PauseClock", "ResumeClock"}));
  registry.SetSuspended(true);
  registry.ResumeAll();
  EXPECT_EQ(metrics.clockCalls, (Strings{"PauseClock", "ResumeClock", "PauseClock", "ResumeClock"}))
      << "a resume while suspended still resumes metrics";
  registry.DetachMetrics(&metrics);
  registry.PauseAll();
  registry.ResumeAll();
  EXPECT_EQ(metrics.clockCalls.size(), 4u) << "taken back";
}

TEST_F(ClockProxyTest, TheLatestMetricsStillAttachedArePaused) {
  RecordingGameRecords first;
  RecordingGameRecords second;
  registry.AttachMetrics(&first);
  registry.AttachMetrics(nullptr);
  registry.AttachMetrics(&second);
  registry.PauseAll();
  registry.DetachMetrics(&first);  // an older level goes while a newer one plays
  registry.ResumeAll();
  EXPECT_TRUE(first.clockCalls.empty());
  EXPECT_EQ(second.clockCalls, (std::vector<std::string>{"PauseClock", "ResumeClock"}));
  registry.DetachMetrics(&second);
  EXPECT_EQ(registry.GetMetrics(), nullptr);
}

TEST_F(ClockProxyTest, ReportsPausedAndSuspended) {
  registry.PauseAll();
  EXPECT_TRUE(registry.IsPaused());
  EXPECT_FALSE(registry.IsSuspended());
  registry.SetSuspended(true);
  registry.ResumeAll();
  EXPECT_FALSE(registry.IsPaused());
  EXPECT_TRUE(registry.IsSuspended());
  registry.SetSuspended(false);
  EXPECT_FALSE(registry.IsSuspended());
}

TEST_F(ClockProxyTest, RegistryStopsReachingADeletedProxy) {
  auto a = NewProxy();
  a->Start();
  NewProxy().reset();
  registry.PauseAll();
  registry.ResumeAll();
  clock.Advance(5);
  EXPECT_EQ(a->GetTime(), 5u);
}

TEST(ClockProxyRegistryLifetime, ProxyOutlivingTheRegistryIsHarmless) {
  FakeClock clock;
  std::unique_ptr<IClockProxy> survivor;
  {
    TClockProxyRegistry registry;
    survivor.reset(registry.CreateClockProxy());
    survivor->Start();
    clock.Advance(20);
  }
  EXPECT_EQ(survivor->GetTime(), 20u);
  survivor->Stop();
  EXPECT_EQ(survivor->GetTime(), 0u);
  survivor.reset();  // deleted once, by its holder
}

TEST(ClockProxyRegistryLifetime, InstanceIsOneRegistry) {
  EXPECT_EQ(&TClockProxyRegistry::Instance(), &TClockProxyRegistry::Instance());
}

}  // namespace
}  // namespace GamePlay
