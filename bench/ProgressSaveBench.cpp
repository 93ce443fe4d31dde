// Speed of saving a player's progress: a won level (the world data's
// CompleteLevel) and the end-of-level commit of the level status table each
// end by writing the whole enciphered preference file, here holding ten
// players with progress, and replacing it in one step. Goals: 5 ms or less
// each, so that the end of a level shows no hitch.
#include <benchmark/benchmark.h>

#include "bench/support/SpeedGoals.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TWorldData.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"

namespace {

const SpeedGoals kGoals{
    {"BM_CompleteLevel", kTimeMs, Goal::kAtMost, 5},
    {"BM_CommitPendingResult", kTimeMs, Goal::kAtMost, 5},
};

constexpr int kPlayers = 10;

// A started game whose preferences hold ten players, each with a world
// data, a status and totals of its own; the last one plays.
class TenPlayers {
 public:
  TenPlayers() {
    platform.SetSetting("encryptionkey", TGameApp::kEncryptionKey);
    app.Init("");
    for (int player = 1; player < kPlayers; ++player) app.AddUser(TString::Format("Player %d", player));
    for (int player = 0; player < kPlayers; ++player) {
      app.SetCurrentUser(player);
      for (uint32_t level = 1; level <= 5; ++level) worldData.CompleteLevel(1 + player % 10, level, 2);
      app.GetLevelStatusTable()->RecordLevelResult(1000, 5000 + player, {1, 1});
      app.GetLevelStatusTable()->CommitPendingResult();
    }
  }
  ~TenPlayers() { app.Shutdown(); }

  TestFileLayer files;
  FakePlatform platform;
  TGameApp& app = TGameApp::Instance();
  GamePlay::TWorldData worldData;
};

void BM_CompleteLevel(benchmark::State& state) {
  TenPlayers game;
  uint32_t level = 0;
  for (auto _ : state) game.worldData.CompleteLevel(3, 1 + level++ % 5, 2);
}
BENCHMARK(BM_CompleteLevel)->Unit(benchmark::kMillisecond);

void BM_CommitPendingResult(benchmark::State& state) {
  TenPlayers game;
  TLevelStatusTable& table = *game.app.GetLevelStatusTable();
  int32_t total = 0;
  for (auto _ : state) {
    table.RecordLevelResult(700, total += 700, {4, 2});
    table.CommitPendingResult();
  }
}
BENCHMARK(BM_CommitPendingResult)->Unit(benchmark::kMillisecond);

}  // namespace
