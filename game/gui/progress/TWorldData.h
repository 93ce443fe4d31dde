#pragma once

#include "game/rules/scoring/ILevelResultStore.h"

namespace GamePlay {

// The player's progress through the worlds, and the record of the level just
// played. One per process.
class TWorldData final : public ILevelResultStore {
 public:
  static TWorldData& Instance();

  TLevelResult& GetLevelResult() override { return mLevelResult; }

 private:
  TWorldData() = default;

  TLevelResult mLevelResult;
};

}  // namespace GamePlay
