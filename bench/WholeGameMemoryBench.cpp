// The whole game's memory: one headless run of the game played as a player
// plays it (the menu, level 1-1 won by the bot, the score table and the
// table between levels, back through the map to the menu, the options, a
// close request), in a child process of its own over the data folder the
// build made. Its peak resident memory, counter `peak_rss_mb` (goal: 64 MB
// or less), is the child's high-water mark as the kernel reports it once the
// child has exited, so start-up and shut-down count as well.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <string>

#include "bench/support/SpeedGoals.h"
#include "game/gui/play/TArcadeWindow.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "tests/support/game/LevelBotPlay.h"

namespace {

using Clock = std::chrono::steady_clock;

const SpeedGoals kGoals{{"WholeGameMemory", "peak_rss_mb", Goal::kAtMost, 64}};

// Game time the flow lets pass: the level's opening delivery, the bot's
// most (far more than level 1-1 needs), the won flow's closing flash, the
// table's hurried count and its quote.
constexpr uint32_t kStartUpDelivery = 3000;
constexpr uint32_t kMostLevelPlay = 240000;
constexpr uint32_t kWonFlow = 2100;
constexpr uint32_t kHurriedCount = 1200;
constexpr uint32_t kQuoteShown = 1500;

void WinTheFirstLevel(GameDriver& driver) {
  driver.Click("playButton");
  driver.Check(driver.WaitForWindow("worldName") != nullptr, "Play opens the map");
  driver.Click("level1");
  auto* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  if (!driver.Check(window != nullptr, "level 1-1 is played")) return;
  driver.AdvanceTime(kStartUpDelivery);
  driver.Check(PlayLevelWithBot(driver, kMostLevelPlay).ended, "the bot ends level 1-1");
  driver.AdvanceTime(kWonFlow);
}

void CountTheTablesBackToTheMenu(GameDriver& driver) {
  if (!driver.Check(driver.WaitForWindow("collectableTable") != nullptr, "the won level shows its table")) return;
  driver.Click("hurryButton");
  driver.AdvanceTime(kHurriedCount);
  driver.Click("hurryButton");
  driver.AdvanceTime(kQuoteShown);
  driver.Click("continueButton");
  if (!driver.Check(driver.WaitForWindow("GameTips") != nullptr, "the table between levels follows")) return;
  driver.Click("continueButton");
  driver.Check(driver.WaitForWindow("level2") != nullptr, "the map follows");
  driver.Click("backButton");
  driver.Check(driver.WaitForWindow("playButton") != nullptr, "the map leads back to the menu");
}

void VisitTheOptions(GameDriver& driver) {
  driver.Click("optionsButton");
  driver.Check(driver.WaitForWindow("musiclevelslider") != nullptr, "the options open");
  driver.Click("doneButton");
  driver.Check(driver.WaitForWindow("playButton") != nullptr, "Done leads back to the menu");
}

void PlayTheFlow(GameDriver& driver) {
  driver.Check(WaitForLoadedMenu(driver) != nullptr, "the loading screen leads to the menu");
  WinTheFirstLevel(driver);
  CountTheTablesBackToTheMenu(driver);
  VisitTheOptions(driver);
  driver.RequestClose();
  driver.Check(driver.WaitForEnd(), "a close request ends the game");
}

// The largest high-water mark of the children this process waited for; the
// benchmark starts no other child, so it is the game's.
double ChildrenPeakKb() {
  rusage usage{};
  return getrusage(RUSAGE_CHILDREN, &usage) == 0 ? static_cast<double>(usage.ru_maxrss) : -1;
}

// Once: a whole game is one iteration.
void WholeGameMemory(benchmark::State& state) {
  BuiltGameStart built;
  built.start.commandLine = "--multiple options=randomseed=93";
  for (auto _ : state) {
    const Clock::time_point started = Clock::now();
    const GameRun run = PlayGame(built.start, PlayTheFlow);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - started).count());
    if (run.exitCode != 0 || !run.failures.empty()) {
      return state.SkipWithError(("the game did not play through: " + run.failures).c_str());
    }
  }
  state.counters["peak_rss_mb"] = ChildrenPeakKb() / 1024.0;
}
BENCHMARK(WholeGameMemory)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
