#pragma once

#include <cstdint>

namespace GamePlay {

// Hears of the score a match earns (the combo view, the statistics, the
// metrics).
class IScoringObserver {
 public:
  virtual ~IScoringObserver() = default;

  // Told once for each group of a match: size is the match's total of
  // pieces, combo its place in a run of matches, (ring, slot) the group's
  // first cell, points what the whole match scored, side whether it grew
  // sideways within a ring.
  virtual void OnScore(int32_t size, int32_t combo, int32_t ring, int32_t slot, int32_t points,
                       bool side) = 0;
  // The level-end tally is done.
  virtual void OnLevelEnd() = 0;
  // While some observer is busy, disappearing pieces stand still.
  virtual bool IsBusy() = 0;
};

}  // namespace GamePlay
