#pragma once

#include <map>

#include "game/rules/scoring/IScoringSchemeModel.h"
#include "platform/text/TString.h"
#include "platform/xml/TStringTable.h"

namespace GamePlay {

// The points of the scoring events, read by name from "levels/scores.xml".
// Each value is looked up in the table once and then kept; a missing one
// counts 0. Combo and side matches are keyed "C%d_M%d" and "S%d_M%d" with
// the combo count first, matches above 5 pieces counting as 5 and combos
// above 12 as 12.
class TScoringScheme final : public IScoringSchemeModel {
 public:
  static constexpr const char* kFileName = "levels/scores.xml";
  static constexpr int32_t kLargestMatch = 5;
  static constexpr int32_t kLongestCombo = 12;

  // Reads the file; without it every value is 0.
  TScoringScheme();

  int32_t GetSinglePiece() override { return ReadInt("Single Piece"); }
  int32_t GetLockExplode() override { return ReadInt("Lock Explode"); }
  int32_t GetGearExplode() override { return ReadInt("Gear Explode"); }
  int32_t GetPieceBombBonus(bool accepted) override;
  int32_t GetBlockerExplode() override { return ReadInt("Blocker Explode"); }
  int32_t GetComboMatch(int32_t m, int32_t c) override;
  int32_t GetSideMatch(int32_t m, int32_t c) override;
  int32_t GetPowerUp() override { return ReadInt("Power Up"); }
  int32_t GetPowerUpBonus() override { return ReadInt("Power Up Bonus"); }
  float GetTimeBonus() override { return Read("Time Bonus").ToFloat(); }

 private:
  const TString& Read(const TString& key);
  int32_t ReadInt(const TString& key) { return Read(key).ToInt(); }
  int32_t ReadMatch(const char* format, int32_t m, int32_t c);

  TStringTable mTable;
  std::map<TString, TString> mCache;
};

}  // namespace GamePlay
