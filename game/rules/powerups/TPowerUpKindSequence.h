#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

// The power-up kinds a level hands out, in turn, for matches of five or
// more: the second section of the level's piece table, after its first ':'.
// There 'x' is kind 1, 'X' kind 3, 'C' kind 5, 'c' kind 6 and 'R' kind 7;
// every other character is left out.
class TPowerUpKindSequence {
 public:
  // What an empty sequence hands out.
  static constexpr int32_t kDefaultKind = 1;

  TPowerUpKindSequence() = default;
  explicit TPowerUpKindSequence(std::string_view pieceTable);

  // Reads the level's piece table; a level without one has an empty sequence.
  static TPowerUpKindSequence Load(const TLevelKey& key, bool tutorial);

  // The next kind, the sequence starting over at its end.
  int32_t NextKind();
  const std::vector<int32_t>& GetKinds() const { return mKinds; }

 private:
  std::vector<int32_t> mKinds;
  uint32_t mDraws = 0;
};

}  // namespace GamePlay
