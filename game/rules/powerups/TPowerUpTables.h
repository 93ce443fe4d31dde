#pragma once

#include <cstdint>
#include <map>
#include <utility>

namespace GamePlay {

// The tables of "levels/powerup.xml" that the scoring model works with.
struct TPowerUpTables {
  // (table index n, match size m) -> power-up kind.
  std::map<std::pair<int32_t, int32_t>, int32_t> match;
  // Combo n -> power-up kind.
  std::map<int32_t, int32_t> combo;
  // Match size -> jug energy of a match of that size.
  std::map<int32_t, float> energyScale;
};

}  // namespace GamePlay
