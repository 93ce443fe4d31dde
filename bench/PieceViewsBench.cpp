// Drawing the pieces of a full tower on the software display: every piece
// view of our largest level (12 rings of 12 cells, blockers among them)
// drawn in place in one frame, with the game's own pictures, as the tower
// view draws them each frame (goal: 2.5 ms or less). The counter `views`
// tells how many views a frame draws. The same frame with pictures that
// draw nothing shows what the views cost of it themselves (no goal). And the
// tower view's two passes over that tower mid-level, a ring half turned: the
// jug pie, every piece, the glow of the predicted matches and the arrows
// (goal: 5 ms or less). Last, the peak resident memory of the program while
// the bot plays that level to its end, a frame drawn every tenth update
// (goal: 64 MB or less).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "bench/support/SpeedGoals.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/rules/LevelRig.h"
#include "tests/support/rules/RigBot.h"

namespace {

constexpr GamePlay::TLevelKey kLargestLevel{10, 5};
constexpr int kMostSettlingUpdates = 3000;

const SpeedGoals kGoals{{"DrawFullTowerOfPieceViews", kTimeMs, Goal::kAtMost, 2.5},
                        {"DrawTowerViewFrameMidLevel", kTimeMs, Goal::kAtMost, 5},
                        {"PlayLargestLevelPeakMemory", "peak_mb", Goal::kAtMost, 64}};
// Ring 1 stands a little past half a slot turned, so its matches glow.
constexpr float kHalfTurnedRingAngle = 0.3f;

// The level's tower after its first delivery has settled, every piece with
// the game's view of it, over the pictures of the built data folder.
struct FullTower {
  // Without pictures every view draws nothing, but works out its place.
  explicit FullTower(bool withPictures) {
    platform.recording = false;
    if (!desktop.IsOpen()) std::abort();
    if (withPictures) LoadPictures();
    factory = std::make_unique<GUI::TViewFactory>(&registry, nullptr, true, 1.0f);
    auto settings = GamePlay::TLevelSettings::Load(kLargestLevel, "levels/world10.xml", false);
    if (!settings) std::abort();
    towerView = factory->CreateTowerView(nullptr, *settings);
    rig = std::make_unique<LevelRig>(BuiltDataFolder::ProgramFolder(), kLargestLevel,
                                     TuningFromStrings(),
                                     LevelViews{factory.get(), factory.get(), towerView.get()});
    if (!rig->IsReady()) std::abort();
    towerView->SetModel(rig->tower.get());
    towerView->SetUp(rig->scoring.get(), nullptr);
    towerView->RereadJugModel();
    for (int update = 0; update < kMostSettlingUpdates && !IsAtRest(); ++update) rig->Update();
  }

  void LoadPictures() {
    if (registry.Preload() == 0) std::abort();
    while (!registry.FetchNext()) {
    }
    registry.FetchAll();
  }

  bool IsAtRest() {
    return !rig->control->GetInputLocks()->IsAnyLocked() && !rig->tower->CanDeliver();
  }

  // As the tower view's piece pass does: every view is told its cell, then
  // the rings are drawn from the outermost in. Returns the number of views
  // drawn.
  int DrawPieces() {
    GamePlay::TTower& tower = *rig->tower;
    const auto rings = static_cast<int32_t>(tower.GetRingCount());
    const auto slots = static_cast<int32_t>(tower.GetSlotCount());
    for (int32_t ring = 0; ring < rings; ++ring) {
      for (int32_t slot = 0; slot < slots; ++slot) {
        if (GamePlay::TPieceViewPtr view = tower.GetPiece(ring, slot)->GetView())
          view->SetCell(ring, slot, false);
      }
    }
    int views = 0;
    for (int32_t ring = rings - 1; ring >= 0; --ring) {
      for (int32_t slot = 0; slot < slots; ++slot) {
        GamePlay::TPieceViewPtr view = tower.GetPiece(ring, slot)->GetView();
        if (view && view != factory->GetNullView()) {
          view->DrawInPlace();
          ++views;
        }
      }
    }
    return views;
  }

