// The game's own levels played by the bot from the data folder the build
// made, with the tuning of "strings.xml": every Journey level from 1-1 to
// 10-5 and every Zen level, each to its end. A level the bot does not win is
// a reported error, so the smoke run of the benchmarks fails on a level that
// cannot be won. The counters give what the medal targets of
// "levels/scores.xml" are set from: the score with its bonuses, the seconds
// left and the moves made; and what the level brings in: the locks, gears
// and blockers broken.
// Goal: 20,000 updates a second or more over a whole level, search included.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench/BenchHome.h"
#include "bench/support/SpeedGoals.h"
#include "game/rules/level/TLevelKey.h"
#include "game/rules/scoring/TLevelResult.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/rules/LevelRig.h"
#include "tests/support/rules/RigBot.h"

namespace {

using namespace GamePlay;
using Clock = std::chrono::steady_clock;

// Longer than any level's time with its start-up; a Zen level, which has no
// timer, gets half an hour of play.
constexpr int64_t kMostUpdates = 180000;

// The rig writes logs and per-user files; they go to a temporary home.
const BenchHome gHome;

// How far the bot got: the matches it made and the fill of each jug.
std::string Progress(LevelRig& rig) {
  const std::vector<std::string>& heard = rig.observer.heard;
  const auto matches = std::count_if(heard.begin(), heard.end(),
                                     [](const std::string& line) { return line.starts_with("OnScore"); });
  std::string text = std::to_string(matches);
  text += " matches, jugs";
  IPieceJugModel& jugs = *rig.scoring->GetPieceJug();
  for (int32_t jug = 0; jug < 12; ++jug) {
    if (jugs.GetColour(jug) == IPieceJugModel::kNoJug) continue;
    text += ' ';
    text += std::to_string(static_cast<int>(jugs.GetFill(jug) * 100));
    text += '%';
  }
  return text;
}

LevelTuning GameTuning() {
  BuiltDataFolder folder;
  return TuningFromStrings();
}

// One level, world and level from the arguments (world 0 for Zen).
void BM_BotPlaysLevel(benchmark::State& state) {
  const TLevelKey key{static_cast<uint32_t>(state.range(0)), static_cast<uint32_t>(state.range(1))};
  static const LevelTuning tuning = GameTuning();
  for (auto _ : state) {
    LevelRig rig(BuiltDataFolder::ProgramFolder(), key, tuning);
    Clock::time_point start = Clock::now();
    const TBotRun run = PlayWithBot(rig, kMostUpdates);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    const TLevelResult& result = rig.records.levelResult;
    state.counters["score"] = result.levelScore + result.timeBonus + result.blockerBonus + result.powerUpBonus;
    state.counters["seconds_left"] = result.secondsLeft;
    state.counters["play_s"] = result.elapsedMs / 1000.0;
    state.counters["moves"] = static_cast<double>(run.moves);
    state.counters["locks_broken"] = rig.records.locksBroken;
    state.counters["gears_broken"] = rig.records.gearsBroken;
    state.counters["blockers_broken"] = rig.records.blockersBroken;
    state.counters["updates/s"] = static_cast<double>(run.updates) / seconds;
    if (run.outcome != TBotOutcome::Won) {
      const std::string error = std::string("the bot did not win: ") + OutcomeName(run.outcome) + " after " + Progress(rig);
      state.SkipWithError(error.c_str());
    }
  }
}
BENCHMARK(BM_BotPlaysLevel)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 10, 1), benchmark::CreateDenseRange(1, 5, 1)})
    ->ArgsProduct({{0}, benchmark::CreateDenseRange(1, 5, 1)})
    ->ArgNames({"world", "level"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

const SpeedGoals kGoals{{"BM_BotPlaysLevel/world:10/level:5", "updates/s", Goal::kAtLeast, 20000}};

}  // namespace
