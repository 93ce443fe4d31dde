#pragma once

#include "game/rules/scoring/TLevelResult.h"

namespace GamePlay {

// Where the game keeps the record of the level being played, which the
// rules fill and the end-of-level windows show.
class ILevelResultStore {
 public:
  virtual ~ILevelResultStore() = default;

  virtual TLevelResult& GetLevelResult() = 0;
};

}  // namespace GamePlay
