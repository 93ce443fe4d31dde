// Speed of the scripted scenes behind and in front of the tower, for a scene
// of 20 layers, each with an event, a counted loop and an endless loop of
// changes to all four of its properties:
// - loading it: running the file and building layers, graphics and
//   timelines (goal: 5 ms or less);
// - one frame's update of its timelines, drawing left out (goal: 20 us or
//   less).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "game/gui/scenes/ScriptAnimLoader.h"
#include "platform/file/FileIndex.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"

namespace {

constexpr int kSceneLayers = 20;
constexpr int kScenePictures = 4;
constexpr uint32_t kScenePictureSide = 16;

const SpeedGoals kGoals{
    {"LoadTwentyLayerScene", kTimeMs, Goal::kAtMost, 5.0},
    {"UpdateTwentyLayerScene", kTimeMs, Goal::kAtMost, 0.02},
};

std::string ScenePicturePng() {
  PngPicture picture;
  picture.width = picture.height = kScenePictureSide;
  picture.rows.assign(kScenePictureSide * kScenePictureSide * 4, 200);
  return PngBytes(picture);
}

// Layer i: a picture moving in from the left on an event, pulsing three
// times, and turning and fading without end.
std::string SceneLayer(int i) {
  const std::string x = std::to_string(40 * i);
  return "{ filename = 'pic" + std::to_string(i % kScenePictures) + "', Pos = {" + x + ", 300}, Alpha = 0.8,\n"
         "  { __type__ = 'Event', start = " + std::to_string(100 * i) + ",\n"
         "    { __type__ = 'SetPos', duration = 3000, start = {" + x + ", 300}, ['end'] = {" + x + ", 100} } },\n"
         "  { __type__ = 'Loop', counter = 3,\n"
         "    { __type__ = 'SetScale', duration = 800, start = 1, ['end'] = 1.5 } },\n"
         "  { __type__ = 'Loop',\n"
         "    { __type__ = 'Event', start = 0,\n"
         "      { __type__ = 'SetRotation', duration = 2000, start = 0, ['end'] = 180 },\n"
         "      { __type__ = 'SetAlpha', duration = 2000, start = 0.8, ['end'] = 0.3 } },\n"
         "    { __type__ = 'Event', start = 2000,\n"
         "      { __type__ = 'SetAlpha', duration = 1000, start = 0.3, ['end'] = 0.8 } } } },\n";
}

// The scene file and its pictures in a data folder of their own, read with
// the fake platform face.
struct SceneFolder {
  SceneFolder() {
    platform.recording = false;
    for (int i = 0; i < kScenePictures; ++i) files.WriteAsset("pic" + std::to_string(i) + ".png", ScenePicturePng());
    std::string text = "Animations = {\n";
    for (int i = 0; i < kSceneLayers; ++i) text += SceneLayer(i);
    files.WriteAsset("backgrounds/bench.lua", text + "}\n");
    BuildFileIndex();
  }
  std::shared_ptr<GUI::ScriptAnim::TAnimations> Load() {
    graphics.clear();
    auto scene = GUI::ScriptAnim::LoadScriptAnimations("backgrounds/bench.lua", graphics);
    if (scene->GetLayers().size() != static_cast<size_t>(kSceneLayers)) std::abort();
    return scene;
  }

  TestFileLayer files;
  FakePlatform platform;
  std::vector<std::shared_ptr<GUI::IGraphic>> graphics;
};

void LoadTwentyLayerScene(benchmark::State& state) {
  SceneFolder folder;
  for (auto _ : state) benchmark::DoNotOptimize(folder.Load());
}
BENCHMARK(LoadTwentyLayerScene)->Unit(benchmark::kMillisecond);

// 10 ms of game time a frame, well into the loops' runs.
void UpdateTwentyLayerScene(benchmark::State& state) {
  SceneFolder folder;
  FakeClock clock;
  const auto scene = folder.Load();
  const auto updateAll = [&scene] {
    for (const auto& layer : scene->GetLayers()) layer->GetTimeline().Update(*layer);
  };
  for (int frame = 0; frame < 500; ++frame) {
    updateAll();
    clock.Advance(10);
  }
  for (auto _ : state) {
    updateAll();
    clock.Advance(10);
  }
  state.SetItemsProcessed(state.iterations() * kSceneLayers);
}
BENCHMARK(UpdateTwentyLayerScene)->Unit(benchmark::kMicrosecond);

}  // namespace
