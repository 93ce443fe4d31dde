#pragma once

#include <cstdint>

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

class IEndLevelAnimationView;
class ITimeController;
class ITowerModel;

// The record of the level just played, which the scoring model fills and the
// end-of-level windows show. One per process, held by the world data.
struct TLevelResult {
  TLevelKey level;
  int32_t activationCount = 0;  // cells set off by the tower
  int32_t matchCount = 0;
  int32_t levelScore = 0;  // before bonuses
  int32_t totalScore = 0;
  uint32_t elapsedMs = 0;
  int32_t secondsLeft = 0;
  uint32_t levelTimeMs = 0;
  int32_t timeBonus = 0;
  int32_t blockerBonus = 0;
  int32_t powerUpBonus = 0;
  bool expert = false;  // the expert target was reached in play
  ITimeController* timer = nullptr;
  IEndLevelAnimationView* endLevelAnimation = nullptr;
  ITowerModel* tower = nullptr;

  // Zeroes the counters and scores for a new level.
  void Clear();
};

}  // namespace GamePlay
