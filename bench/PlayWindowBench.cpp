// Speed of the play window over the game's largest level (10-5, twelve
// rings) from the data folder the build made: setting a level up, model and
// views, while the window already plays one; and one 10 ms update of a
// full tower, with the tasks that run it.
// Goals: a level set up in 20 ms or less; an update in 50 µs or less.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "bench/BenchHome.h"
#include "bench/support/SpeedGoals.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/play/PlayWindowRig.h"
#include "tests/support/BuiltDataFolder.h"

namespace {

using GUI::PlayWindowRig;
using GUI::TArcadeWindow;

constexpr int32_t kLargestWorld = 10;
constexpr int32_t kLargestLevel = 5;
// The start-up delivery of a full tower and the cascades after it.
constexpr int kFillingUpdates = 500;
// Updates timed before the level starts afresh, well inside its time.
constexpr int64_t kUpdatesPerLevel = 5000;

const BenchHome gHome;

// The play screen over the built data folder, its play window made.
struct PlayScreen {
  PlayScreen() {
    std::srand(1);
    rig.LoadStrings();
    window = rig.AddPlayWindow();
  }

  // The largest level, its tower filled and settled.
  void StartFullLevel() {
    window->SetLevel(kLargestWorld, kLargestLevel);
    rig.Update(kFillingUpdates);
  }

  PlayWindowRig rig;
  BuiltDataFolder data;
  TArcadeWindow* window = nullptr;
};

void BM_SetLevelOfTheLargestLevel(benchmark::State& state) {
  PlayScreen screen;
  for (auto _ : state) {
    screen.window->SetLevel(kLargestWorld, kLargestLevel);
    benchmark::DoNotOptimize(screen.window->GetTowerControl());
  }
  if (!screen.window->GetTowerControl()) state.SkipWithError("the level was not set up");
  state.counters["rings"] = screen.window->GetTowerModel()->GetRingCount();
}
BENCHMARK(BM_SetLevelOfTheLargestLevel)->Unit(benchmark::kMillisecond);

void BM_UpdateWithAFullTower(benchmark::State& state) {
  PlayScreen screen;
  screen.StartFullLevel();
  state.counters["fill"] = screen.window->GetScoring()->GetFillFraction();
  int64_t updates = 0;
  for (auto _ : state) {
    screen.rig.Update();
    if (++updates % kUpdatesPerLevel == 0) {
      state.PauseTiming();
      screen.StartFullLevel();
      state.ResumeTiming();
    }
  }
  if (!screen.window->GetTowerControl()) state.SkipWithError("the level was not set up");
}
BENCHMARK(BM_UpdateWithAFullTower)->Unit(benchmark::kMicrosecond);

const SpeedGoals kGoals{{"BM_SetLevelOfTheLargestLevel", kTimeMs, Goal::kAtMost, 20},
                        {"BM_UpdateWithAFullTower", kTimeMs, Goal::kAtMost, 0.05}};

}  // namespace
