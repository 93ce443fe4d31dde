// Speed of a whole level of play without a screen: a bot plays a 12-ring
// level of 180 s to its end, and the slowest steps of play are timed on
// their own: the remove-all explosion and the no-move check of a full tower.
// Goal: 20,000 updates a second or more, 200 times as fast as play.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchHome.h"
#include "bench/support/SpeedGoals.h"
#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "tests/support/rules/LevelRig.h"
#include "tests/support/rules/RigBot.h"

namespace {

using namespace GamePlay;
using Clock = std::chrono::steady_clock;

constexpr int kRings = 12;
constexpr int kSlots = 12;
constexpr int kColours = 5;
constexpr int kLevelUpdates = 18000;  // 180 s of 10 ms updates
// Enough for the start-up delivery of a full tower and any cascade after it.
constexpr int kSettlingUpdates = 3000;

// The rig writes logs and per-user files; they go to a temporary home.
const BenchHome gHome;

// A journey level of 12 rings, dealt at random in five colours, with jugs
// under every slot, locks, gears and power-up pieces among the new pieces.
// New pieces rise in every second while the tower is empty, every half
// second as it fills up, and at once whenever its top ring has emptied.
// The jugs fill slowly enough that the time runs out first.
LevelFiles TwelveRingFiles() {
  LevelFiles files;
  files.level = {{"Lvl01 Max Rings", std::to_string(kRings)},
                 {"Lvl01 Number of pieces in used", std::to_string(kColours)},
                 {"Lvl01 Piece Delivery From Top", "0"},
                 {"Lvl01 Have Piece Jug", "1"},
                 {"Lvl01 Pie Jugs", "123451234599"},
                 {"Lvl01 Gem Energy Rate", "0.02"},
                 {"Lvl01 Bomb Energy Scale", "0.1"},
                 {"Lvl01 Lock Appear Rate", "40"},
                 {"Lvl01 Lock Max", "2"},
                 {"Lvl01 Gear Appear Rate", "60"},
                 {"Lvl01 Gear Max", "2"},
                 {"Lvl01 PowerUp Appear Rate", "0.01"},
                 {"Lvl01 Piece Delivery When Top Ring Clear", "1"},
                 {"Lvl01 Initial Raise Ring Rate", "0.02"},
                 {"Lvl01 Final Raise Ring Rate", "0.01"},
                 {"Lvl01 Time Bonus Scores", "20000"},
                 {"Lvl01 Game Time", "180"}};
  files.scores = {{"Single Piece", "1"}, {"Lock Explode", "50"}, {"Gear Explode", "50"}};
  for (int combo = 1; combo <= 12; ++combo) {
    for (int size = 3; size <= 5; ++size) {
      std::string key = "C";
      key += std::to_string(combo) + "_M" + std::to_string(size);
      files.scores.push_back({key, std::to_string(10 * combo * size)});
    }
  }
  files.powerUps = {{"Energy Scale Match3", "0.25"}, {"Energy Scale Match4", "0.5"},
                    {"Energy Scale Match5", "1"},    {"Tiny Bomb Number", "1"},
                    {"Big Bomb Number", "2"},         {"FC01 Match3", "0"},
                    {"FC01 Match4", "1"},             {"FC01 Match5", "2"}};
  return files;
}

LevelTuning Tuning() {
  LevelTuning tuning = SnappyTuning();
  tuning.tower.energyRateFromBomb = 0.1f;
  tuning.tower.areaBombWidth = 3;
  tuning.tower.areaBombHeight = 3;
  tuning.tower.timeBombRate = 0.01f;
  tuning.tower.bombChainReaction = true;
  tuning.tower.linkedBlockMoving = true;
  return tuning;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Times the updates of runs that play the same way each time. A run's
// updates are numbered from 0; the slowest update is the update whose
// fastest time over all runs is the longest, so that a run that the
// system happened to interrupt does not count.
class UpdateTimes {
 public:
  void StartRun() { mIndex = 0; }

  template <class TStep>
  void Time(TStep step) {
    Clock::time_point start = Clock::now();
    step();
    Clock::duration took = Clock::now() - start;
    total += took;
    ++count;
    if (mIndex == mFastest.size()) mFastest.push_back(took);
    mFastest[mIndex] = std::min(mFastest[mIndex], took);
    ++mIndex;
  }

  double SlowestMicroseconds() const {
    auto slowest = std::max_element(mFastest.begin(), mFastest.end());
    return slowest == mFastest.end() ? 0 : Seconds(*slowest) * 1e6;
  }

  Clock::duration total{};
  int64_t count = 0;

 private:
  std::vector<Clock::duration> mFastest;
  size_t mIndex = 0;
};

// A level at rest after its start-up: the full tower delivered, no input
// lock held, the tower no longer filling.
std::unique_ptr<LevelRig> RestingLevel() {
  auto rig = std::make_unique<LevelRig>(TwelveRingFiles(), TLevelKey{1, 1}, Tuning());
  TInputLocks& locks = *rig->control->GetInputLocks();
  for (int i = 0; i < kSettlingUpdates && (locks.IsAnyLocked() || rig->tower->IsFilling()); ++i) {
    rig->Update();
  }
  return rig;
}

// The whole level from its start to its time-up (18,000 updates of play),
// each update timed with the bot's input before it; the bot's search for
// moves is timed apart. The iteration time is the whole play's, search
// included.
void BM_PlayTwelveRingLevel(benchmark::State& state) {
  UpdateTimes updates;
  Clock::duration searching{};
  Clock::duration played{};
  int64_t moves = 0;
  int64_t searches = 0;
  int64_t matches = 0;
  int64_t score = 0;
  for (auto _ : state) {
    LevelRig rig(TwelveRingFiles(), TLevelKey{1, 1}, Tuning());
    RigBot bot(rig);
    updates.StartRun();
    TInputLocks& locks = *rig.control->GetInputLocks();
    Clock::duration level{};
    for (int i = 0; i < kLevelUpdates + kSettlingUpdates && !locks.IsLocked(TInputLock::EndOfPlay);
         ++i) {
      Clock::time_point start = Clock::now();
      bot.Plan();
      Clock::time_point searched = Clock::now();
      updates.Time([&rig, &bot] {
        bot.Act();
        rig.Update();
      });
      searching += searched - start;
      level += Clock::now() - start;
      // The sounds are heard every update; the growing record of them is
      // the rig's, not the game's, so it is dropped outside the timing.
      rig.sound.played.clear();
    }
    state.SetIterationTime(Seconds(level));
    played += level;
    moves += bot.moves;
    searches += bot.Searches();
    const std::vector<std::string>& heard = rig.observer.heard;
    matches += std::count_if(heard.begin(), heard.end(),
                             [](const std::string& line) { return line.starts_with("OnScore"); });
    score += rig.scoring->GetLevelScore();
    const std::vector<std::string>& events = rig.view->events;
    if (std::count(events.begin(), events.end(), "ShowTimeUpMessage") != 1) {
      state.SkipWithError("the level did not end by its time running out");
    }
  }
  const double levels = static_cast<double>(state.iterations());
  const double count = static_cast<double>(updates.count);
  state.counters["updates/s"] = count / Seconds(updates.total);
  state.counters["slowest_update_us"] = updates.SlowestMicroseconds();
  state.counters["with_search_updates/s"] = count / Seconds(played);
  state.counters["search_ms/level"] = Seconds(searching) * 1e3 / levels;
  state.counters["updates/level"] = count / levels;
  state.counters["moves/level"] = static_cast<double>(moves) / levels;
  state.counters["searches/level"] = static_cast<double>(searches) / levels;
  state.counters["matches/level"] = static_cast<double>(matches) / levels;
  state.counters["score/level"] = static_cast<double>(score) / levels;
}
BENCHMARK(BM_PlayTwelveRingLevel)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

const SpeedGoals kGoals{{"BM_PlayTwelveRingLevel", "updates/s", Goal::kAtLeast, 20000}};

// Fills every cell with a plain piece of the colour given by ring and slot.
template <class TColour>
void FillTower(LevelRig& rig, TColour colour) {
  IPieceFactory& pieces = *rig.factory->GetPieceFactory();
  for (int32_t ring = 0; ring < kRings; ++ring) {
    for (int32_t slot = 0; slot < kSlots; ++slot) {
      rig.tower->SetPiece(ring, slot, pieces.CreateStandard(colour(ring, slot), nullptr));
    }
  }
}

// The explosion that clears a full tower ring by ring, from its start to
// its end (the explosion lock freed), one timed update at a time.
void BM_RemoveAllOnFullTower(benchmark::State& state) {
  UpdateTimes updates;
  for (auto _ : state) {
    std::unique_ptr<LevelRig> rig = RestingLevel();
    FillTower(*rig, [](int32_t ring, int32_t slot) { return (ring + 2 * slot) % kColours; });
    TInputLocks& locks = *rig->control->GetInputLocks();
    Clock::duration took{};
    Clock::time_point start = Clock::now();
    rig->scoring->ExplodeAll();
    took += Clock::now() - start;
    updates.StartRun();
    int64_t before = updates.count;
    Clock::duration stepsBefore = updates.total;
    while (locks.IsLocked(TInputLock::Explosion) && updates.count - before < kSettlingUpdates) {
      updates.Time([&rig] { rig->Update(); });
    }
    state.SetIterationTime(Seconds(took + updates.total - stepsBefore));
    if (locks.IsLocked(TInputLock::Explosion)) state.SkipWithError("the explosion did not end");
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["slowest_update_us"] = updates.SlowestMicroseconds();
  state.counters["updates/run"] = static_cast<double>(updates.count) / runs;
}
BENCHMARK(BM_RemoveAllOnFullTower)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The no-move check at its longest: a full tower at rest in which no turn
// can match, rings holding colours 0 and 1, 2 and 3, 4 and 0 in turn, so
// that every cell is looked at before the answer.
void BM_IsStuckOnFullTower(benchmark::State& state) {
  std::unique_ptr<LevelRig> rig = RestingLevel();
  FillTower(*rig, [](int32_t ring, int32_t slot) { return (2 * (ring % 3) + slot % 2) % kColours; });
  if (!rig->scoring->IsStuck()) {
    state.SkipWithError("the tower has a move");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(rig->scoring->IsStuck());
}
BENCHMARK(BM_IsStuckOnFullTower)->Unit(benchmark::kMicrosecond);

}  // namespace
