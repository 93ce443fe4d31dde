#pragma once

#include <string>

#include "online/HiscoreRecords.h"
#include "online/THiscoreImpl.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/text/TString.h"

// What the hiscore tests, the score file's fuzzing seeds and the benchmarks
// share: the key, and score files filled as the tests fill them.

// Base64 of "KeyOfTheGame".
inline constexpr char kHiscoreTestKey[] = "S2V5T2ZUaGVHYW1l";

// While it lives, the setting "encryptionkey" reads as the given key and
// every other setting as empty.
class HiscoreKeySetting {
 public:
  explicit HiscoreKeySetting(const char* key = kHiscoreTestKey) {
    Key() = key;
    SetSettingsReader(Read);
  }
  ~HiscoreKeySetting() { SetSettingsReader(nullptr); }
  HiscoreKeySetting(const HiscoreKeySetting&) = delete;
  HiscoreKeySetting& operator=(const HiscoreKeySetting&) = delete;

 private:
  static std::string& Key() {
    static std::string key;
    return key;
  }
  static TString Read(const TString& name) { return name == "encryptionkey" ? TString(Key().c_str()) : ""; }
};

inline THiscoreRecord HiscoreRow(int32_t rank, int32_t score, const char* player, const char* guid) {
  THiscoreRecord record;
  record.rank = rank;
  record.score = score;
  record.playerName = player;
  record.guid = guid;
  return record;
}

// Two remembered accounts and two lists whose rows hold every optional
// attribute, none of them, and texts that need escaping.
inline void FillSampleHiscores(THiscoreImpl* hiscores) {
  hiscores->accounts["Ann"] = {"Ann", "ann_online", "se<cr>et"};
  hiscores->accounts["Bob & Co"] = {"Bob & Co", "", ""};
  THiscoreList& adventure = hiscores->localLists["quorvane_gamemode_adv"];
  adventure.name = "quorvane_gamemode_adv";
  THiscoreRecord full = HiscoreRow(1, 9000, "Ann", "0123456789abcdef0123456789abcdef");
  full.gameData = "3132\"33";
  full.serverData = "<medal name=\"x\"/>";
  full.version = "1.0.7";
  full.submitted = true;
  adventure.records = {full, HiscoreRow(2, 500, "", ""),
                       HiscoreRow(3, -40, "Bob & Co", "ffffffff000000001111111122222222")};
  THiscoreList& zen = hiscores->localLists["quorvane_gamemode_zen"];
  zen.name = "quorvane_gamemode_zen";
  zen.records = {HiscoreRow(1, 2147483647, "Ann", "aaaaaaaabbbbbbbbccccccccdddddddd")};
}

// Full lists of 500 under "mode0" to "mode<lists-1>" and accounts for
// "Player 0" on.
inline void FillFullHiscores(THiscoreImpl* hiscores, int lists, int accounts) {
  for (int list = 0; list < lists; ++list) {
    TString mode = TString::Format("mode%d", list);
    THiscoreList& kept = hiscores->localLists[mode];
    kept.name = mode;
    for (int i = 0; i < static_cast<int>(THiscoreList::kMaxRecords); ++i) {
      THiscoreRecord record =
          HiscoreRow(i + 1, 100000 - i * 7, "Player name", "0123456789abcdef0123456789abcdef");
      record.gameData = "31323334353";
      record.version = "1.0.0";
      kept.records.push_back(record);
    }
  }
  for (int account = 0; account < accounts; ++account) {
    TString player = TString::Format("Player %d", account);
    hiscores->accounts[player] = {player, TString::Format("online%d", account), "password"};
  }
}
