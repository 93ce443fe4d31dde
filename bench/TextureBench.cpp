// Speed of textures on our display device, each beside the bare work it
// wraps, so that the texture layer's own cost shows as the difference:
// - a 512 x 512 PNG made into a texture (decode, surface, fill) against its
//   decoding alone (goal: within 1.3 times the decoding);
// - 300 textured 32 x 32 quads drawn with TTexture::DrawAt against the same
//   fans drawn straight on the 3D device (goal: within 1.15 times);
// - one move of the software cursor by the poll thread (goal: 50 us or less).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "media/texture/PngDecoder.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "media/texture/TTexture.h"
#include "platform/file/FileIndex.h"
#include "system/window/Message.h"
#include "system/window/Window.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"

namespace {

constexpr int32_t kSide = 512;
constexpr int kQuads = 300;
constexpr float kQuadSide = 32.0f;

const SpeedGoals kGoals{
    {"MakeTextureFromPng", "decode_ratio", Goal::kAtMost, 1.3},
    {"DrawQuadsThroughTextures", "device_ratio", Goal::kAtMost, 1.15},
    {"MoveCursor", kTimeMs, Goal::kAtMost, 0.05},
};

// A display open in a window of 800 x 600 on a fake desktop, installed in
// a fake platform, with a PNG file and a 32 x 32 texture.
struct Scene {
  Scene() {
    platform.recording = false;
    if (!desktop.IsOpen()) std::abort();
    PngPicture picture;
    picture.width = picture.height = kSide;
    picture.rows = PictureSamples(kSide, kSide, 4);
    files.WriteAsset("picture.png", PngBytes(picture));
    picture.width = picture.height = static_cast<uint32_t>(kQuadSide);
    picture.rows = PictureSamples(picture.width, picture.height, 4);
    files.WriteAsset("tile.png", PngBytes(picture));
    BuildFileIndex();
    tile = TTexture::Get("tile", 0);
    if (!tile) std::abort();
  }

