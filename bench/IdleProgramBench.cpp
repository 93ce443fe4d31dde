// The idle program: the game's own main, run through the framework until its
// first frames have been shown and it has idled for a while, then its
// resident memory (goal: 40 MB or less) and its threads, counted in this
// process. The video driver is the one the environment gives: SDL's dummy
// driver where there is no display (as scripts/test runs it); under Xvfb,
// `xvfb-run -a build/release/bench/IdleProgramBench` shows what a
// user meets on a machine without a graphics device.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/RunFramework.h"
#include "app/TAppPlatform.h"
#include "bench/BenchFolder.h"
#include "bench/support/SpeedGoals.h"
#include "game/gui/main/GameMain.h"
#include "platform/time/TTask.h"
#include "platform/time/TTaskList.h"
#include "system/window/Window.h"

namespace {

using Clock = std::chrono::steady_clock;

const SpeedGoals kGoals{{"IdleProgram", "rss_mb", Goal::kAtMost, 40}};

// Idle passes after the first frame before the program is measured: each
// waits up to 1 ms for input, so the screen has long settled by then.
constexpr int kIdlePasses = 200;

// The program's folders in a folder of the benchmark's own; headless where
// there is no display.
void UseScratchFolders() {
  static BenchFolder home;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("XDG_DATA_HOME", (home.Path() / "data").c_str(), 1);
  setenv("XDG_STATE_HOME", (home.Path() / "state").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home.Path() / "cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home.Path() / "runtime").c_str(), 1);
}

// A figure of this process's status file ("VmRSS:", "Threads:"), in its own
// unit; -1 when absent.
double StatusFigure(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string word; status >> word;) {
    if (word != key) continue;
    double value = -1;
    status >> value;
    return value;
  }
  return -1;
}

struct Footprint {
  double firstFrameMs = -1;
  double residentKb = -1;
  double threads = -1;
};

// Waits in the idle loop for the first frame the window shows and a while
// after it, then measures and ends the program.
class MeasureWhenIdle final : public TTask {
 public:
  MeasureWhenIdle(TAppPlatform& platform, Footprint& footprint, Clock::time_point started)
      : mPlatform(platform), mFootprint(footprint), mStarted(started) {}

  bool IsReady(TTaskPass pass) override { return pass == TTaskPass::Timed; }

  bool Step() override {
    if (mFootprint.firstFrameMs < 0) {
      sys::Picture shown;
      if (!mPlatform.GetMainWindow()->Native().ReadShownPicture(shown)) return true;
      mFootprint.firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - mStarted).count();
    }
    if (++mIdlePasses < kIdlePasses) return true;
    mFootprint.residentKb = StatusFigure("VmRSS:");
    mFootprint.threads = StatusFigure("Threads:");
    mPlatform.GetMainWindow()->PostQuit();
    return false;
  }

 private:
  TAppPlatform& mPlatform;
  Footprint& mFootprint;
  Clock::time_point mStarted;
  int mIdlePasses = 0;
};

Footprint gFootprint;
Clock::time_point gStarted;

void IdleGame(TAppPlatform* platform, const char* commandLine) {
  platform->GetTaskList()->Add(std::make_unique<MeasureWhenIdle>(*platform, gFootprint, gStarted));
  GameMain(platform, commandLine);
}

// Once: the game's objects live once per process.
void IdleProgram(benchmark::State& state) {
  UseScratchFolders();
  for (auto _ : state) {
    gStarted = Clock::now();
    if (RunFramework("--multiple", IdleGame, true) != 0) return state.SkipWithError("the program failed");
    state.SetIterationTime(gFootprint.firstFrameMs / 1000.0);
  }
  if (gFootprint.residentKb < 0) return state.SkipWithError("the program never idled after a frame");
  state.counters["rss_mb"] = gFootprint.residentKb / 1024.0;
  state.counters["threads"] = gFootprint.threads;
  state.counters["first_frame_ms"] = gFootprint.firstFrameMs;
}
BENCHMARK(IdleProgram)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
