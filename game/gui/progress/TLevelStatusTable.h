#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "game/rules/level/TLevelKey.h"

// The status of each Journey level, the running total score of the current
// mode and the result of the level just finished, owned by the application
// object.
class TLevelStatusTable {
 public:
  // What the level just finished left to be committed.
  struct TPendingResult {
    int32_t levelScore;
    int32_t totalScore;
    GamePlay::TLevelKey key;
  };

  int32_t GetTotalScore() const { return mTotalScore; }
  // -1 not played, 0 completed, 2 target score reached.
  int32_t GetLevelStatus(const GamePlay::TLevelKey& key) const;
  // The level's target score; 0 when it has none.
  int32_t GetExpertTarget(const GamePlay::TLevelKey& key) const;
  // Keeps the result, replacing one not yet committed, and sets a Journey
  // level's status from its score.
  void RecordLevelResult(int32_t levelScore, int32_t totalScore, const GamePlay::TLevelKey& key);
  const TPendingResult* GetPendingResult() const { return mPending.get(); }
  // The pending result's total becomes the running total; nothing happens
  // without a pending result.
  void CommitPendingResult();

 private:
  std::unique_ptr<TPendingResult> mPending;
  std::map<GamePlay::TLevelKey, uint8_t> mStatus;  // 1 completed, 3 target reached
  int32_t mTotalScore = 0;
};
