#pragma once

#include <initializer_list>
#include <vector>

// Speed goals of the benchmarks. A goal bounds one figure of one benchmark's
// result: its time per iteration in milliseconds (kTimeMs; real time, or the
// benchmark's own timing where it times itself) or one of its counters, by
// name. The benchmarks' main shows the judgement of each goal right under the
// result it judges, with a line starting with "MISS" for a goal not met, and
// ends with "Goals: N met, N missed"; a miss does not change the exit code.
// Every goal of a program lives here, none in comments or printed verdicts
// alone, so that every program is judged the same way.
struct Goal {
  enum Bound { kAtMost, kAtLeast };
  const char* benchmark;  // its name and arguments, without run options: "BM_Load/1"
  const char* figure;
  Bound bound;
  double value;
};

inline constexpr char kTimeMs[] = "time_ms";

// Registers a benchmark file's goals where it defines one at namespace scope:
//   const SpeedGoals kGoals{{"BM_Load", kTimeMs, Goal::kAtMost, 30}};
class SpeedGoals {
 public:
  SpeedGoals(std::initializer_list<Goal> goals);

  // Every goal registered in the program.
  static const std::vector<Goal>& All();
};
