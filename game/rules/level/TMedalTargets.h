#pragma once

#include <cstdint>
#include <map>
#include <utility>

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

// The target score of each level and the scores of the two medals, read
// from "levels/scores.xml": Journey targets "L%02d%02d" (world, level), the
// levels of a world counted until the first missing one and the worlds
// until one has no level 1; Zen targets "Zen%02d" under world 0; and
// "SilverMedal", "GoldMedal".
class TMedalTargets {
 public:
  static constexpr const char* kFileName = "levels/scores.xml";

  // Reads the file; without it there are no targets and both medals are 0.
  TMedalTargets();

  // 0 when the level has no target.
  int32_t Find(const TLevelKey& key) const;
  // Silver, then gold.
  std::pair<int32_t, int32_t> GetMedals() const { return mMedals; }

 private:
  std::map<TLevelKey, int32_t> mTargets;
  std::pair<int32_t, int32_t> mMedals{0, 0};
};

}  // namespace GamePlay
