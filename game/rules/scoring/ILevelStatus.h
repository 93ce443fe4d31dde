#pragma once

#include <cstdint>

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

// The player's standing as the game keeps it: the running total score that
// a level starts from, each level's target, and the result of a won level.
class ILevelStatus {
 public:
  virtual ~ILevelStatus() = default;

  virtual int32_t GetTotalScore() const = 0;
  // The level's target score; 0 when it has none.
  virtual int32_t GetTargetScore(const TLevelKey& level) const = 0;
  // A won level's score with its bonuses, and the total it makes.
  virtual void RecordLevelResult(int32_t levelScore, int32_t totalScore,
                                 const TLevelKey& level) = 0;
};

}  // namespace GamePlay