  TestFileLayer files;
  FakePlatform platform;
  FakeDesktopDisplay desktop{platform};
  FakeNativeWindow* native = &desktop.Native();
  TDx3dDisplayHandler* display = &desktop.Display();
  sys::Window* window = platform.mainWindow;
  std::shared_ptr<TTexture> tile;
};

// Made on a thread of its own: the window's screen takes that thread for
// its main thread, so the benchmarks' thread draws as the cursor poll
// thread does, leaving what it changes on the front surface for the pump
// to show.
std::unique_ptr<Scene> MakeScene() {
  std::unique_ptr<Scene> scene;
  std::thread([&scene] { scene = std::make_unique<Scene>(); }).join();
  return scene;
}

float QuadX(int i) { return static_cast<float>((i * 37) % 752) + kQuadSide / 2; }
float QuadY(int i) { return static_cast<float>((i * 53) % 552) + kQuadSide / 2; }

double gDecodeSeconds = 0;
double gDeviceSeconds = 0;

// Seconds per iteration of a benchmark that has run.
double PerIteration(const benchmark::State& state, double seconds) {
  return state.iterations() ? seconds / static_cast<double>(state.iterations()) : 0;
}

template <class Work>
double Timed(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void DecodePngOnly(benchmark::State& state) {
  const std::unique_ptr<Scene> scene = MakeScene();
  double seconds = 0;
  for (auto _ : state) {
    seconds += Timed([] {
      TDecodedImage image;
      if (!DecodePng("picture.png", "", false, image)) std::abort();
      benchmark::DoNotOptimize(image.pixels.get());
    });
  }
  gDecodeSeconds = PerIteration(state, seconds);
  state.SetBytesProcessed(state.iterations() * kSide * kSide * 4);
}
BENCHMARK(DecodePngOnly)->Unit(benchmark::kMillisecond);

void MakeTextureFromPng(benchmark::State& state) {
  const std::unique_ptr<Scene> scene = MakeScene();
  double seconds = 0;
  for (auto _ : state) {
    seconds += Timed([] {
      auto texture = std::make_shared<TTexture>();
      texture->GetData()->mFlags = TTextureData::kAutomaticAlpha;
      if (!texture->GetData()->Load("picture.png", nullptr)) std::abort();
    });
  }
  state.SetBytesProcessed(state.iterations() * kSide * kSide * 4);
  if (gDecodeSeconds > 0) state.counters["decode_ratio"] = PerIteration(state, seconds) / gDecodeSeconds;
}
BENCHMARK(MakeTextureFromPng)->Unit(benchmark::kMillisecond);

// The quads a textured draw at QuadX, QuadY makes, with the display's offset.
std::vector<sys::gfx::TransformedVertex> Fan(int i) {
  const float left = QuadX(i) - kQuadSide / 2 - 0.5f, top = QuadY(i) - kQuadSide / 2 - 0.5f;
  const float right = left + kQuadSide, bottom = top + kQuadSide;
  return {{left, top, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 0, 0},
          {right, top, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 1, 0},
          {right, bottom, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 1, 1},
          {left, bottom, 0.1f, 0.5f, 0xFFFFFFFF, 0xFF000000, 0, 1}};
}

void DrawQuadsOnTheDevice(benchmark::State& state) {
  const std::unique_ptr<Scene> made = MakeScene();
  Scene& scene = *made;
  std::vector<std::vector<sys::gfx::TransformedVertex>> fans;
  for (int i = 0; i < kQuads; ++i) fans.push_back(Fan(i));
  sys::gfx::Device3d& device = *scene.display->GetData().mDevice;
  double seconds = 0;
  for (auto _ : state) {
    if (!scene.display->BeginDraw(false) || !scene.platform.Begin2d()) std::abort();
    seconds += Timed([&] {
      device.SetTexture(scene.tile->GetData()->GetSurface());
      for (const auto& fan : fans) {
        device.DrawPrimitive(sys::gfx::PrimitiveType::TriangleFan, sys::gfx::VertexLayout::Transformed, fan.data(),
                             static_cast<uint32_t>(fan.size()));
      }
    });
    scene.platform.End2d();
    scene.display->EndDraw(false);
  }
  gDeviceSeconds = PerIteration(state, seconds);
  state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(DrawQuadsOnTheDevice)->Unit(benchmark::kMillisecond);

void DrawQuadsThroughTextures(benchmark::State& state) {
  const std::unique_ptr<Scene> made = MakeScene();
  Scene& scene = *made;
  double seconds = 0;
  for (auto _ : state) {
    if (!scene.display->BeginDraw(false) || !scene.platform.Begin2d()) std::abort();
    seconds += Timed([&] {
      for (int i = 0; i < kQuads; ++i) scene.tile->DrawAt(QuadX(i), QuadY(i), 1.0f, 1.0f, 0.0f, 0);
    });
    scene.platform.End2d();
    scene.display->EndDraw(false);
  }
  state.SetItemsProcessed(state.iterations() * kQuads);
  if (gDeviceSeconds > 0) state.counters["device_ratio"] = PerIteration(state, seconds) / gDeviceSeconds;
}
BENCHMARK(DrawQuadsThroughTextures)->Unit(benchmark::kMillisecond);

// The poll thread's update after the pointer moved a few pixels: save,
// erase, keyed draw and overlap patch on the front surface.
void MoveCursor(benchmark::State& state) {
  const std::unique_ptr<Scene> made = MakeScene();
  Scene& scene = *made;
  if (!scene.display->SetMouseImage(scene.tile, 4, 4)) std::abort();
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    scene.native->MoveTo(300 + step % 40 * 3, 200 + step % 17 * 2);
    sys::Message message;
    while (scene.window->TakeMessage(message)) {
    }
    scene.display->GetMousePos();
    scene.platform.time += 16;
    ++step;
    state.ResumeTiming();
    benchmark::DoNotOptimize(scene.display->UpdateMouse(-1, -1));
  }
}
BENCHMARK(MoveCursor)->Unit(benchmark::kMillisecond);

}  // namespace
