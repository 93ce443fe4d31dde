#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"

class TVqHiscores;
namespace GamePlay {
class TMedalTargets;
}  // namespace GamePlay

// The status of each Journey level, the running total score of the current
// mode and the result of the level just finished, kept in the current
// player's preferences and owned by the application object. The result is
// committed when the end-of-level table asks for it.
//
// Preferences: "AdvGameData" (the 64 status digits), "AdvTotalScore" and
// "ZenTotalScore" (the totals), "ZenLevelCount" and "ZenLevelTime" (the next
// Zen level open), and in the global section the furthest levels finished,
// "LatestJourneyWorldId", "LatestJourneyLevelId" and "LatestZenLevel".
class TLevelStatusTable {
 public:
  static constexpr size_t kDigitCount = 64;

  // What the level just finished left to be committed.
  struct TPendingResult {
    int32_t levelScore;
    int32_t totalScore;
    GamePlay::TLevelKey key;
  };

  // Neither is owned; both outlive the table.
  TLevelStatusTable(const GamePlay::TMedalTargets* medalTargets, TVqHiscores* hiscores);

  // Reads the digits and the total of the current mode from the preferences;
  // in Zen mode there are no digits.
  void Reload();
  // Reloads first.
  int32_t GetTotalScore();
  // -1 not played, 0 completed, 2 target score reached.
  int32_t GetLevelStatus(const GamePlay::TLevelKey& key) const;
  // The level's target score; 0 when it has none.
  int32_t GetExpertTarget(const GamePlay::TLevelKey& key) const;
  // Keeps the result, replacing one not yet committed, and sets a Journey
  // level's status from its score.
  void RecordLevelResult(int32_t levelScore, int32_t totalScore, const GamePlay::TLevelKey& key);
  const TPendingResult* GetPendingResult() const { return mPending.get(); }
  // Commits the pending result to the preferences and the local scores, tells
  // the host, and drops it; nothing happens without a pending result.
  void CommitPendingResult();

 private:
  void SetStatus(int32_t levelScore, const GamePlay::TLevelKey& key);
  void Commit(const TPendingResult& result);
  void CommitZenLevel(uint32_t level);
  void CommitFurthestLevel(const GamePlay::TLevelKey& key);
  void SaveResult();
  // The digits up to the first unset one, as the local score's game data.
  TString DigitText() const;

  TVqHiscores* mHiscores;
  const GamePlay::TMedalTargets* mMedalTargets;
  // '0' not played, '1' completed, '3' target score reached, NUL nothing
  // stored; at (world - 1) x 5 + (level - 1), the last 14 unused.
  std::array<char, kDigitCount> mDigits{};
  std::unique_ptr<TPendingResult> mPending;
  std::map<GamePlay::TLevelKey, uint8_t> mStatus;  // 0 not played, 1 completed, 3 target reached
  int32_t mTotalScore = 0;
};
