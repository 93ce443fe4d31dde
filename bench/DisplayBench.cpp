// The display device's 2D work under SDL's dummy video driver: presenting an
// 800 x 600 frame into the window (goal 1 ms or less), a colour fill of a
// whole 800 x 600 surface (0.2 ms or less) and a copy of one such surface onto
// another of the same format (0.3 ms or less). Each figure carries its goal;
// a goal not met is named on a "MISS" line when the program ends.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "system/gfx/Device.h"
#include "system/window/SdlWindow.h"

namespace {

using namespace sys::gfx;

// The mean of each benchmark's last run against its goal, judged at exit.
class Goals {
 public:
  ~Goals() {
    for (const auto& [name, result] : mResults) {
      if (result.meanMs > result.goalMs) {
        std::printf("MISS: %s took %.3f ms, goal %.3f ms or less\n", name.c_str(), result.meanMs, result.goalMs);
      }
    }
  }

  void Record(benchmark::State& state, const std::string& name, double goalMs, double totalMs) {
    double meanMs = state.iterations() ? totalMs / static_cast<double>(state.iterations()) : 0;
    mResults[name] = Result{goalMs, meanMs};
    state.counters["mean_ms"] = meanMs;
    state.counters["goal_ms"] = goalMs;
    state.SetLabel(meanMs <= goalMs ? "goal met" : "MISS");
  }

 private:
  struct Result {
    double goalMs;
    double meanMs;
  };
  std::map<std::string, Result> mResults;
};

Goals gGoals;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::shared_ptr<Adapter> HeadlessAdapter() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  return Adapter::Create(Adapter::ConfigFromSdl());
}

std::shared_ptr<Surface> FrameSurface(Device& device) {
  SurfaceDesc desc;
  desc.width = 800;
  desc.height = 600;
  desc.caps = kCapsOffscreenPlain | kCapsVideoMemory;
  desc.format = MakePixelFormat(PixelLayout::X8R8G8B8);
  std::shared_ptr<Surface> surface;
  if (device.CreateSurface(desc, surface) != Result::Ok) std::abort();
  return surface;
}

void PresentFrame(benchmark::State& state) {
  std::unique_ptr<sys::SdlWindow> window = sys::SdlWindow::Create("Display", 800, 600);
  std::unique_ptr<Device> device;
  if (!window || Device::Create(HeadlessAdapter(), 0, device) != Result::Ok) std::abort();
  device->SetCooperativeLevel(window.get(), CooperativeLevel::Normal);
  SurfaceDesc primaryDesc;
  primaryDesc.caps = kCapsPrimarySurface;
  std::shared_ptr<Surface> primary;
  if (device->CreateSurface(primaryDesc, primary) != Result::Ok) std::abort();
  primary->Fill(nullptr, 0x336699);
  double totalMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    device->GetScreen()->Present();
    totalMs += MillisecondsSince(start);
  }
  gGoals.Record(state, "presenting an 800 x 600 frame", 1.0, totalMs);
}
BENCHMARK(PresentFrame)->MinTime(0.5)->UseRealTime();

void FillSurface(benchmark::State& state) {
  std::unique_ptr<Device> device;
  if (Device::Create(HeadlessAdapter(), 0, device) != Result::Ok) std::abort();
  std::shared_ptr<Surface> surface = FrameSurface(*device);
  uint32_t color = 0;
  double totalMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    surface->Fill(nullptr, ++color);
    totalMs += MillisecondsSince(start);
  }
  gGoals.Record(state, "a colour fill of an 800 x 600 surface", 0.2, totalMs);
}
BENCHMARK(FillSurface)->MinTime(0.5)->UseRealTime();

void CopySurface(benchmark::State& state) {
  std::unique_ptr<Device> device;
  if (Device::Create(HeadlessAdapter(), 0, device) != Result::Ok) std::abort();
  std::shared_ptr<Surface> source = FrameSurface(*device);
  std::shared_ptr<Surface> target = FrameSurface(*device);
  source->Fill(nullptr, 0x123456);
  double totalMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    target->Blit(nullptr, *source, nullptr, kBlitWait);
    totalMs += MillisecondsSince(start);
  }
  gGoals.Record(state, "a same-format copy of an 800 x 600 surface", 0.3, totalMs);
}
BENCHMARK(CopySurface)->MinTime(0.5)->UseRealTime();

}  // namespace
