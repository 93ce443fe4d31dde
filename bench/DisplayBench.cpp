// The display device's 2D work under SDL's dummy video driver: presenting an
// 800 x 600 frame into the window (goal 1 ms or less), a colour fill of a
// whole 800 x 600 surface (0.2 ms or less) and a copy of one such surface onto
// another of the same format (0.3 ms or less). Each figure is the mean of the
// timed work alone (counter `mean_ms`).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "bench/support/SpeedGoals.h"
#include "system/gfx/Device.h"
#include "system/window/SdlWindow.h"

namespace {

using namespace sys::gfx;

const SpeedGoals kGoals{
    {"PresentFrame", "mean_ms", Goal::kAtMost, 1.0},
    {"FillSurface", "mean_ms", Goal::kAtMost, 0.2},
    {"CopySurface", "mean_ms", Goal::kAtMost, 0.3},
};

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void ReportMean(benchmark::State& state, double totalMs) {
  state.counters["mean_ms"] = state.iterations() ? totalMs / static_cast<double>(state.iterations()) : 0;
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
  ReportMean(state, totalMs);
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
  ReportMean(state, totalMs);
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
  ReportMean(state, totalMs);
}
BENCHMARK(CopySurface)->MinTime(0.5)->UseRealTime();

}  // namespace
