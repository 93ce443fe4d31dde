// Speed of the game's graphics on our display device:
// - a play screen's worth of pieces: 300 static graphics of 48 x 48 pictures
//   with alpha, drawn at 1.67 times their size and turned, in one frame
//   (goal: 4 ms or less);
// - the same 300 as frame animations cross-fading between two frames, so
//   each draws two quads (reported beside the static ones, no goal);
// - one update of the beat flasher (goal: 0.1 us or less).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TBpmFlasher.h"
#include "game/gui/effects/TStaticGraphic.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "platform/file/FileIndex.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"

namespace {

constexpr int kPieces = 300;
constexpr uint32_t kSide = 48;
constexpr int kColours = 6;
constexpr float kScale = 1.67f;

const SpeedGoals kGoals{
    {"DrawStaticPieces", kTimeMs, Goal::kAtMost, 4.0},
    {"UpdateBpmFlasher", kTimeMs, Goal::kAtMost, 0.0001},
};

// A round piece on a clear ground, in one of the colours.
std::string PiecePng(int colour) {
  PngPicture picture;
  picture.width = picture.height = kSide;
  const auto red = static_cast<uint8_t>(40 * colour), green = static_cast<uint8_t>(255 - 40 * colour);
  for (uint32_t y = 0; y < kSide; ++y) {
    for (uint32_t x = 0; x < kSide; ++x) {
      const int dx = static_cast<int>(x) - 24, dy = static_cast<int>(y) - 24;
      const bool inside = dx * dx + dy * dy < 22 * 22;
      picture.rows.insert(picture.rows.end(), {red, green, 128, static_cast<uint8_t>(inside ? 255 : 0)});
    }
  }
  return PngBytes(picture);
}

// A display open in a window of 800 x 600 on a fake desktop, installed in
// a fake platform, with the pieces' pictures, frames "piece0" to "piece5".
struct Scene {
  Scene() {
    platform.recording = false;
    if (!desktop.IsOpen()) std::abort();
    for (int colour = 0; colour < kColours; ++colour) {
      files.WriteAsset("piece" + std::to_string(colour) + ".png", PiecePng(colour));
    }
    BuildFileIndex();
  }
  TestFileLayer files;
  FakePlatform platform;
  FakeDesktopDisplay desktop{platform};
  TDx3dDisplayHandler* display = &desktop.Display();
};

// Made on a thread of its own: the window's screen takes that thread for
// its main thread, so the benchmarks' thread draws as the cursor poll
// thread does.
std::unique_ptr<Scene> MakeScene() {
  std::unique_ptr<Scene> scene;
  std::thread([&scene] { scene = std::make_unique<Scene>(); }).join();
  return scene;
}

TString PieceName(int colour) { return TString(("piece" + std::to_string(colour)).c_str()); }

TVec2 PiecePlace(int i) {
  return TVec2(static_cast<float>((i * 37) % 720 + 40), static_cast<float>((i * 53) % 520 + 40));
}

double gStaticSeconds = 0;

// Seconds per frame of 300 draws of the graphics, timed by hand between the
// frame's start and end.
double DrawFrames(benchmark::State& state, Scene& scene, const std::vector<std::shared_ptr<GUI::IGraphic>>& pieces) {
  double seconds = 0;
  for (auto _ : state) {
    if (!scene.display->BeginDraw(false) || !scene.platform.Begin2d()) std::abort();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kPieces; ++i) {
      pieces[static_cast<size_t>(i)]->Draw(PiecePlace(i), 1.0f, kScale, static_cast<float>(i % 12) * 0.5236f);
    }
    const double frame = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(frame);
    seconds += frame;
    scene.platform.End2d();
    scene.display->EndDraw(false);
  }
  state.SetItemsProcessed(state.iterations() * kPieces);
  return state.iterations() ? seconds / static_cast<double>(state.iterations()) : 0;
}

void DrawStaticPieces(benchmark::State& state) {
  const std::unique_ptr<Scene> scene = MakeScene();
  std::vector<std::shared_ptr<GUI::IGraphic>> pieces;
  for (int i = 0; i < kPieces; ++i) pieces.push_back(std::make_shared<GUI::TStaticGraphic>(PieceName(i % kColours)));
  if (pieces.front()->GetWidth() != static_cast<int32_t>(kSide)) std::abort();
  gStaticSeconds = DrawFrames(state, *scene, pieces);
}
BENCHMARK(DrawStaticPieces)->UseManualTime()->Unit(benchmark::kMillisecond);

// Four frames at 10 frames per second, cross-fading: every draw is of two
// frames, the one the run has reached and the next one over it.
void DrawCrossFadingPieces(benchmark::State& state) {
  const std::unique_ptr<Scene> scene = MakeScene();
  std::vector<std::shared_ptr<GUI::IGraphic>> pieces;
  std::vector<TString> frames;
  for (int colour = 0; colour < 4; ++colour) frames.push_back(PieceName(colour));
  for (int i = 0; i < kPieces; ++i) {
    auto piece = std::make_shared<GUI::TAnimGraphic>(frames, 10.0f);
    piece->SetCrossFade(true);
    pieces.push_back(piece);
  }
  const double seconds = DrawFrames(state, *scene, pieces);
  if (gStaticSeconds > 0) state.counters["static_ratio"] = seconds / gStaticSeconds;
}
BENCHMARK(DrawCrossFadingPieces)->UseManualTime()->Unit(benchmark::kMillisecond);

void UpdateBpmFlasher(benchmark::State& state) {
  GUI::TBpmFlasher flasher(120.0f);
  for (auto _ : state) {
    flasher.Update(0.01f);
    benchmark::DoNotOptimize(flasher.GetAccentValue());
  }
}
BENCHMARK(UpdateBpmFlasher)->Unit(benchmark::kNanosecond);

}  // namespace
