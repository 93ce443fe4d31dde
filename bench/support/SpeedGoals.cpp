#include "bench/support/SpeedGoals.h"

namespace {

std::vector<Goal>& Registry() {
  static std::vector<Goal> goals;
  return goals;
}

}  // namespace

SpeedGoals::SpeedGoals(std::initializer_list<Goal> goals) {
  Registry().insert(Registry().end(), goals);
}

const std::vector<Goal>& SpeedGoals::All() { return Registry(); }
