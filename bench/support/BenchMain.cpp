// The benchmark programs' main: runs the benchmarks as Google Benchmark's own
// main does, with results on the console, judges each result by the speed
// goals of its benchmark, and ends with the count of goals met and missed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "bench/support/SpeedGoals.h"

namespace {

using Run = benchmark::BenchmarkReporter::Run;

// Three significant digits, with k, M or G for steps of base (1000, or 1024
// as Google Benchmark shows byte counts).
std::string Number(double value, double base = 1000) {
  constexpr const char* kSuffixes[] = {"", "k", "M", "G"};
  int scale = 0;
  while (scale < 3 && std::fabs(value) >= base) {
    value /= base;
    ++scale;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.3g%s", value, kSuffixes[scale]);
  return text;
}

std::string GoalName(const Run& run) {
  const benchmark::BenchmarkName& name = run.run_name;
  return name.args.empty() ? name.function_name : name.function_name + "/" + name.args;
}

// The figure a goal judges and the base its counter is shown in; false when
// the result has no such figure.
bool FigureOf(const Run& run, const std::string& figure, double* value, double* base) {
  *base = 1000;
  if (figure == kTimeMs) {
    *value = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
    return true;
  }
  auto found = run.counters.find(figure);
  if (found == run.counters.end()) return false;
  *value = found->second.value;
  if (found->second.oneK == benchmark::Counter::kIs1024) *base = 1024;
  return true;
}

class GoalReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) Judge(run);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    GetOutputStream() << "Goals: " << mMet << " met, " << mMissed << " missed\n";
  }

 private:
  void Judge(const Run& run) {
    const std::string name = GoalName(run);
    std::ostream& out = GetOutputStream();
    for (const Goal& goal : SpeedGoals::All()) {
      if (name != goal.benchmark) continue;
      const char* bound = goal.bound == Goal::kAtMost ? "at most " : "at least ";
      double value = 0;
      double base = 1000;
      if (!FigureOf(run, goal.figure, &value, &base)) {
        out << "MISS " << name << ": no figure " << goal.figure << " to judge (goal " << bound
            << Number(goal.value) << ")\n";
        ++mMissed;
        continue;
      }
      bool met = goal.bound == Goal::kAtMost ? value <= goal.value : value >= goal.value;
      out << (met ? "  met  " : "MISS ") << name << ": " << goal.figure << " " << Number(value, base)
          << ", goal " << bound << Number(goal.value, base) << "\n";
      ++(met ? mMet : mMissed);
    }
  }

  int mMet = 0;
  int mMissed = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  GoalReporter reporter(isatty(STDOUT_FILENO) ? GoalReporter::OO_Color : GoalReporter::OO_None);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
