// The window layer under SDL's dummy video driver: how long an idle turn of
// the pump (take nothing, wait 1 ms) lasts, and what one key press costs from
// SDL's queue to a posted message. The event pump built on this layer waits
// 1 ms per idle turn and aims at a median turn of 1.3 ms or less.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "system/window/SdlWindow.h"

namespace {

std::unique_ptr<sys::Window> HeadlessMainWindow() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  return sys::CreateMainWindow();
}

void IdleTurn(benchmark::State& state) {
  auto window = HeadlessMainWindow();
  std::vector<double> turns;
  sys::Message message;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    while (window->TakeMessage(message)) {
    }
    window->WaitForInput(1);
    turns.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(turns.begin(), turns.end());
  state.counters["median_ms"] = turns[turns.size() / 2];
  state.counters["p99_ms"] = turns[turns.size() * 99 / 100];
}
BENCHMARK(IdleTurn)->MinTime(2.0)->UseRealTime();

void KeyPressToMessage(benchmark::State& state) {
  auto window = HeadlessMainWindow();
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_LEFT;
  key.key.keysym.sym = SDLK_LEFT;
  sys::Message message;
  for (auto _ : state) {
    SDL_PushEvent(&key);
    window->TakeMessage(message);
    benchmark::DoNotOptimize(message);
  }
}
BENCHMARK(KeyPressToMessage);

const SpeedGoals kGoals{{"IdleTurn", "median_ms", Goal::kAtMost, 1.3}};

}  // namespace
