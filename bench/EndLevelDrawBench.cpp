// What the closing pictures of a level cost a frame on our 3D device: the
// combo view drawing 20 score popups over the tower (goal: 1 ms or less),
// and the quote panel drawing its title and a quote at full alpha (goal:
// 0.5 ms or less). The program runs from the repository's root, where the
// game's fonts lie.
#include <benchmark/benchmark.h>

#include "bench/GameFonts.h"
#include "bench/support/SpeedGoals.h"
#include "game/gui/effects/TComboViewImpl.h"
#include "game/gui/effects/TQuotePanel.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/StubTowerView.h"

namespace {

constexpr int32_t kBenchPopups = 20;
constexpr int32_t kBenchSlots = 12;
constexpr uint32_t kBenchFrameMs = 10;

const SpeedGoals kGoals{
    {"DrawTwentyPopups", kTimeMs, Goal::kAtMost, 1.0},
    {"DrawTheQuotePanel", kTimeMs, Goal::kAtMost, 0.5},
};

// Our device with the game's fonts and the vector renderer, in 2D drawing.
struct TextDevice {
  TextDevice() {
    InstallGameFonts(platform);
    renderer.Calibrate();
    platform.vecDraw = &renderer;
    platform.Begin2d();
  }

  DevicePlatform platform;
  TVqMiniVecDraw renderer{platform.Textures()};
};

// Twenty popups at ages spread over their life, so that their sizes pulse
// from frame to frame as in play; game time moves a frame of 10 ms between
// draws, and a popup that goes makes way for a new score.
void DrawTwentyPopups(benchmark::State& state) {
  FakeClock clock;
  TextDevice device;
  StubTowerView tower;
  GUI::TComboViewImpl view;
  view.SetTowerView(&tower);
  int32_t scored = 0;
  auto score = [&] {
    view.OnScore(3, scored, scored % 8, scored % kBenchSlots, 150 * (scored % kBenchPopups + 1), false);
    ++scored;
  };
  for (int32_t k = 0; k < kBenchPopups; ++k) {
    score();
    clock.Advance(GUI::TComboViewImpl::kLifetimeMs / static_cast<uint32_t>(kBenchPopups));
  }
  for (auto _ : state) {
    clock.Advance(kBenchFrameMs);
    view.Draw();
    while (view.GetPopups().size() < static_cast<size_t>(kBenchPopups)) score();
  }
  state.counters["popups"] = static_cast<double>(view.GetPopups().size());
}
BENCHMARK(DrawTwentyPopups)->Unit(benchmark::kMillisecond);

void DrawTheQuotePanel(benchmark::State& state) {
  TextDevice device;
  GUI::TQuotePanel panel;
  panel.Start("Expert Quote Awarded!", "Patience turns the tower; the tower turns the day.");
  panel.SkipToEnd();
  for (auto _ : state) panel.Draw();
}
BENCHMARK(DrawTheQuotePanel)->Unit(benchmark::kMillisecond);

}  // namespace
