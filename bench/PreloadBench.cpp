// The loading screen's work on our own pictures, on the software display:
// - the whole preload of the built data folder, Preload, then FetchNext until
//   the queue is empty, then FetchAll (goal: 500 ms or less);
// - the longest single fetch action met on the way (counter
//   `longest_fetch_ms`, goal: 10 ms or less, so that the loading screen's
//   slices of 10 ms stay smooth).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "bench/support/SpeedGoals.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"

namespace {

using PreloadClock = std::chrono::steady_clock;

const SpeedGoals kGoals{
    {"PreloadOurPictures", kTimeMs, Goal::kAtMost, 500},
    {"PreloadOurPictures", "longest_fetch_ms", Goal::kAtMost, 10},
};

double MillisecondsSince(PreloadClock::time_point start) {
  return std::chrono::duration<double, std::milli>(PreloadClock::now() - start).count();
}

// Each run loads into a registry of its own; the textures of the one before
// went with it, so every run reads and decodes every picture again.
void PreloadOurPictures(benchmark::State& state) {
  BuiltDataFolder folder;
  FakePlatform platform;
  platform.recording = false;
  FakeDesktopDisplay desktop(platform);
  if (!desktop.IsOpen()) return state.SkipWithError("no display");
  double longestFetchMs = 0;
  for (auto _ : state) {
    GUI::TGraphicRegistry registry;
    const auto start = PreloadClock::now();
    if (registry.Preload() != 78) return state.SkipWithError("the preload list was not queued");
    bool empty = false;
    while (!empty) {
      const auto fetchStart = PreloadClock::now();
      empty = registry.FetchNext();
      longestFetchMs = std::max(longestFetchMs, MillisecondsSince(fetchStart));
    }
    registry.FetchAll();
    state.SetIterationTime(MillisecondsSince(start) / 1000.0);
    if (!registry.GetGraphic("sprites/piece-spark-red")->GetFrameTexture()) {
      return state.SkipWithError("a picture did not load");
    }
  }
  state.counters["longest_fetch_ms"] = longestFetchMs;
}
BENCHMARK(PreloadOurPictures)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
