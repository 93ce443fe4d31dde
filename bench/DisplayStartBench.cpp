// The program's display under SDL's dummy video driver: the time from the
// platform's start to the first frame the window shows (goal 200 ms or
// less), and a whole frame of the root screen showing an 800 x 600 backdrop,
// BeginDraw to EndDraw (goal 2 ms or less); each figure is a mean (counter
// `mean_ms`).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "app/RunFramework.h"
#include "app/TAppPlatform.h"
#include "bench/BenchFolder.h"
#include "bench/support/SpeedGoals.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "system/window/Window.h"
#include "tests/support/BackdropStandIn.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"

namespace {

using Clock = std::chrono::steady_clock;

const SpeedGoals kGoals{
    {"StartToFirstFrame", "mean_ms", Goal::kAtMost, 200},
    {"RootScreenFrame", "mean_ms", Goal::kAtMost, 2},
};

// Headless, with the program's folders in a folder of the benchmark's own.
void UseDummyDrivers() {
  static BenchFolder home;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("XDG_DATA_HOME", (home.Path() / "data").c_str(), 1);
  setenv("XDG_STATE_HOME", (home.Path() / "state").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home.Path() / "cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home.Path() / "runtime").c_str(), 1);
}

// Pumps events into the window manager until the window shows a frame.
void PumpUntilShown(TAppPlatform& platform) {
  sys::Picture shown;
  TEvent event;
  while (!platform.GetMainWindow()->Native().ReadShownPicture(shown)) {
    platform.GetEvent(&event);
    platform.GetWindowManager()->HandleEvent(event);
  }
}

Clock::time_point gStarted;
double gLastStartMs = 0;

void ToTheFirstFrame(TAppPlatform* platform, const char*) {
  platform->SetDisplay(800, 600, false);
  PumpUntilShown(*platform);
  gLastStartMs = std::chrono::duration<double, std::milli>(Clock::now() - gStarted).count();
}

void StartToFirstFrame(benchmark::State& state) {
  UseDummyDrivers();
  double totalMs = 0;
  for (auto _ : state) {
    gStarted = Clock::now();
    if (RunFramework("--multiple", ToTheFirstFrame, true) != 0) std::abort();
    state.SetIterationTime(gLastStartMs / 1000.0);
    totalMs += gLastStartMs;
  }
  state.counters["mean_ms"] = state.iterations() ? totalMs / static_cast<double>(state.iterations()) : 0;
}

benchmark::State* gFrameState = nullptr;

void RootScreenFrames(TAppPlatform* platform, const char*) {
  platform->SetDisplay(800, 600, false);
  PumpUntilShown(*platform);
  auto& display = dynamic_cast<TDx3dDisplayHandler&>(*platform->GetDisplayHandler());
  TWindowManager& manager = *platform->GetWindowManager();
  auto backdrop = std::make_shared<BackdropStandIn>(display.GetData());
  backdrop->Image().Fill(nullptr, 0x336699);
  manager.SetSnapshot(backdrop);
  TWindow& root = *manager.GetRootWindow();
  double totalMs = 0;
  for (auto _ : *gFrameState) {
    root.Invalidate();
    const Clock::time_point start = Clock::now();
    manager.Frame();
    totalMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  const double frames = static_cast<double>(gFrameState->iterations());
  gFrameState->counters["mean_ms"] = frames > 0 ? totalMs / frames : 0;
}

void RootScreenFrame(benchmark::State& state) {
  UseDummyDrivers();
  gFrameState = &state;
  if (RunFramework("--multiple", RootScreenFrames, true) != 0) std::abort();
  gFrameState = nullptr;
}

BENCHMARK(StartToFirstFrame)->Iterations(10)->UseManualTime();
BENCHMARK(RootScreenFrame)->MinTime(0.5)->UseRealTime();

}  // namespace
