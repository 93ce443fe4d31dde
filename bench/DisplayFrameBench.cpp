// A frame of 2D drawing through the display under SDL's dummy video driver:
// 300 alpha-blended, textured 32 x 32 quads and a present of the 800 x 600
// window, drawn once through the display (frame, 2D states, blend mode,
// vertex lists) and once straight on its 3D device with the same depth
// clear, so that the display's own cost shows as the difference. Goals: the
// display's frame in 4 ms or less (counter `mean_ms`), and within 5% of the
// device's (counter `device_ratio`).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "media/display/TVertexList.h"
#include "system/window/SdlWindow.h"
#include "system/window/Window.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FakeTextureData.h"

namespace {

using namespace sys::gfx;

constexpr int kQuads = 300;

const SpeedGoals kGoals{
    {"FrameThroughTheDisplay", "mean_ms", Goal::kAtMost, 4.0},
    {"FrameThroughTheDisplay", "device_ratio", Goal::kAtMost, 1.05},
};

// An opened display in a real (headless) window with one 32 x 32 texture.
struct Scene {
  Scene() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    auto native = sys::SdlWindow::Create("Display frame", 800, 600);
    if (!native) std::abort();
    window = std::make_unique<sys::Window>(std::move(native));
    platform.recording = false;
    platform.mainWindow = window.get();
    display = std::make_unique<TDx3dDisplayHandler>(Adapter::Create(Adapter::ConfigFromSdl()));
    if (!OpenDisplay(*display, 800, 600, false)) std::abort();
    SurfaceDesc desc;
    desc.width = 32;
    desc.height = 32;
    desc.caps = kCapsTexture;
    desc.format = MakePixelFormat(PixelLayout::A8R8G8B8);
    std::shared_ptr<Surface> surface;
    if (display->GetData().mDirectDraw->CreateSurface(desc, surface) != Result::Ok) std::abort();
    surface->Fill(nullptr, 0x80FF8040);
    texture = TextureOver(surface);
    for (int i = 0; i < kQuads; ++i) {
      float x = static_cast<float>((i * 37) % 768);
      float y = static_cast<float>((i * 53) % 568);
      quads.push_back({{x, y, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 0, 0},
                       {x + 32, y, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 1, 0},
                       {x + 32, y + 32, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 1, 1},
                       {x, y + 32, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 0, 1}});
    }
  }

  FakePlatform platform;
  std::unique_ptr<sys::Window> window;
  std::unique_ptr<TDx3dDisplayHandler> display;
  std::shared_ptr<TTexture> texture;
  std::vector<std::vector<TransformedVertex>> quads;
};

double gDeviceFrameMs = 0;

double Mean(benchmark::State& state, double totalMs) {
  return state.iterations() ? totalMs / static_cast<double>(state.iterations()) : 0;
}

void FrameThroughTheDisplay(benchmark::State& state) {
  Scene scene;
  TDx3dDisplayHandler& display = *scene.display;
  double totalMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    if (!display.BeginDraw(false)) std::abort();
    display.Begin2d();
    display.SetTexture(scene.texture);
    display.SetBlendMode(0);
    for (auto& quad : scene.quads) {
      TVertexList list;
      list.InitKind2(quad.data(), 4);
      display.DrawVertices(6, &list);
    }
    display.End2d();
    display.EndDraw(true);
    totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  const double frameMs = Mean(state, totalMs);
  state.counters["mean_ms"] = frameMs;
  if (gDeviceFrameMs > 0) state.counters["device_ratio"] = frameMs / gDeviceFrameMs;
}

void FrameOnTheDevice(benchmark::State& state) {
  Scene scene;
  TDxDisplayHandlerData& data = scene.display->GetData();
  Device3d& device = *data.mDevice;
  scene.display->Begin2d();
  double totalMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    device.BeginScene();
    device.Clear(kClearDepth, 0, 1.0f);
    device.SetTexture(scene.texture->GetData()->GetSurface());
    for (auto& quad : scene.quads) {
      device.DrawPrimitive(PrimitiveType::TriangleFan, VertexLayout::Transformed, quad.data(), 4);
    }
    device.SetTexture(nullptr);
    device.EndScene();
    data.mContext->Present();
    totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  gDeviceFrameMs = Mean(state, totalMs);
  state.counters["mean_ms"] = gDeviceFrameMs;
}

BENCHMARK(FrameOnTheDevice)->MinTime(0.5)->UseRealTime();
BENCHMARK(FrameThroughTheDisplay)->MinTime(0.5)->UseRealTime();

}  // namespace
