#pragma once

#include "game/rules/scoring/TLevelResult.h"

namespace GamePlay {

// The player's progress through the worlds, and the record of the level just
// played. One per process.
class TWorldData {
 public:
  static TWorldData& Instance();

  TLevelResult& GetLevelResult() { return mLevelResult; }

 private:
  TWorldData() = default;

  TLevelResult mLevelResult;
};

}  // namespace GamePlay
