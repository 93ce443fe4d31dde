#include "game/gui/progress/TLevelStatusTable.h"

namespace {

constexpr uint8_t kCompleted = 1;
constexpr uint8_t kTargetReached = 3;

}  // namespace

int32_t TLevelStatusTable::GetLevelStatus(const GamePlay::TLevelKey& key) const {
  auto found = mStatus.find(key);
  return (found == mStatus.end() ? 0 : found->second) - 1;
}

// No medal-target table is held yet, so every level counts as having no target.
int32_t TLevelStatusTable::GetExpertTarget(const GamePlay::TLevelKey&) const { return 0; }

void TLevelStatusTable::RecordLevelResult(int32_t levelScore, int32_t totalScore,
                                          const GamePlay::TLevelKey& key) {
  mPending = std::make_unique<TPendingResult>(TPendingResult{levelScore, totalScore, key});
  if (key.world == 0) return;  // Zen levels have no status
  mStatus[key] = GetExpertTarget(key) > levelScore ? kCompleted : kTargetReached;
}

void TLevelStatusTable::CommitPendingResult() {
  if (!mPending) return;
  mTotalScore = mPending->totalScore;
  mPending.reset();
}
