// The window manager on a platform face that draws nothing: a message posted
// and dispatched that bubbles six levels to the window that takes it (goal:
// 1 µs or less per message), a mouse move routed into a 500-window screen
// (5 µs or less), and an idle event over a 500-window tree in which nothing
// was invalidated (5 µs or less).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchScreen.h"
#include "bench/support/SpeedGoals.h"
#include "windows/core/TMessage.h"

namespace {

const SpeedGoals kGoals{
    {"MessageBubblesSixLevels", kTimeMs, Goal::kAtMost, 0.001},
    {"MouseMoveIntoBusyScreen", kTimeMs, Goal::kAtMost, 0.005},
    {"IdleWithNothingInvalidated", kTimeMs, Goal::kAtMost, 0.005},
};

// Takes the messages that reach it, and the moves.
class Taker : public TWindow {
 public:
  bool HandleMessage(TMessage&) override { return true; }
  bool OnMouseMove(int32_t, int32_t) override { return true; }
};

void MessageBubblesSixLevels(benchmark::State& state) {
  BenchScreen screen;
  TWindow* level = AddBenchChild<Taker>(*screen.root, TRect(0, 0, 400, 400));
  for (int depth = 0; depth < 6; ++depth) level = AddBenchChild(*level, TRect(1, 1, 300, 300));
  for (auto _ : state) {
    screen.manager.PostMessage(std::make_unique<TMessage>(kMessageButtonPress, "button", level));
    screen.manager.DispatchMessages();
  }
}
BENCHMARK(MessageBubblesSixLevels);

// 20 panels under the root, each a frame of six rows of three windows (500
// windows), the pointer over a
// window in the panel at the back, which hit testing reaches last.
void BuildBusyScreen(BenchScreen& screen) {
  for (int panel = 0; panel < 20; ++panel) {
    TWindow* frame = AddBenchChild(*screen.root, TRect((panel % 5) * 160, (panel / 5) * 150, (panel % 5) * 160 + 150,
                                                  (panel / 5) * 150 + 140));
    for (int item = 0; item < 6; ++item) {
      TWindow* row = AddBenchChild(*frame, TRect(5, 5 + item * 22, 145, 25 + item * 22));
      AddBenchChild(*row, TRect(0, 0, 20, 20));
      AddBenchChild(*row, TRect(25, 0, 90, 20));
      AddBenchChild<Taker>(*row, TRect(95, 0, 140, 20));
    }
  }
  screen.manager.HandleEvent(TEvent{.type = kEventIdle});
}

void MouseMoveIntoBusyScreen(benchmark::State& state) {
  BenchScreen screen;
  BuildBusyScreen(screen);
  TEvent move{.type = kEventMouseMove, .x = 120, .y = 10};
  for (auto _ : state) screen.manager.HandleEvent(move);
}
BENCHMARK(MouseMoveIntoBusyScreen);

void IdleWithNothingInvalidated(benchmark::State& state) {
  BenchScreen screen;
  BuildBusyScreen(screen);
  TEvent idle{.type = kEventIdle};
  for (auto _ : state) screen.manager.HandleEvent(idle);
}
BENCHMARK(IdleWithNothingInvalidated);

}  // namespace
