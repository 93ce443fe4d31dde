// What 20 explosions add to a play-window frame: the play screen over the
// game's largest level (10-5) from the data folder the build made, on the
// display device, drawn through the window manager with and without a
// layer over the play window that draws 20 blasts of the game's bomb
// picture, as the tower view's effect pass draws them: at the ring's scale
// times 1.0 (a colour bomb's) and times 3.0 (a big-area bomb's, and a
// blocker's burst, whose picture is as large). Both frames are timed in the same run, alternating; the
// difference is what the blasts cost, whatever the play window itself draws.
// Goal: the explosions add 1 ms or less to a frame, at either scale.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchHome.h"
#include "bench/support/SpeedGoals.h"
#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TExplosionEffect.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "tests/game/gui/play/PlayWindowRig.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DisplayOpening.h"

namespace {

using GUI::PlayWindowRig;

constexpr int kExplosions = 20;
constexpr float kBlastMs = 800.0f;
constexpr int kBlastFrames = 8;
constexpr int kRings = 12;
constexpr int kFillingUpdates = 500;

const BenchHome gHome;

// The blasts' scale factors, in tenths.
constexpr int kColourBombTenths = 10;
constexpr int kBigBombTenths = 30;

const SpeedGoals kGoals{{"PlayFrameWithTwentyExplosions/10", "added_ms", Goal::kAtMost, 1.0},
                        {"PlayFrameWithTwentyExplosions/30", "added_ms", Goal::kAtMost, 1.0}};

// A window over the play window that draws the blasts, remaking each one
// as it finishes so that twenty are always running.
class BlastLayer final : public TWindow {
 public:
  explicit BlastLayer(float scaleFactor) : mScaleFactor(scaleFactor) {
    std::vector<TString> frames;
    for (int frame = 1; frame <= kBlastFrames; ++frame) {
      frames.push_back(TString(("sprites/abomb-exp-" + std::to_string(frame)).c_str()));
    }
    mBlast = std::make_shared<GUI::TAnimGraphic>(frames, 0.0f);
    for (int k = 0; k < kExplosions; ++k) mBlasts.push_back(MakeBlast(k));
  }

  bool IsReady() const { return mBlast->GetFrameCount() == kBlastFrames && mBlast->GetWidth() > 0; }
  bool drawing = false;

  void Draw() override {
    TPlatform* platform = TPlatform::Instance();
    if (!drawing || !platform->Begin2d()) return;
    for (int k = 0; k < kExplosions; ++k) {
      auto& blast = mBlasts[static_cast<size_t>(k)];
      if (blast->IsFinished()) blast = MakeBlast(k);
      blast->Draw();
    }
    platform->End2d();
  }

 private:
  std::unique_ptr<GUI::TExplosionEffect> MakeBlast(int k) {
    const int ring = k % kRings;
    const float angle = static_cast<float>(k) * 0.7f;
    const float radius = mMeasurement.GetRingRadius(ring);
    const TVec2 place(400.0f + radius * std::sin(angle), 300.0f - radius * std::cos(angle));
    return std::make_unique<GUI::TExplosionEffect>(ring, mBlast, place, mScaleFactor, &mMeasurement,
                                                   kBlastMs);
  }

  float mScaleFactor;
  std::shared_ptr<GUI::IGraphic> mBlast;
  GUI::TTowerMeasurement mMeasurement;
  std::vector<std::unique_ptr<GUI::TExplosionEffect>> mBlasts;
};

// The play screen on a display, the largest level's tower filled, with the
// blast layer in front of the play window.
struct ExplosionScene {
  explicit ExplosionScene(float scaleFactor) {
    std::srand(1);
    rig.platform.recording = false;
    rig.LoadStrings();
    window = rig.AddPlayWindow();
    window->SetLevel(10, 5);
    rig.Update(kFillingUpdates);
    auto owned = std::make_unique<BlastLayer>(scaleFactor);
    layer = owned.get();
    owned->SetSize(GUI::TArcadeWindow::kWidth, GUI::TArcadeWindow::kHeight);
    std::unique_ptr<TWindow> child = std::move(owned);
    rig.dialog->AddChild(child, true);
  }

  // One update and one frame of the whole screen.
  double FrameMs(bool blasts) {
    layer->drawing = blasts;
    rig.Update();
    rig.manager.GetRootWindow()->Invalidate();
    TDx3dDisplayHandler& display = desktop.Display();
    const auto start = std::chrono::steady_clock::now();
    // The fake platform leaves the display's frame to its caller.
    if (!display.BeginDraw(false)) std::abort();
    rig.Frame();
    display.EndDraw(false);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }

  PlayWindowRig rig;
  BuiltDataFolder data;
  FakeDesktopDisplay desktop{rig.platform};
  GUI::TArcadeWindow* window = nullptr;
  BlastLayer* layer = nullptr;
};

// Made on a thread of its own, as the graphics benchmark makes its scene:
// the window's screen takes that thread for its main thread.
std::unique_ptr<ExplosionScene> MakeExplosionScene(float scaleFactor) {
  std::unique_ptr<ExplosionScene> scene;
  std::thread([&scene, scaleFactor] { scene = std::make_unique<ExplosionScene>(scaleFactor); }).join();
  return scene;
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0 : samples[samples.size() / 2];
}

void PlayFrameWithTwentyExplosions(benchmark::State& state) {
  const std::unique_ptr<ExplosionScene> scene =
      MakeExplosionScene(static_cast<float>(state.range(0)) / 10.0f);
  if (!scene->desktop.IsOpen() || !scene->layer->IsReady()) {
    state.SkipWithError("the display or the blast picture is missing");
    return;
  }
  std::vector<double> plain;
  std::vector<double> withBlasts;
  for (auto _ : state) {
    plain.push_back(scene->FrameMs(false));
    withBlasts.push_back(scene->FrameMs(true));
    state.SetIterationTime(withBlasts.back() / 1000);
  }
  state.counters["plain_ms"] = Median(plain);
  state.counters["blasts_ms"] = Median(withBlasts);
  state.counters["added_ms"] = Median(withBlasts) - Median(plain);
}
BENCHMARK(PlayFrameWithTwentyExplosions)
    ->Arg(kColourBombTenths)
    ->Arg(kBigBombTenths)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

}  // namespace
