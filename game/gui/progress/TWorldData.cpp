#include "game/gui/progress/TWorldData.h"

#include "game/gui/main/TGameApp.h"
#include "platform/prefs/TPrefs.h"
#include "platform/text/Log.h"

namespace GamePlay {
namespace {

constexpr const char* kWorldDataEntry = "WorldData";
constexpr const char* kMappingIdsEntry = "WorldMappingIDs";
constexpr const char* kLastPlayingLevelEntry = "LastPlayingLevel";

TMappingIds DefaultMappingIds() {
  TMappingIds ids;
  for (uint32_t id = 1; id <= kJourneyWorlds; ++id) ids.push_back(id);
  return ids;
}

// The entry's bytes; empty when the store lacks it.
std::optional<TBytes> ReadEntry(TPrefs& prefs, int32_t player, const char* name) {
  int size = prefs.GetData(name, nullptr, 0, player);
  if (size < 0) return std::nullopt;
  TBytes bytes(static_cast<size_t>(size));
  if (size > 0 && prefs.GetData(name, bytes.data(), size, player) != 0) return std::nullopt;
  return bytes;
}

void WriteEntry(TPrefs& prefs, int32_t player, const char* name, const TBytes& bytes) {
  prefs.SetData(name, bytes.data(), static_cast<int>(bytes.size()), player, false);
}

TProgressEntries ReadEntries(TPrefs* prefs, int32_t player) {
  if (!prefs || player < 0) return {};
  return {ReadEntry(*prefs, player, kWorldDataEntry), ReadEntry(*prefs, player, kMappingIdsEntry),
          ReadEntry(*prefs, player, kLastPlayingLevelEntry)};
}

void CompleteWorld(TWorldRecord& world) {
  for (uint32_t level = 1; level <= kLevelsPerWorld; ++level) world.completed.insert(level);
  world.state = TWorldData::kAllDone;
}

}  // namespace

TWorldData& TWorldData::Instance() {
  static TWorldData worldData;
  return worldData;
}

TWorldData::TWorldData() : mMappingIds(DefaultMappingIds()) { mWorlds[0].state = kOpen; }

void TWorldData::LoadProgress() {
  TGameApp& app = TGameApp::Instance();
  TSavedProgress saved = ParseSavedProgress(ReadEntries(app.GetPrefs(), app.GetCurrentUser()));
  mWorlds = saved.records.value_or(TWorldRecords{});
  if (app.IsCheatMode()) UnlockForTest();
  mMappingIds = saved.mappingIds.value_or(DefaultMappingIds());
  mLastPlayingLevel = saved.lastPlayingLevel.value_or(FindNextLevel());
}

// Test players that skip the worlds a test needs done.
void TWorldData::UnlockForTest() {
  TString name = TGameApp::Instance().GetCurrentUserName();
  if (name == "BRAXULE") {
    for (TWorldRecord& world : mWorlds) CompleteWorld(world);
  } else if (name == "VORTELIAN") {
    CompleteWorld(mWorlds[0]);
    CompleteWorld(mWorlds[1]);
    TWorldRecord& third = mWorlds[2];
    third.completed = {1, 2, 3, 4, 5};
    third.previouslyCompleted = {1, 2, 3, 4};
    third.progress = 1.0f;
    third.lastCompleted = 5;
    third.state = kJustCompleted;
    for (size_t world = 3; world < kJourneyWorlds; ++world) mWorlds[world] = TWorldRecord{};
  }
}

void TWorldData::Save() {
  TGameApp& app = TGameApp::Instance();
  TPrefs* prefs = app.GetPrefs();
  int32_t player = app.GetCurrentUser();
  if (!prefs || player < 0) {
    LogPrintf("World data not saved: no current player");
    return;
  }
  WriteEntry(*prefs, player, kWorldDataEntry, WriteWorldData(mWorlds));
  WriteEntry(*prefs, player, kMappingIdsEntry, WriteMappingIds(mMappingIds));
  WriteEntry(*prefs, player, kLastPlayingLevelEntry, WriteLastPlayingLevel(mLastPlayingLevel));
  if (CountCompletedWorlds() != 0) prefs->SetInt("zenmodelocked", 0, player, false);
  prefs->Save();
}

void TWorldData::CompleteLevel(uint32_t world, uint32_t level, uint32_t state) {
  if (!IsJourneyLevel({world, level})) {
    LogPrintf("CompleteLevel: (%u, %u) is no Journey level", world, level);
    return;
  }
  TWorldRecord& record = mWorlds[world - 1];
  record.state = state;
  if (state == kAllDone) {
    record.state = kJustCompleted;
    record.progress = 1.0f;
    record.lastCompleted = level;
    record.previouslyCompleted = record.completed;
    record.completed.insert(level);
  }
  mLastPlayingLevel = {world, level};
  Save();
}

void TWorldData::SetLastPlayingLevel(uint32_t world, uint32_t level) {
  mLastPlayingLevel = {world, level};
  Save();
}

std::set<uint32_t> TWorldData::GetCompletedLevels(uint32_t world) const {
  if (world < 1 || world > kJourneyWorlds) return {};
  return mWorlds[world - 1].completed;
}

bool TWorldData::IsLevelOpen(uint32_t world, uint32_t level) const {
  if (world < 1 || world > kJourneyWorlds) return false;
  const std::set<uint32_t>& completed = mWorlds[world - 1].completed;
  uint32_t highest = completed.empty() ? 0 : *completed.rbegin();
  uint32_t reachable = std::min(highest + 1, kLevelsPerWorld);
  return level >= 1 && level <= reachable && !completed.contains(level);
}

TLevelKey TWorldData::FindNextLevel() const {
  for (uint32_t world = 1; world <= kJourneyWorlds; ++world) {
    for (uint32_t level = 1; level <= kLevelsPerWorld; ++level) {
      if (IsLevelOpen(world, level)) return {world, level};
    }
  }
  return {kJourneyWorlds, kLevelsPerWorld};
}

uint32_t TWorldData::CountCompletedWorlds() const {
  uint32_t count = 0;
  for (const TWorldRecord& world : mWorlds) {
    if (world.state == kAllDone && world.completed.size() == kLevelsPerWorld) ++count;
  }
  return count;
}

}  // namespace GamePlay
