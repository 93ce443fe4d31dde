// Speed of the software mixer: SDL asks for a block of output every few
// milliseconds, and the game can have many sounds at once (music, the tower's
// effects, the interface's clicks). Each case mixes 10 ms of output from 32
// playing buffers of mixed rates and channel counts, half of them looping,
// some quieter than full volume; `realtime_pct` is the share of those 10 ms
// the mix took, in per cent (goal: 0.1 ms, 1 %, or less on one core).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "system/audio/ManualAudioDevice.h"

namespace {

constexpr uint32_t kBlockFrames = 441;  // 10 ms at 44,100 Hz
constexpr int kBuffers = 32;

const SpeedGoals kGoals{
    {"BM_Mix10msMixedRates/32", "realtime_pct", Goal::kAtMost, 1},
    {"BM_Mix10msMixedRates/1", "realtime_pct", Goal::kAtMost, 1},
    {"BM_Mix10msOutputRate/32", "realtime_pct", Goal::kAtMost, 1},
};

struct Voice {
  std::unique_ptr<sys::SoundBuffer> buffer;
  bool looping;
};

std::vector<Voice> StartVoices(sys::ManualAudioDevice& device, int count, bool exactRatesOnly) {
  static constexpr int32_t kRates[] = {44100, 22050, 48000, 32000, 11025, 44100, 24000, 44100};
  std::mt19937 noise(7);
  std::vector<Voice> voices;
  for (int i = 0; i < count; ++i) {
    const sys::WaveFormat format{.channels = 1 + i % 2, .rate = exactRatesOnly ? 44100 : kRates[i % 8], .bits = 16};
    Voice voice{nullptr, i % 2 == 0};
    const uint32_t bytes = uint32_t(format.BytesPerSecond()) * 2;
    device.CreateBuffer(format, bytes, voice.buffer);
    sys::BufferRegion region;
    voice.buffer->Lock(0, bytes, region);
    for (uint32_t at = 0; at + 1 < region.firstBytes; at += 2) {
      const int16_t sample = int16_t(noise() % 20000 - 10000);
      std::memcpy(region.first + at, &sample, 2);
    }
    voice.buffer->Unlock(region);
    voice.buffer->SetVolume(-(i % 4) * 300);
    voice.buffer->Play(voice.looping);
    voices.push_back(std::move(voice));
  }
  return voices;
}

void MixBlocks(benchmark::State& state, bool exactRatesOnly) {
  sys::ManualAudioDevice device(kBlockFrames);
  device.Open();
  int64_t heard = 0;
  device.SetCaptureTap([&heard](const int16_t* samples, uint32_t) { heard += samples[0]; });
  std::vector<Voice> voices = StartVoices(device, int(state.range(0)), exactRatesOnly);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    device.Render(kBlockFrames);
    // Sounds played once end after two seconds of mixing; they start again
    // so that every buffer plays throughout.
    for (Voice& voice : voices)
      if (!voice.looping && !(voice.buffer->GetStatus() & sys::kBufferPlaying)) voice.buffer->Play(false);
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  benchmark::DoNotOptimize(heard);
  state.counters["realtime_pct"] = 100.0 * took.count() / (double(state.iterations()) * 0.010);
}

void BM_Mix10msMixedRates(benchmark::State& state) { MixBlocks(state, false); }
BENCHMARK(BM_Mix10msMixedRates)->Arg(kBuffers)->Arg(1);

void BM_Mix10msOutputRate(benchmark::State& state) { MixBlocks(state, true); }
BENCHMARK(BM_Mix10msOutputRate)->Arg(kBuffers);

}  // namespace
