// The window tree on a platform face that draws nothing: hit testing down a
// deep tree (goal: 0.5 µs or less per lookup), an invalidation climbing from
// a leaf of that tree to the root (1 µs or less), pushing a dirty root down
// over 1,000 windows (0.3 ms or less), and a frame in which one button of a
// 200-window screen changed: propagation and the drawing walk (30 µs or less).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchScreen.h"
#include "bench/support/SpeedGoals.h"

namespace {

const SpeedGoals kGoals{
    {"FindWindowAtDeepTree", kTimeMs, Goal::kAtMost, 0.0005},
    {"InvalidateLeafToRoot", kTimeMs, Goal::kAtMost, 0.001},
    {"PropagateDirtyRoot", kTimeMs, Goal::kAtMost, 0.3},
    {"FrameAfterOneButtonChanged", kTimeMs, Goal::kAtMost, 0.03},
};

// Ten levels below the root, sixteen children on each; the way down goes
// through the child at the back, which a lookup tries last.
TWindow* BuildDeepTree(BenchScreen& screen) {
  TWindow* level = screen.root;
  for (int depth = 0; depth < 10; ++depth) {
    TWindow* next = AddBenchChild(*level, TRect(1, 1, level->GetWidth() - 1, level->GetHeight() - 1));
    for (int sibling = 1; sibling < 16; ++sibling) AddBenchChild(*level, TRect(0, 0, 1, 1));
    level = next;
  }
  screen.manager.Frame();
  return level;
}

void FindWindowAtDeepTree(benchmark::State& state) {
  BenchScreen screen;
  TWindow* leaf = BuildDeepTree(screen);
  for (auto _ : state) {
    TVec2 point(400, 300);
    TWindow* found = screen.root->FindWindowAt(point);
    benchmark::DoNotOptimize(found);
  }
  TVec2 point(400, 300);
  if (screen.root->FindWindowAt(point) != leaf) state.SkipWithError("the lookup missed the leaf");
}
BENCHMARK(FindWindowAtDeepTree);

void InvalidateLeafToRoot(benchmark::State& state) {
  BenchScreen screen;
  TWindow* leaf = BuildDeepTree(screen);
  TRect area(0, 0, 10, 10);
  for (auto _ : state) leaf->Invalidate(&area);
}
BENCHMARK(InvalidateLeafToRoot);

// Ten panels of ten rows of ten windows under the root: 1,110 windows.
void BuildWideTree(BenchScreen& screen) {
  for (int panel = 0; panel < 10; ++panel) {
    TWindow* column = AddBenchChild(*screen.root, TRect(panel * 80, 0, panel * 80 + 80, 600));
    for (int row = 0; row < 10; ++row) {
      TWindow* line = AddBenchChild(*column, TRect(0, row * 60, 80, row * 60 + 60));
      for (int cell = 0; cell < 10; ++cell) AddBenchChild(*line, TRect(cell * 8, 0, cell * 8 + 8, 60));
    }
  }
  screen.manager.Frame();
}

void PropagateDirtyRoot(benchmark::State& state) {
  BenchScreen screen;
  BuildWideTree(screen);
  for (auto _ : state) {
    screen.root->Invalidate();
    screen.manager.PropagateDirty();
    // Drawing empties the dirty areas, as after every frame.
    state.PauseTiming();
    screen.root->DrawTree();
    state.ResumeTiming();
  }
}
BENCHMARK(PropagateDirtyRoot);

// A menu of 200 windows: 20 panels, each a frame with a caption and four
// buttons with a label each.
void FrameAfterOneButtonChanged(benchmark::State& state) {
  BenchScreen screen;
  TWindow* button = nullptr;
  for (int panel = 0; panel < 20; ++panel) {
    TWindow* frame = AddBenchChild(*screen.root, TRect((panel % 5) * 160, (panel / 5) * 150, (panel % 5) * 160 + 150,
                                                  (panel / 5) * 150 + 140));
    AddBenchChild(*frame, TRect(0, 0, 150, 20));
    for (int item = 0; item < 4; ++item) {
      button = AddBenchChild(*frame, TRect(5, 25 + item * 28, 145, 50 + item * 28));
      AddBenchChild(*button, TRect(10, 2, 130, 22));
    }
  }
  screen.manager.Frame();
  for (auto _ : state) {
    button->Invalidate();
    screen.manager.Frame();
  }
}
BENCHMARK(FrameAfterOneButtonChanged);

}  // namespace
