// The platform's event pump over the window layer under SDL's dummy video
// driver: the cadence of idle events (each idle pass waits up to 1 ms for
// input; the aim is a median of 1.3 ms or less and a 99th percentile of 3 ms
// or less), and what turning one key press into an event costs.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/TAppPlatform.h"
#include "bench/support/SpeedGoals.h"

namespace {

// The platform writes its folders and log: keep them out of the real home.
void UseScratchFolders() {
  static bool done = false;
  if (done) return;
  done = true;
  char folder[] = "/tmp/quorvane-bench-XXXXXX";
  std::string root = mkdtemp(folder) ? folder : "/tmp";
  for (const char* variable : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
    setenv(variable, root.c_str(), 1);
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
}

std::unique_ptr<TAppPlatform> HeadlessPlatform() {
  UseScratchFolders();
  auto platform = std::make_unique<TAppPlatform>(std::make_unique<TPlatformData>("--multiple", true));
  if (!platform->CreateMainWindow()) return nullptr;
  return platform;
}

double Percentile(std::vector<double>& values, int percent) {
  std::sort(values.begin(), values.end());
  return values[values.size() * percent / 100];
}

void IdleCadence(benchmark::State& state) {
  auto platform = HeadlessPlatform();
  if (!platform) return state.SkipWithError("no window");
  std::vector<double> idles;
  TEvent event;
  auto last = std::chrono::steady_clock::now();
  for (auto _ : state) {
    platform->GetEvent(&event);
    auto now = std::chrono::steady_clock::now();
    if (event.type == kEventIdle) idles.push_back(std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
  }
  if (idles.empty()) return state.SkipWithError("no idle event");
  state.counters["median_ms"] = Percentile(idles, 50);
  state.counters["p99_ms"] = Percentile(idles, 99);
}
BENCHMARK(IdleCadence)->MinTime(2.0)->UseRealTime();

void KeyPressToEvent(benchmark::State& state) {
  auto platform = HeadlessPlatform();
  if (!platform) return state.SkipWithError("no window");
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_LEFT;
  key.key.keysym.sym = SDLK_LEFT;
  TEvent event;
  for (auto _ : state) {
    SDL_PushEvent(&key);
    platform->GetEvent(&event);
    benchmark::DoNotOptimize(event);
  }
  if (event.type != kEventKeyDown) state.SkipWithError("the key press gave no key event");
}
BENCHMARK(KeyPressToEvent);

const SpeedGoals kGoals{
    {"IdleCadence", "median_ms", Goal::kAtMost, 1.3},
    {"IdleCadence", "p99_ms", Goal::kAtMost, 3},
};

}  // namespace
