#include "game/rules/powerups/PowerUpTableFile.h"

#include <optional>

#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"

namespace GamePlay {

namespace {

constexpr const char* kFileName = "levels/powerup.xml";
constexpr int32_t kSmallestTabledMatch = 3;

// The file's table, quiet: the tables end at their first missing key.
TStringTable ReadFile() {
  TStringTable table;
  table.SetQuiet(true);
  if (!table.Load(kFileName)) LogPrintf("Cannot read the power-up tables from %s", kFileName);
  return table;
}

std::optional<TString> Read(const TStringTable& table, const TString& key) {
  TString value = table.GetString(key);
  if (value == TStringTable::kMissing) return std::nullopt;
  return value;
}

// Table cells hold numbers that the file gives to kinds.
class TKindNumbers {
 public:
  explicit TKindNumbers(const TStringTable& table) {
    const char* keys[] = {"Tiny Bomb Number", "Time Bomb Number", "Big Bomb Number",
                          "Install Jewel Number"};
    for (int32_t kind = 1; kind <= 4; ++kind) {
      if (auto number = Read(table, keys[kind - 1])) mKinds.emplace(number->ToInt(), kind);
    }
  }

  int32_t KindOf(const TString& cell) const {
    auto found = mKinds.find(cell.ToInt());
    return found == mKinds.end() ? 0 : found->second;
  }

 private:
  std::map<int32_t, int32_t> mKinds;
};

std::map<std::pair<int32_t, int32_t>, int32_t> ReadMatchTable(const TStringTable& table) {
  TKindNumbers kinds(table);
  std::map<std::pair<int32_t, int32_t>, int32_t> match;
  for (int32_t n = 1;; ++n) {
    int32_t m = kSmallestTabledMatch;
    while (auto cell = Read(table, TString::Format("FC0%d Match%d", n, m))) {
      match[{n, m}] = kinds.KindOf(*cell);
      ++m;
    }
    if (m == kSmallestTabledMatch) return match;
  }
}

std::map<int32_t, int32_t> ReadComboTable(const TStringTable& table) {
  TKindNumbers kinds(table);
  std::map<int32_t, int32_t> combo;
  for (int32_t n = 1; auto cell = Read(table, TString::Format("Combo %d", n)); ++n) {
    combo[n] = kinds.KindOf(*cell);
  }
  return combo;
}

std::map<int32_t, float> ReadEnergyScaleTable(const TStringTable& table) {
  std::map<int32_t, float> scale;
  for (int32_t m = kSmallestTabledMatch;
       auto value = Read(table, TString::Format("Energy Scale Match%d", m)); ++m) {
    scale[m] = value->ToFloat();
  }
  return scale;
}

}  // namespace

std::map<std::pair<int32_t, int32_t>, int32_t> LoadPowerUpMatchTable() {
  return ReadMatchTable(ReadFile());
}

std::map<int32_t, int32_t> LoadPowerUpComboTable() { return ReadComboTable(ReadFile()); }

std::map<int32_t, float> LoadEnergyScaleTable() { return ReadEnergyScaleTable(ReadFile()); }

TPowerUpTables LoadPowerUpTables() {
  TStringTable table = ReadFile();
  return TPowerUpTables{ReadMatchTable(table), ReadComboTable(table), ReadEnergyScaleTable(table)};
}

}  // namespace GamePlay
