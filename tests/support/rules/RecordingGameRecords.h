#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/rules/level/IPlayMode.h"
#include "game/rules/level/TGameRecords.h"
#include "game/rules/scoring/ILevelResultStore.h"
#include "game/rules/scoring/ILevelStatus.h"
#include "game/rules/scoring/IMetricsRecorder.h"

// The game's records as the rules' tests hand them down. It counts what the
// metrics are told, writes down the calls of the metrics clock and the level
// results recorded, holds the level result, and answers the total score,
// targets and play flags that a test sets. The flags start as the game sets
// them at its start: count mode on, tutorials neither played nor skipped.
class RecordingGameRecords final : public GamePlay::IMetricsRecorder,
                                   public GamePlay::ILevelResultStore,
                                   public GamePlay::ILevelStatus,
                                   public GamePlay::IPlayMode {
 public:
  struct RecordedResult {
    int32_t levelScore;
    int32_t totalScore;
    GamePlay::TLevelKey level;

    bool operator==(const RecordedResult&) const = default;
  };

  // Every record, this object.
  GamePlay::TGameRecords Records() { return {this, this, this, this}; }

  void PauseClock() override { clockCalls.push_back("PauseClock"); }
  void ResumeClock() override { clockCalls.push_back("ResumeClock"); }
  void CountRingTurn() override { ++ringTurns; }
  void CountPowerUpTriggered() override { ++powerUpsTriggered; }
  void CountPowerUpClicked() override { ++powerUpsClicked; }
  void CountBlockerBroken() override { ++blockersBroken; }
  void CountLockBroken() override { ++locksBroken; }
  void CountGearBroken() override { ++gearsBroken; }
  void CountBlockerOrGearShown() override { ++blockersAndGearsShown; }
  void CountLockShown() override { ++locksShown; }

  GamePlay::TLevelResult& GetLevelResult() override { return levelResult; }

  int32_t GetTotalScore() const override { return totalScore; }
  int32_t GetTargetScore(const GamePlay::TLevelKey& level) const override {
    auto found = targets.find(level);
    return found == targets.end() ? 0 : found->second;
  }
  void RecordLevelResult(int32_t levelScore, int32_t total,
                         const GamePlay::TLevelKey& level) override {
    recorded.push_back({levelScore, total, level});
  }

  bool IsCountMode() const override { return countMode; }
  bool IsTutorialMode() const override { return tutorialMode; }
  bool IsTutorialSeen(const GamePlay::TLevelKey&) const override { return tutorialsSeen; }

  uint32_t ringTurns = 0;
  uint32_t powerUpsTriggered = 0;
  uint32_t powerUpsClicked = 0;
  uint32_t blockersBroken = 0;
  uint32_t locksBroken = 0;
  uint32_t gearsBroken = 0;
  uint32_t blockersAndGearsShown = 0;
  uint32_t locksShown = 0;
  std::vector<std::string> clockCalls;  // "PauseClock", "ResumeClock"

  GamePlay::TLevelResult levelResult;

  int32_t totalScore = 0;
  std::map<GamePlay::TLevelKey, int32_t> targets;
  std::vector<RecordedResult> recorded;

  bool countMode = true;
  bool tutorialMode = false;
  bool tutorialsSeen = false;
};
