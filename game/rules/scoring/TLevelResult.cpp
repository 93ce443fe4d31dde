#include "game/rules/scoring/TLevelResult.h"

namespace GamePlay {

void TLevelResult::Clear() {
  activationCount = 0;
  matchCount = 0;
  levelScore = 0;
  totalScore = 0;
  elapsedMs = 0;
  secondsLeft = 0;
  levelTimeMs = 0;
  timeBonus = 0;
  blockerBonus = 0;
  powerUpBonus = 0;
  expert = false;
}

}  // namespace GamePlay
