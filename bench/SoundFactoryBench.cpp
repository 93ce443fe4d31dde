// Speed of the game's sounds on the main thread. A game event plays its
// effect while the play window runs its 10 ms update, so one play must cost
// next to nothing (goal: 5 µs or less per play, counter `us_per_play`); the
// factory's own share is what it costs beyond playing the sound itself
// (counter `vs_bare`, the ratio of the two, goal 1.1 or less). The
// sound factory loads every effect and the music bank before the first
// screen, which waits for it (goal: 150 ms or less). Both run over the data
// folder the build made, on a sound manager over the manual device.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench/support/SpeedGoals.h"
#include "game/gui/sound/TSoundFactory.h"
#include "media/sound/TSound.h"
#include "media/sound/TSoundManager.h"
#include "platform/asset/TAssetManager.h"
#include "platform/xml/TStringTable.h"
#include "system/audio/ManualAudioDevice.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/FakePlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPlaysPerBatch = 32;

const SpeedGoals kGoals{
    {"BM_PlayLoadedEffect", "us_per_play", Goal::kAtMost, 5},
    {"BM_PlayLoadedEffect", "vs_bare", Goal::kAtMost, 1.1},
    {"BM_BuildSoundFactory", kTimeMs, Goal::kAtMost, 150},
};

// The game's strings and sounds on a running sound manager.
struct GameSounds {
  GameSounds() {
    strings.Load("strings.xml");
    platform.stringTable = &strings;
    platform.soundManager = &manager;
    manager.Init();
  }
  ~GameSounds() { platform.soundManager = nullptr; }

  BuiltDataFolder data;
  FakePlatform platform;
  TStringTable strings;
  TSoundManager manager{std::make_unique<sys::ManualAudioDevice>()};
};

// Seconds of a batch of plays through `play`; the instances are stopped
// after it, untimed, so that the number playing stays that of a busy level.
template <class Play>
double TimeBatch(TSoundManager& manager, TSound& effect, Play play) {
  const Clock::time_point start = Clock::now();
  for (int n = 0; n < kPlaysPerBatch; ++n) play();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  effect.Stop(-1);
  manager.DispatchNotifications();
  return seconds;
}

// Each iteration is a batch through the factory, timed, then a batch
// straight on the sound for comparison.
void BM_PlayLoadedEffect(benchmark::State& state) {
  GameSounds sounds;
  GUI::TSoundFactory factory;
  const std::shared_ptr<TSound> effect = TSound::Get("music/ring-rotate.ogg", true, GUI::TSoundFactory::kEffectsGroup);
  if (!effect || !effect->Data().IsOpen()) {
    state.SkipWithError("the data folder has no music/ring-rotate.ogg");
    return;
  }
  double throughFactory = 0;
  double bare = 0;
  for (auto _ : state) {
    const double seconds = TimeBatch(sounds.manager, *effect, [&] { factory.PlayRingRotate(); });
    state.SetIterationTime(seconds);
    throughFactory += seconds;
    bare += TimeBatch(sounds.manager, *effect, [&] { effect->Play(false); });
  }
  state.counters["us_per_play"] = throughFactory * 1e6 / (double(state.iterations()) * kPlaysPerBatch);
  state.counters["vs_bare"] = throughFactory / bare;
}
BENCHMARK(BM_PlayLoadedEffect)->UseManualTime();

// Every load reads the files afresh: the asset cache is a new one each time,
// as at the game's start.
void BM_BuildSoundFactory(benchmark::State& state) {
  GameSounds sounds;
  for (auto _ : state) {
    TAssetManager assets;
    sounds.platform.assetManager = &assets;
    const Clock::time_point start = Clock::now();
    auto factory = std::make_unique<GUI::TSoundFactory>();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    factory.reset();
    sounds.platform.assetManager = sounds.platform.assets.get();
  }
}
BENCHMARK(BM_BuildSoundFactory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
