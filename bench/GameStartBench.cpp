// The game's start: from the framework's entry, through the game's main
// function (application object, display, the first screen script, the
// loading screen that loads the game's pictures), to the first frame the
// window shows of the title menu (goal 200 ms or less, the mean of the
// starts, counter `mean_ms`). The
// window is the fake desktop window, the data folder the one the build made;
// each start runs in a child process of its own, as the game's objects live
// once per process. bench/DisplayStartBench.cpp times the platform's start
// alone.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/RunFramework.h"
#include "app/TAppPlatform.h"
#include "bench/BenchFolder.h"
#include "bench/support/SpeedGoals.h"
#include "game/gui/main/GameMain.h"
#include "platform/file/FileIndex.h"
#include "platform/time/TTask.h"
#include "system/window/NativeWindowSource.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/Headless.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"

namespace {

using Clock = std::chrono::steady_clock;

const SpeedGoals kGoals{{"GameStartToTitleMenu", "mean_ms", Goal::kAtMost, 200}};

Clock::time_point gStarted;
FakeNativeWindow* gDesktop = nullptr;
double gFirstFrameMs = -1;

// Notes the time of the first frame shown once the title menu is built
// (the loading screen's frames come before it), between two events of the
// loop, and closes the window; a start that shows many frames without the
// menu's "Play" counts as a failed start.
class FirstFrameWatch final : public TTask {
 public:
  explicit FirstFrameWatch(TAppPlatform& platform) : mPlatform(platform) {}

  bool IsReady(TTaskPass pass) override { return pass == TTaskPass::Timed; }

  bool Step() override {
    TWindow* root = mPlatform.GetWindowManager()->GetRootWindow();
    if (!root || !root->FindChild("playButton")) {
      mFramesBeforeMenu = gDesktop->framesShown;
      if (mFramesBeforeMenu < kFramesWithoutMenu) return true;
    } else {
      if (gDesktop->framesShown == mFramesBeforeMenu) return true;
      gFirstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - gStarted).count();
    }
    gDesktop->Report(sys::InputKind::CloseRequested);
    return false;
  }

 private:
  static constexpr int kFramesWithoutMenu = 1000;

  TAppPlatform& mPlatform;
  int mFramesBeforeMenu = 0;
};

void WatchedGameMain(TAppPlatform* platform, const char* commandLine) {
  platform->AddTask(std::make_unique<FirstFrameWatch>(*platform));
  GameMain(platform, commandLine);
}

// In the child: one start, its time written to the pipe.
[[noreturn]] void StartOnce(int reportFd) {
  SetProgramFolder(BuiltDataFolder::ProgramFolder().c_str());
  SetNativeWindowSource([] {
    auto desktop = std::make_unique<FakeNativeWindow>();
    gDesktop = desktop.get();
    return desktop;
  });
  gStarted = Clock::now();
  int exitCode = RunFramework("--multiple", WatchedGameMain, false);
  std::string figure = std::to_string(gFirstFrameMs);
  if (write(reportFd, figure.data(), figure.size()) < 0) exitCode = 1;
  std::exit(exitCode);
}

// The child's time to the title menu; -1 when it did not get there.
double TimeOneStart() {
  int report[2];
  if (pipe(report) != 0) return -1;
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    StartOnce(report[1]);
  }
  close(report[1]);
  char text[64] = {};
  ssize_t length = child > 0 ? read(report[0], text, sizeof text - 1) : -1;
  close(report[0]);
  int status = 0;
  bool exited = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return exited && length > 0 ? std::atof(text) : -1;
}

void GameStartToTitleMenu(benchmark::State& state) {
  static BenchFolder home;
  RunHeadlessIn(home.Path().string());
  double totalMs = 0;
  for (auto _ : state) {
    double ms = TimeOneStart();
    if (ms < 0) return state.SkipWithError("a start did not reach the title menu");
    state.SetIterationTime(ms / 1000.0);
    totalMs += ms;
  }
  state.counters["mean_ms"] = state.iterations() ? totalMs / static_cast<double>(state.iterations()) : 0;
}
BENCHMARK(GameStartToTitleMenu)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
