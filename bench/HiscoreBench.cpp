// Speed of the hiscore client's local tables and score file. A finished game
// adds its score to a table that may be full (500 scores): the placing alone,
// the file left out, should cost no more than 50 µs. Saving and loading the
// score file with four full tables and ten remembered accounts should take
// 10 ms or less each, so that neither the end of a game nor the start shows a
// hitch.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/support/SpeedGoals.h"
#include "online/THiscoreImpl.h"
#include "tests/online/HiscoreRig.h"
#include "tests/support/TestFileLayer.h"

namespace {

const SpeedGoals kGoals{
    {"BM_AddLocalScoreToAFullTable", kTimeMs, Goal::kAtMost, 0.05},
    {"BM_SaveHiscoreFile", kTimeMs, Goal::kAtMost, 10},
    {"BM_LoadHiscoreFile", kTimeMs, Goal::kAtMost, 10},
};

constexpr int kFullTables = 4;
constexpr int kAccounts = 10;

void BM_AddLocalScoreToAFullTable(benchmark::State& state) {
  THiscoreImpl hiscores(kHiscoreTestKey, false);
  FillFullHiscores(&hiscores, 1, 0);
  hiscores.gameMode = "mode0";
  hiscores.playerName = "Bench";
  int32_t place = 0;
  for (auto _ : state) {
    // Somewhere inside the table each time, so that the last score drops out.
    hiscores.AddLocalScore(100000 - (place++ % 500) * 7 + 3, false, "31323334353", "");
  }
}
BENCHMARK(BM_AddLocalScoreToAFullTable)->Unit(benchmark::kMicrosecond);

// Four full tables and ten accounts, saved once.
class FullScoreFile {
 public:
  FullScoreFile() {
    FillFullHiscores(&hiscores, kFullTables, kAccounts);
    hiscores.Save();
  }

  TestFileLayer files;
  HiscoreKeySetting key;
  THiscoreImpl hiscores{kHiscoreTestKey, true};
};

void BM_SaveHiscoreFile(benchmark::State& state) {
  FullScoreFile file;
  for (auto _ : state) file.hiscores.Save();
}
BENCHMARK(BM_SaveHiscoreFile)->Unit(benchmark::kMillisecond);

// Into a client with nothing loaded yet, as at start; making the client and
// letting the last one go are not timed.
void BM_LoadHiscoreFile(benchmark::State& state) {
  FullScoreFile file;
  std::unique_ptr<THiscoreImpl> reader;
  for (auto _ : state) {
    state.PauseTiming();
    reader = std::make_unique<THiscoreImpl>(kHiscoreTestKey, false);
    state.ResumeTiming();
    reader->Load();
  }
  if (reader->localLists.size() != kFullTables) state.SkipWithError("the file did not load");
}
BENCHMARK(BM_LoadHiscoreFile)->Unit(benchmark::kMillisecond);

}  // namespace
