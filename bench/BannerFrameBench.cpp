// What the life bar and the level banner cost a play-screen frame: both
// drawn with the game's pictures from the data folder the build made, on
// the display device, the gauge low enough for its warning and with a boost
// highlighted, the banner wiping in a message banner in its 100 strips and
// its texts laid out anew each frame (the score changes every frame).
// Goal: 0.5 ms or less for both together.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "bench/BenchHome.h"
#include "bench/support/SpeedGoals.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/effects/TLevelBanner.h"
#include "game/gui/effects/TLifeBar.h"
#include "game/gui/effects/TStaticGraphic.h"
#include "media/display/TDisplayVecTextures.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "media/text/TVecFont.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/game/gui/play/PlayWindowRig.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/rules/FakeTimeController.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/StubTowerView.h"

namespace {

using GUI::PlayWindowRig;

const BenchHome gHome;

const SpeedGoals kGoals{{"LifeBarAndBannerFrame", "frame_ms", Goal::kAtMost, 0.5}};

// The game's font as the data folder holds it.
std::vector<uint8_t> ReadBannerFont() {
  std::ifstream in(BuiltDataFolder::Path("fonts/palabi.mvec"), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Into the banner's wipe-in, and the boost's highlight.
constexpr uint32_t kIntoTheBannerMs = 250;

// The gauge and the banner over a display, on the fake platform's game clock.
struct BannerScene {
  BannerScene() {
    rig.platform.recording = false;
    rig.platform.fonts["fonts/palabi.mvec"] = &font;
    rig.platform.vecDraw = &textRenderer;
    GUI::TGraphicRegistry &registry = GUI::TGraphicRegistry::Instance();
    auto picture = [&registry](const char *name) { return registry.CreateStatic(name); };
    // The dial and the banners are masked by alpha images, as the registry's
    // fetches load them.
    auto masked = [&registry](const char *name, const char *alpha) {
      auto graphic = std::make_shared<GUI::TStaticGraphic>(name, alpha);
      registry.Register(name, graphic);
      return graphic;
    };
    timer.elapsed = 0.95f;
    lifeBar = std::make_unique<GUI::TLifeBar>(
        400, 300, masked("sprites/jugs/timer-center-top", "sprites/jugs/timer-center-topa"),
        picture("sprites/jugs/timer-center-tick"), picture("sprites/jugs/timer-center-tick2"),
        picture("sprites/jugs/timer-center-tick-g"), picture("sprites/jugs/timer-center-tick2-g"),
        picture("sprites/jugs/timer-alert-red"), picture("sprites/jugs/timer-center-arrow"),
        picture("sprites/jugs/lightsfare-2"), &timer);
    banner = std::make_unique<GUI::TLevelBanner>(
        GUI::TLevelBannerGraphics{masked("backgrounds/msg-nomove", "backgrounds/msg-nomove-a"),
                                  masked("backgrounds/msg-timeup", "backgrounds/msg-timeup-a"),
                                  masked("backgrounds/msg-expert", "backgrounds/msg-expert-a"),
                                  picture("buttons/scorebox-g"), picture("buttons/buttondown"),
                                  picture("buttons/scorebox")},
        &scoring, &tower, [] {});
    registry.FetchAll();
    scoring.levelKey = {10, 5};
    scoring.medalTarget = 2000000;
    tower.noMoveShown = true;
    lifeBar->OnTimeBoost(0.9f, 0.95f);
    banner->UpdateBanners();
    rig.clock.Advance(kIntoTheBannerMs);
  }

  double FrameMs() {
    ++scoring.levelScore;
    TDx3dDisplayHandler &display = desktop.Display();
    if (!display.BeginDraw(false)) std::abort();
    const auto start = std::chrono::steady_clock::now();
    lifeBar->Draw(false);
    banner->Draw();
    banner->UpdateBanners();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    display.EndDraw(false);
    return ms;
  }

  PlayWindowRig rig;
  BuiltDataFolder data;
  FakeDesktopDisplay desktop{rig.platform};
  TVecFont font{ReadBannerFont()};
  TVqMiniVecDraw textRenderer{std::make_unique<TDisplayVecTextures>()};
  FakeTimeController timer;
  RecordingScoringModel scoring;
  StubTowerView tower;
  std::unique_ptr<GUI::TLifeBar> lifeBar;
  std::unique_ptr<GUI::TLevelBanner> banner;
};

// Made on a thread of its own, as the other frame benchmarks make theirs:
// the window's screen takes that thread for its main thread.
std::unique_ptr<BannerScene> MakeBannerScene() {
  std::unique_ptr<BannerScene> scene;
  std::thread([&scene] { scene = std::make_unique<BannerScene>(); }).join();
  return scene;
}

void LifeBarAndBannerFrame(benchmark::State &state) {
  const std::unique_ptr<BannerScene> scene = MakeBannerScene();
  if (!scene->desktop.IsOpen()) {
    state.SkipWithError("the display did not open");
    return;
  }
  std::vector<double> frames;
  for (auto _ : state) {
    frames.push_back(scene->FrameMs());
    state.SetIterationTime(frames.back() / 1000);
  }
  std::sort(frames.begin(), frames.end());
  state.counters["frame_ms"] = frames.empty() ? 0 : frames[frames.size() / 2];
}
BENCHMARK(LifeBarAndBannerFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace
