#pragma once

#include <cstdint>
#include <set>

#include "game/gui/progress/SavedProgress.h"
#include "game/rules/scoring/ILevelResultStore.h"

namespace GamePlay {

// The player's progress through the ten worlds of the Journey: per world the
// levels completed, kept in the current player's preferences; the world
// mapping ids; the level last played; and the record of the level just
// played. One per process, loaded when the scripts choose a player.
//
// World states: the world data itself reads only state 2 (every level done,
// which unlocks Zen mode); the scripts keep their own map state for a run and
// read none of these. 1 marks the world open, 3 a world whose level was just
// completed.
class TWorldData final : public ILevelResultStore {
 public:
  static constexpr uint32_t kOpen = 1;
  static constexpr uint32_t kAllDone = 2;
  static constexpr uint32_t kJustCompleted = 3;

  static TWorldData& Instance();

  // World 1 open, ids 1 to 10, no level played yet.
  TWorldData();

  TLevelResult& GetLevelResult() override { return mLevelResult; }

  // Reads the current player's progress; a missing or malformed entry gives
  // its default. With the string-table value "Cheat Mode" set, the player
  // names "BRAXULE" and "VORTELIAN" unlock worlds for testing.
  void LoadProgress();
  // Writes the current player's progress and saves the preferences; Zen mode
  // unlocks for the player once a world is done.
  void Save();
  // A won Journey level; with state 2 it joins the world's completed levels.
  // Saves. Levels outside the Journey are refused.
  void CompleteLevel(uint32_t world, uint32_t level, uint32_t state);
  // A lost Journey level. Saves.
  void SetLastPlayingLevel(uint32_t world, uint32_t level);

  const TWorldRecords& GetWorlds() const { return mWorlds; }
  const TMappingIds& GetMappingIds() const { return mMappingIds; }
  const TLevelKey& GetLastPlayingLevel() const { return mLastPlayingLevel; }
  // Empty for a world outside 1 to 10.
  std::set<uint32_t> GetCompletedLevels(uint32_t world) const;
  // A level not yet completed, at most one past the highest completed level
  // of its world. No level of a world outside 1 to 10 is open.
  bool IsLevelOpen(uint32_t world, uint32_t level) const;
  // The first open level in Journey order; (10, 5) when none is.
  TLevelKey FindNextLevel() const;
  // Worlds in state 2 with all five levels completed.
  uint32_t CountCompletedWorlds() const;

 private:
  void UnlockForTest();

  TWorldRecords mWorlds;
  TMappingIds mMappingIds;
  TLevelResult mLevelResult;
  TLevelKey mLastPlayingLevel;
};

}  // namespace GamePlay