  // One frame of the tower view's two passes on the display.
  void DrawFrame() {
    if (!display->BeginDraw(false) || !platform.Begin2d()) std::abort();
    towerView->DrawFirstPass();
    towerView->DrawSecondPass();
    platform.End2d();
    display->EndDraw(false);
  }

  BuiltDataFolder folder;
  FakePlatform platform;
  FakeDesktopDisplay desktop{platform};
  TDx3dDisplayHandler* display = &desktop.Display();
  GUI::TGraphicRegistry registry;
  std::unique_ptr<GUI::TViewFactory> factory;
  std::unique_ptr<GUI::TTowerViewImpl> towerView;
  std::unique_ptr<LevelRig> rig;
};

void DrawFullTower(benchmark::State& state, bool withPictures) {
  FullTower tower(withPictures);
  int views = 0;
  for (auto _ : state) {
    if (!tower.display->BeginDraw(false) || !tower.platform.Begin2d()) std::abort();
    const auto start = std::chrono::steady_clock::now();
    views = tower.DrawPieces();
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    tower.platform.End2d();
    tower.display->EndDraw(false);
  }
  state.counters["views"] = views;
}

void DrawFullTowerOfPieceViews(benchmark::State& state) { DrawFullTower(state, true); }
BENCHMARK(DrawFullTowerOfPieceViews)->UseManualTime()->Unit(benchmark::kMillisecond);

void PlaceFullTowerOfPieceViews(benchmark::State& state) { DrawFullTower(state, false); }
BENCHMARK(PlaceFullTowerOfPieceViews)->UseManualTime()->Unit(benchmark::kMicrosecond);

void DrawTowerViewFrameMidLevel(benchmark::State& state) {
  FullTower tower(true);
  tower.towerView->SetRingAngle(1, kHalfTurnedRingAngle);
  for (auto _ : state) {
    if (!tower.display->BeginDraw(false) || !tower.platform.Begin2d()) std::abort();
    const auto start = std::chrono::steady_clock::now();
    tower.towerView->DrawFirstPass();
    tower.towerView->DrawSecondPass();
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    tower.platform.End2d();
    tower.display->EndDraw(false);
  }
  state.counters["predicted"] = static_cast<double>(tower.towerView->GetLayer()->GetPrediction().size());
}
BENCHMARK(DrawTowerViewFrameMidLevel)->UseManualTime()->Unit(benchmark::kMillisecond);

// The longest level of our data lasts 180 s of 10 ms updates; a frame every
// tenth update meets every effect the tower starts, as they last longer.
constexpr int64_t kMostPlayUpdates = 18000;
constexpr int64_t kUpdatesPerFrame = 10;

// Forgets the peak so far, so that the benchmarks run before do not count.
void ResetPeakResidentMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The kernel's "VmHWM" line, in megabytes; 0 where it cannot be read.
double PeakResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kilobytes = 0;
      status >> kilobytes;
      return kilobytes / 1024;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

void PlayLargestLevelPeakMemory(benchmark::State& state) {
  for (auto _ : state) {
    ResetPeakResidentMemory();
    FullTower tower(true);
    RigBot bot(*tower.rig);
    GamePlay::TInputLocks& locks = *tower.rig->control->GetInputLocks();
    int64_t updates = 0;
    for (; updates < kMostPlayUpdates && !locks.IsLocked(GamePlay::TInputLock::EndOfPlay); ++updates) {
      bot.Plan();
      bot.Act();
      tower.rig->Update();
      tower.rig->sound.played.clear();  // grows every update, tells nothing here
      if (updates % kUpdatesPerFrame == 0) tower.DrawFrame();
    }
    state.counters["updates"] = static_cast<double>(updates);
    state.counters["moves"] = static_cast<double>(bot.moves);
    state.counters["peak_mb"] = PeakResidentMegabytes();
  }
}
BENCHMARK(PlayLargestLevelPeakMemory)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
