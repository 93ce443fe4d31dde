// The game's start: from the framework's entry, through the game's main
// function (application object, display, the first screen script, the
// main menu that asks for the loading screen), to the first frame the
// window shows of the loading screen (goal 200 ms or less), and on through
// the whole preload of the game's pictures to the first frame of the main
// menu after it (goal 1 s or less); each the mean of the starts, counter
// `mean_ms`. The
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
#include "game/gui/effects/TGraphicRegistry.h"
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

const SpeedGoals kGoals{{"GameStartToLoadingScreen", "mean_ms", Goal::kAtMost, 200},
                        {"GameStartToMainMenu", "mean_ms", Goal::kAtMost, 1000}};

// Whether the screen a start is timed to is built under the root.
using ScreenBuilt = bool (*)(TWindow& root);

bool LoadingScreenBuilt(TWindow& root) { return root.FindChild("loadingText") != nullptr; }
// The menu opened before the preload closes at once; the one after it counts.
bool MainMenuAfterPreloadBuilt(TWindow& root) {
  return root.FindChild("welcome") != nullptr && GUI::TGraphicRegistry::Instance().IsComplete();
}

Clock::time_point gStarted;
FakeNativeWindow* gDesktop = nullptr;
ScreenBuilt gTimedScreen = nullptr;
double gFirstFrameMs = -1;

// Notes the time of the first frame shown once the timed screen is built,
// between two events of the loop, and closes the window; a start that
// shows many frames without it counts as a failed start.
class FirstFrameWatch final : public TTask {
 public:
  explicit FirstFrameWatch(TAppPlatform& platform) : mPlatform(platform) {}

  bool IsReady(TTaskPass pass) override { return pass == TTaskPass::Timed; }

  bool Step() override {
    TWindow* root = mPlatform.GetWindowManager()->GetRootWindow();
    if (!root || !gTimedScreen(*root)) {
      mFramesBefore = gDesktop->framesShown;
      if (mFramesBefore < kFramesWithoutScreen) return true;
    } else {
      if (gDesktop->framesShown == mFramesBefore) return true;
      gFirstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - gStarted).count();
    }
    gDesktop->Report(sys::InputKind::CloseRequested);
    return false;
  }

 private:
  static constexpr int kFramesWithoutScreen = 1000;

  TAppPlatform& mPlatform;
  int mFramesBefore = 0;
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

// The child's time to the timed screen; -1 when it did not get there.
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

void TimeStarts(benchmark::State& state, ScreenBuilt screen) {
  static BenchFolder home;
  RunHeadlessIn(home.Path().string());
  gTimedScreen = screen;
  double totalMs = 0;
  for (auto _ : state) {
    double ms = TimeOneStart();
    if (ms < 0) return state.SkipWithError("a start did not reach the screen");
    state.SetIterationTime(ms / 1000.0);
    totalMs += ms;
  }
  state.counters["mean_ms"] = state.iterations() ? totalMs / static_cast<double>(state.iterations()) : 0;
}

void GameStartToLoadingScreen(benchmark::State& state) { TimeStarts(state, LoadingScreenBuilt); }
BENCHMARK(GameStartToLoadingScreen)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void GameStartToMainMenu(benchmark::State& state) { TimeStarts(state, MainMenuAfterPreloadBuilt); }
BENCHMARK(GameStartToMainMenu)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
