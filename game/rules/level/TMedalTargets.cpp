#include "game/rules/level/TMedalTargets.h"

#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"

namespace GamePlay {

namespace {

bool IsMissing(const TString& value) { return value == TStringTable::kMissing; }

// Reads the targets of one world, levels 1, 2, ... until one is missing;
// false when the world has no level 1.
bool ReadWorld(const TStringTable& table, uint32_t world, std::map<TLevelKey, int32_t>* targets) {
  uint32_t level = 1;
  for (;; ++level) {
    TString value = table.GetString(TString::Format("L%02u%02u", world, level));
    if (IsMissing(value)) break;
    (*targets)[{world, level}] = value.ToInt();
  }
  return level > 1;
}

void ReadZenLevels(const TStringTable& table, std::map<TLevelKey, int32_t>* targets) {
  for (uint32_t level = 1;; ++level) {
    TString value = table.GetString(TString::Format("Zen%02u", level));
    if (IsMissing(value)) return;
    (*targets)[{0, level}] = value.ToInt();
  }
}

}  // namespace

TMedalTargets::TMedalTargets() {
  TStringTable table;
  if (!table.Load(kFileName)) {
    LogPrintf("Cannot read the medal targets from %s", kFileName);
    return;
  }
  // Lists end at their first missing label: no log line for that.
  table.SetQuiet(true);
  for (uint32_t world = 1; ReadWorld(table, world, &mTargets); ++world) {
  }
  ReadZenLevels(table, &mTargets);
  table.SetQuiet(false);
  mMedals = {table.GetString("SilverMedal").ToInt(), table.GetString("GoldMedal").ToInt()};
}

int32_t TMedalTargets::Find(const TLevelKey& key) const {
  auto found = mTargets.find(key);
  return found == mTargets.end() ? 0 : found->second;
}

}  // namespace GamePlay
