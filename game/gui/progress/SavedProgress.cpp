#include "game/gui/progress/SavedProgress.h"

#include <bit>
#include <span>

#include "platform/text/Log.h"

namespace GamePlay {
namespace {

using TByteSpan = std::span<const uint8_t>;

void PutWord(TBytes& bytes, size_t offset, uint32_t word) {
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(word >> (8 * i));
}

uint32_t GetWord(TByteSpan bytes, size_t offset) {
  uint32_t word = 0;
  for (size_t i = 0; i < 4; ++i) word |= uint32_t{bytes[offset + i]} << (8 * i);
  return word;
}

// A count, then 20 slots of which the first count hold the values.
template <typename Values>
void PutCounted(TBytes& bytes, size_t offset, const Values& values) {
  uint32_t count = 0;
  for (uint32_t value : values) {
    if (count == kSlotCount) break;
    PutWord(bytes, offset + 4 + 4 * count++, value);
  }
  PutWord(bytes, offset, count);
}

// The counted values; false when the count exceeds the slots.
template <typename Values>
bool GetCounted(TByteSpan bytes, size_t offset, Values* values) {
  uint32_t count = GetWord(bytes, offset);
  if (count > kSlotCount) return false;
  for (uint32_t slot = 0; slot < count; ++slot) values->insert(values->end(), GetWord(bytes, offset + 4 + 4 * slot));
  return true;
}

bool AreLevels(const std::set<uint32_t>& levels) {
  return levels.empty() || (*levels.begin() >= 1 && *levels.rbegin() <= kLevelsPerWorld);
}

// Field offsets within a stored world record.
constexpr size_t kState = 0;
constexpr size_t kProgress = 4;
constexpr size_t kCompleted = 8;
constexpr size_t kPreviouslyCompleted = 92;
constexpr size_t kLastCompleted = 176;
constexpr size_t kSpare = 180;

void PutRecord(TBytes& bytes, size_t offset, const TWorldRecord& record) {
  PutWord(bytes, offset + kState, record.state);
  PutWord(bytes, offset + kProgress, std::bit_cast<uint32_t>(record.progress));
  PutCounted(bytes, offset + kCompleted, record.completed);
  PutCounted(bytes, offset + kPreviouslyCompleted, record.previouslyCompleted);
  PutWord(bytes, offset + kLastCompleted, record.lastCompleted);
  PutWord(bytes, offset + kSpare, static_cast<uint32_t>(record.spare));
}

bool GetRecord(TByteSpan bytes, TWorldRecord* record) {
  record->state = GetWord(bytes, kState);
  record->progress = std::bit_cast<float>(GetWord(bytes, kProgress));
  if (!GetCounted(bytes, kCompleted, &record->completed) ||
      !GetCounted(bytes, kPreviouslyCompleted, &record->previouslyCompleted)) {
    return false;
  }
  record->lastCompleted = GetWord(bytes, kLastCompleted);
  record->spare = static_cast<int32_t>(GetWord(bytes, kSpare));
  return AreLevels(record->completed) && AreLevels(record->previouslyCompleted);
}

bool HasSize(const TBytes& bytes, size_t size, const char* name) {
  if (bytes.size() == size) return true;
  LogPrintf("Saved progress: \"%s\" holds %zu bytes instead of %zu; ignored", name, bytes.size(), size);
  return false;
}

std::optional<TWorldRecords> ParseWorldData(const TBytes& bytes) {
  if (!HasSize(bytes, kWorldDataSize, "WorldData")) return std::nullopt;
  TWorldRecords records;
  for (size_t world = 0; world < kJourneyWorlds; ++world) {
    if (!GetRecord(TByteSpan(bytes).subspan(world * kWorldRecordSize, kWorldRecordSize), &records[world])) {
      LogPrintf("Saved progress: \"WorldData\" of world %zu holds a bad level set; ignored", world + 1);
      return std::nullopt;
    }
  }
  return records;
}

std::optional<TMappingIds> ParseMappingIds(const TBytes& bytes) {
  if (!HasSize(bytes, kMappingIdsSize, "WorldMappingIDs")) return std::nullopt;
  TMappingIds ids;
  if (GetCounted(bytes, 0, &ids)) return ids;
  LogPrintf("Saved progress: \"WorldMappingIDs\" counts %u ids; ignored", GetWord(bytes, 0));
  return std::nullopt;
}

std::optional<TLevelKey> ParseLastPlayingLevel(const TBytes& bytes) {
  if (!HasSize(bytes, kLastPlayingLevelSize, "LastPlayingLevel")) return std::nullopt;
  TLevelKey level{GetWord(bytes, 0), GetWord(bytes, 4)};
  if (IsJourneyLevel(level)) return level;
  LogPrintf("Saved progress: \"LastPlayingLevel\" (%u, %u) lies outside the Journey; ignored", level.world,
            level.level);
  return std::nullopt;
}

template <typename Value>
std::optional<Value> ParseEntry(const std::optional<TBytes>& entry,
                                std::optional<Value> (*parse)(const TBytes&)) {
  return entry ? parse(*entry) : std::nullopt;
}

}  // namespace

bool IsJourneyLevel(const TLevelKey& level) {
  return level.world >= 1 && level.world <= kJourneyWorlds && level.level >= 1 && level.level <= kLevelsPerWorld;
}

TBytes WriteWorldData(const TWorldRecords& records) {
  TBytes bytes(kWorldDataSize, 0);
  for (size_t world = 0; world < kJourneyWorlds; ++world) PutRecord(bytes, world * kWorldRecordSize, records[world]);
  return bytes;
}

TBytes WriteMappingIds(const TMappingIds& ids) {
  TBytes bytes(kMappingIdsSize, 0);
  PutCounted(bytes, 0, ids);
  return bytes;
}

TBytes WriteLastPlayingLevel(const TLevelKey& level) {
  TBytes bytes(kLastPlayingLevelSize, 0);
  PutWord(bytes, 0, level.world);
  PutWord(bytes, 4, level.level);
  return bytes;
}

TSavedProgress ParseSavedProgress(const TProgressEntries& entries) {
  return {ParseEntry(entries.worldData, ParseWorldData), ParseEntry(entries.mappingIds, ParseMappingIds),
          ParseEntry(entries.lastPlayingLevel, ParseLastPlayingLevel)};
}

}  // namespace GamePlay
