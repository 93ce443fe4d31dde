#include "game/rules/level/TLevelSettings.h"

#include <algorithm>

#include "game/rules/level/IPlayMode.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"

namespace GamePlay {

namespace {

TString TutorialFileName(const TLevelKey& key) {
  return TString::Format("tutorials/tutorial%02u%02u.xml", key.world, key.level);
}

// '9' is the jug of any colour, '1' to '6' the colours 0 to 5; '0', any
// other character and a missing one mean no jug.
int32_t PieJugColour(char c) {
  if (c == '9') return TLevelSettings::kAnyColourJug;
  if (c >= '0' && c <= '8') return c - '0' - 1;
  return -1;
}

}  // namespace

std::unique_ptr<TLevelSettings> TLevelSettings::Load(const TLevelKey& key, const TString& fileName,
                                                     bool tutorial) {
  std::unique_ptr<TLevelSettings> settings(new TLevelSettings(key, fileName, tutorial));
  if (!settings->mTable.Load(fileName)) {
    LogPrintf("Cannot read the level file %s", fileName.CStr());
    return nullptr;
  }
  if (!settings->SettleOnDefinedLevel()) {
    LogPrintf("No level up to %u in %s has Max Rings set", key.level, fileName.CStr());
    return nullptr;
  }
  if (settings->ReadInt("Max Rings") > kMostRings) {
    LogPrintf("Level %u in %s has more than %d rings; it gets %d", settings->GetLevel(),
              fileName.CStr(), kMostRings, kMostRings);
  }
  return settings;
}

TLevelSettings::TLevelSettings(const TLevelKey& key, const TString& fileName, bool tutorial)
    : mFileName(fileName), mKey(key), mTutorial(tutorial) {}

bool TLevelSettings::SettleOnDefinedLevel() {
  // Levels the file leaves out are expected here, not worth a log line each.
  mTable.SetQuiet(true);
  mKey.level = std::min(mKey.level, kHighestLevel);
  while (mKey.level >= 1 && GetMaxRings() < 1) --mKey.level;
  mTable.SetQuiet(false);
  return mKey.level >= 1;
}

TString TLevelSettings::Read(const char* name) const {
  return mTable.GetString(TString::Format("Lvl%02u %s", mKey.level, name));
}

TString TLevelSettings::GetBlockerRow(int n) const {
  return Read(TString::Format("Blocker Row %02d", n).CStr());
}

std::vector<int32_t> TLevelSettings::GetPieJugs() const {
  TString text = Read("Pie Jugs");
  std::vector<int32_t> jugs(kPieJugCount, -1);
  for (int slot = 0; slot < kPieJugCount && slot < text.Length(); ++slot) {
    jugs[slot] = PieJugColour(text.CharAt(slot));
  }
  return jugs;
}

std::map<int32_t, float> TLevelSettings::GetBlockerEnergyRatios() const {
  return {{0, ReadFloat("Blocker Bomb Energy Ratio")},
          {3, ReadFloat("Blocker Energy Ratio")},
          {4, ReadFloat("Blocker Energy Ratio 4")},
          {5, ReadFloat("Blocker Energy Ratio 5")}};
}

bool HasTutorialSettings(const TLevelKey& key, const IPlayMode& mode) {
  if (mode.IsTutorialMode()) return true;
  if (mode.IsTutorialSeen(key)) return false;
  return FileExists(TutorialFileName(key));
}

std::unique_ptr<TLevelSettings> CreateLevelSettings(const TLevelKey& key, const IPlayMode& mode) {
  if (key.world == 0) return TLevelSettings::Load(key, "levels/zen.xml", false);
  if (HasTutorialSettings(key, mode)) return TLevelSettings::Load(key, TutorialFileName(key), true);
  return TLevelSettings::Load(key, TString::Format("levels/world%02u.xml", key.world), false);
}

}  // namespace GamePlay
