// One frame's drawing of a big clearance: 144 vanishing pieces in mid-flight
// (sparks flying to their jugs and off blockers, bombs blasting) and 40 locks
// and gears with their glows, through the graphics registry's pictures on a
// device whose targets show nothing and which holds no image data, so that
// the figure is the views' own work: choosing their frames, places and
// fades (goal: 100 us or less).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/views/IVanishingSounds.h"
#include "game/gui/views/TDisappearingPieceView.h"
#include "game/gui/views/TPowerUpViewImpl.h"
#include "game/gui/views/TStandardPieceView.h"
#include "game/gui/views/TViewGraphics.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/StubTowerView.h"

namespace {

constexpr int32_t kVanishingRings = 12;
constexpr int32_t kVanishingSlots = 12;
constexpr int kPowerUpViews = 40;
// How far into their animations the vanishing pieces are drawn.
constexpr uint32_t kMidFlightMilliseconds = 150;

const SpeedGoals kGoals{{"DrawVanishingAndPowerUpViews", kTimeMs, Goal::kAtMost, 0.1}};

// The benchmark hears nothing.
class SilentVanishingSounds final : public GUI::IVanishingSounds {
 public:
  void PlayJugFill(int32_t) override {}
  void PlayBlockerBlocked() override {}
};

// A tower of vanishing pieces, most flying to the jugs, some stopped by
// blockers, some with nowhere to go, every tenth holding a bomb; and the
// locks and gears of the pieces left.
struct VanishingFrame {
  VanishingFrame() {
    platform.drawsNothing = true;
    if (registry.Preload() == 0) std::abort();
    while (!registry.FetchNext()) {
    }
    registry.FetchAll();
    graphics = GUI::TViewGraphics::Fetch(registry);
    tower.jugFill = 60;
    for (int32_t ring = 0; ring < kVanishingRings; ++ring) {
      for (int32_t slot = 0; slot < kVanishingSlots; ++slot) AddVanishing(ring, slot);
    }
    for (int i = 0; i < kPowerUpViews; ++i) AddPowerUp(i);
    DrawFrame();  // every animation starts
    clock.Advance(kMidFlightMilliseconds);
  }

  void AddVanishing(int32_t ring, int32_t slot) {
    const int32_t index = ring * kVanishingSlots + slot;
    auto inner = std::make_shared<GamePlay::TStandardPiece>(index % 6);
    const GamePlay::TIntPair cells[] = {{-1, -1}, {-1, -1}, {-1, ring}, {0, 0}};
    inner->SetJugMark(cells[index % 4]);
    GamePlay::TPowerUpPtr bomb;
    if (index % 10 == 0) bomb = std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false);
    if (index % 10 == 5) bomb = std::make_shared<GamePlay::TColorBombPowerUp>();
    auto wrapped = std::make_shared<GUI::TStandardPieceView>(graphics.pieces[index % 6], graphics.spark,
                                                             inner, &tower);
    inner->SetView(wrapped);
    auto piece = std::make_shared<GamePlay::TDisappearingPiece>(inner, bomb);
    GUI::TVanishingPictures pictures{graphics.sparkByColour, graphics.filling, graphics.areaBombByColour,
                                     graphics.edgeGlow};
    auto view = std::make_shared<GUI::TDisappearingPieceView>(wrapped, pictures, nullptr, piece, &tower, &sounds);
    piece->SetView(view);
    view->SetCell(ring % 5, slot, false);
    pieces.push_back(piece);
  }

  void AddPowerUp(int i) {
    const bool lock = i % 2 == 0;
    GamePlay::TPowerUpPtr powerUp = lock ? GamePlay::TPowerUpPtr(std::make_shared<GamePlay::TLockPowerUp>())
                                         : GamePlay::TPowerUpPtr(std::make_shared<GamePlay::TGearPowerUp>());
    powerUps.push_back(powerUp);
    powerUpViews.push_back(std::make_unique<GUI::TPowerUpViewImpl>(
        powerUp, lock ? graphics.lock : graphics.gear, lock ? graphics.lockGlow : graphics.gearGlow, &tower, 1.0f));
  }

  void DrawFrame() {
    for (const auto& piece : pieces) piece->GetView()->DrawInPlace();
    for (int i = 0; i < kPowerUpViews; ++i) {
      const float angle = static_cast<float>(i) * 0.157f;
      const TVec2 at(400 + 180 * std::sin(angle), 300 - 180 * std::cos(angle));
      powerUpViews[static_cast<size_t>(i)]->Draw(true, i % 5, at, 1.0f, 0.8f, 0.8f, angle);
    }
  }

  BuiltDataFolder folder;
  DevicePlatform platform;
  FakeClock clock;
  GUI::TGraphicRegistry registry;
  GUI::TViewGraphics graphics;
  StubTowerView tower{5};
  SilentVanishingSounds sounds;
  std::vector<std::shared_ptr<GamePlay::TDisappearingPiece>> pieces;
  std::vector<GamePlay::TPowerUpPtr> powerUps;
  std::vector<std::unique_ptr<GUI::TPowerUpViewImpl>> powerUpViews;
};

void DrawVanishingAndPowerUpViews(benchmark::State& state) {
  VanishingFrame frame;
  for (auto _ : state) {
    if (!frame.platform.Begin2d()) std::abort();
    const auto start = std::chrono::steady_clock::now();
    frame.DrawFrame();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    frame.platform.End2d();
  }
  state.counters["views"] = static_cast<double>(frame.pieces.size() + frame.powerUpViews.size());
}
BENCHMARK(DrawVanishingAndPowerUpViews)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
