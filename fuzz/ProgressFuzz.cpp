// Feeds arbitrary bytes to the reading of a player's stored progress: the
// entries "WorldData", "WorldMappingIDs" and "LastPlayingLevel" as the
// preference store hands them over. The input starts with three 16-bit
// little-endian sizes, one per entry in that order (0xFFFF: the entry is
// missing), followed by the entries' bytes; an entry runs short when the
// input does. What is read must hold only levels 1 to 5, at most 20 ids and a
// Journey level, and must write back to bytes that read the same.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>

#include "game/gui/progress/SavedProgress.h"

namespace {

using namespace GamePlay;

constexpr size_t kMaxInput = 1 << 14;
constexpr size_t kHeader = 6;
constexpr uint16_t kMissing = 0xFFFF;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The next entry of the input, or none when its size says it is missing.
std::optional<TBytes> NextEntry(const uint8_t* data, size_t size, size_t index, size_t* at) {
  uint16_t length = static_cast<uint16_t>(data[2 * index] | data[2 * index + 1] << 8);
  if (length == kMissing) return std::nullopt;
  size_t taken = std::min<size_t>(length, size - *at);
  TBytes bytes(data + *at, data + *at + taken);
  *at += taken;
  return bytes;
}

bool AreLevels(const std::set<uint32_t>& levels) {
  return levels.empty() || (*levels.begin() >= 1 && *levels.rbegin() <= kLevelsPerWorld);
}

void CheckRecords(const TWorldRecords& records) {
  for (const TWorldRecord& record : records) {
    Require(AreLevels(record.completed) && AreLevels(record.previouslyCompleted));
  }
  TBytes written = WriteWorldData(records);
  Require(written.size() == kWorldDataSize);
  TSavedProgress again = ParseSavedProgress({written, std::nullopt, std::nullopt});
  Require(again.records.has_value());
  // A float that is no number never equals itself: compare its bytes instead.
  Require(WriteWorldData(*again.records) == written);
}

void CheckMappingIds(const TMappingIds& ids) {
  Require(ids.size() <= kSlotCount);
  TSavedProgress again = ParseSavedProgress({std::nullopt, WriteMappingIds(ids), std::nullopt});
  Require(again.mappingIds == ids);
}

void CheckLastPlayingLevel(const TLevelKey& level) {
  Require(IsJourneyLevel(level));
  TSavedProgress again = ParseSavedProgress({std::nullopt, std::nullopt, WriteLastPlayingLevel(level)});
  Require(again.lastPlayingLevel == level);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeader || size > kMaxInput) return 0;
  size_t at = kHeader;
  TProgressEntries entries;
  entries.worldData = NextEntry(data, size, 0, &at);
  entries.mappingIds = NextEntry(data, size, 1, &at);
  entries.lastPlayingLevel = NextEntry(data, size, 2, &at);
  TSavedProgress saved = ParseSavedProgress(entries);
  Require(!saved.records || entries.worldData);
  if (saved.records) CheckRecords(*saved.records);
  if (saved.mappingIds) CheckMappingIds(*saved.mappingIds);
  if (saved.lastPlayingLevel) CheckLastPlayingLevel(*saved.lastPlayingLevel);
  return 0;
}
