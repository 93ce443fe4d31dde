// Speed of sound decoding: a short sound opened in memory is decoded whole
// when it is loaded (goal: a 2.0 s stereo clip in 20 ms or less, a hundred
// times real time), and a streamed sound decodes one second at each refill
// of its stream on the sound thread (goal: 10 ms or less). `vs_bare` is each
// case's time over that of a bare decode loop of libvorbisfile over the same
// bytes in memory, measured in the same run (goal: 1.1 or less).
#include <benchmark/benchmark.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/support/SpeedGoals.h"
#include "media/sound/TMemSpooler.h"
#include "media/sound/TSound.h"
#include "platform/file/FileIndex.h"
#include "tests/support/OggFixture.h"

namespace {

constexpr double kClipSeconds = 2.0;
constexpr double kStreamSeconds = 10.0;

const SpeedGoals kGoals{
    {"BM_DecodeClipIntoMemory", kTimeMs, Goal::kAtMost, 20},
    {"BM_DecodeClipIntoMemory", "vs_bare", Goal::kAtMost, 1.1},
    {"BM_RefillOneSecondStreamed", kTimeMs, Goal::kAtMost, 10},
    {"BM_RefillOneSecondStreamed", "vs_bare", Goal::kAtMost, 1.1},
};

// Seconds libvorbisfile alone takes to decode the bytes, the best of a few runs.
double BareDecodeSeconds(const std::string& bytes) {
  double best = 1e9;
  std::vector<char> buffer(4096);
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    OggMemory memory{&bytes};
    OggVorbis_File file;
    OpenOggInMemory(memory, file);
    int section = 0;
    while (ov_read(&file, buffer.data(), int(buffer.size()), 0, 2, 1, &section) > 0) {
    }
    ov_clear(&file);
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// The clips as asset files of a program folder.
class Clips {
 public:
  Clips() : mClip(EncodeOgg(2, 44100, kClipSeconds, 11)), mStream(EncodeOgg(2, 44100, kStreamSeconds, 12)) {
    mFolder.Write("assets/clip.ogg", mClip);
    mFolder.Write("assets/stream.ogg", mStream);
    SetProgramFolder(mFolder.Path().c_str());
    SetDataFolders((mFolder.Path() / "user").c_str(), (mFolder.Path() / "common").c_str());
    BuildFileIndex();
  }

  const std::string& Clip() const { return mClip; }
  const std::string& Stream() const { return mStream; }

 private:
  BenchFolder mFolder;
  std::string mClip;
  std::string mStream;
};

Clips& TheClips() {
  static Clips clips;
  return clips;
}

void BM_DecodeClipIntoMemory(benchmark::State& state) {
  const double bare = BareDecodeSeconds(TheClips().Clip());
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(TSound::Get("clip.ogg", true, 0));
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.counters["vs_bare"] = took / double(state.iterations()) / bare;
  state.counters["x_realtime"] = kClipSeconds * double(state.iterations()) / took;
}
BENCHMARK(BM_DecodeClipIntoMemory)->Unit(benchmark::kMillisecond);

void BM_RefillOneSecondStreamed(benchmark::State& state) {
  const double bare = BareDecodeSeconds(TheClips().Stream()) / kStreamSeconds;
  std::shared_ptr<TSound> sound = TSound::Get("stream.ogg", false, 0);
  auto spooler = std::make_unique<TMemSpooler>(sound->Data());
  std::vector<uint8_t> second(44100 * 4);
  int32_t got = 0;
  int played = 0;
  double took = 0;
  for (auto _ : state) {
    // A fresh instance before the clip's end: what is measured is refills
    // alone, not the seek back of a loop.
    if (++played == int(kStreamSeconds)) {
      state.PauseTiming();
      spooler = std::make_unique<TMemSpooler>(sound->Data());
      spooler->Read(0, second.data(), got, false);
      played = 1;
      state.ResumeTiming();
    }
    const auto start = std::chrono::steady_clock::now();
    spooler->Read(int32_t(second.size()), second.data(), got, false);
    took += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["vs_bare"] = took / double(state.iterations()) / bare;
}
BENCHMARK(BM_RefillOneSecondStreamed)->Unit(benchmark::kMillisecond);

}  // namespace
