#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <vector>

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

constexpr uint32_t kJourneyWorlds = 10;
constexpr uint32_t kLevelsPerWorld = 5;

// Whether the level is one of the fifty Journey levels.
bool IsJourneyLevel(const TLevelKey& level);

// One world of the Journey as the player left it.
struct TWorldRecord {
  // 0 default, 1 open, 2 all done, 3 a level was just completed.
  uint32_t state = 0;
  float progress = 0.0f;
  std::set<uint32_t> completed;
  // The completed set as it was before the latest completion.
  std::set<uint32_t> previouslyCompleted;
  uint32_t lastCompleted = 0;
  // Kept as it was read.
  int32_t spare = -1;

  bool operator==(const TWorldRecord&) const = default;
};

using TWorldRecords = std::array<TWorldRecord, kJourneyWorlds>;
using TMappingIds = std::deque<uint32_t>;
using TBytes = std::vector<uint8_t>;

// The player's stored progress entries, byte for byte, all numbers
// little-endian: "WorldData" (ten records of 184 bytes, each set a count and
// 20 slots), "WorldMappingIDs" (a count and 20 slots) and "LastPlayingLevel"
// (world and level). Slots past a count are written as zeros.
constexpr size_t kWorldRecordSize = 184;
constexpr size_t kWorldDataSize = kWorldRecordSize * kJourneyWorlds;
constexpr size_t kMappingIdsSize = 84;
constexpr size_t kLastPlayingLevelSize = 8;
constexpr uint32_t kSlotCount = 20;

TBytes WriteWorldData(const TWorldRecords& records);
TBytes WriteMappingIds(const TMappingIds& ids);
TBytes WriteLastPlayingLevel(const TLevelKey& level);

// The three entries as read from the store; an entry the store lacks is
// empty here.
struct TProgressEntries {
  std::optional<TBytes> worldData;
  std::optional<TBytes> mappingIds;
  std::optional<TBytes> lastPlayingLevel;
};

// What the entries hold; an entry that is missing or malformed (a wrong size,
// a count above 20, a level outside 1 to 5 in a set, a last playing level
// outside the Journey) is empty here, each malformed one with a log line.
struct TSavedProgress {
  std::optional<TWorldRecords> records;
  std::optional<TMappingIds> mappingIds;
  std::optional<TLevelKey> lastPlayingLevel;
};

TSavedProgress ParseSavedProgress(const TProgressEntries& entries);

}  // namespace GamePlay
