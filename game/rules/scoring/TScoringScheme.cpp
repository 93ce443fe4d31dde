#include "game/rules/scoring/TScoringScheme.h"

#include <algorithm>

#include "platform/text/Log.h"

namespace GamePlay {

TScoringScheme::TScoringScheme() {
  if (!mTable.Load(kFileName)) LogPrintf("Cannot read the scoring scheme from %s", kFileName);
}

int32_t TScoringScheme::GetPieceBombBonus(bool accepted) {
  return ReadInt(accepted ? "Accepted Piece Bomb Bonus" : "Piece Bomb Bonus");
}

int32_t TScoringScheme::GetComboMatch(int32_t m, int32_t c) { return ReadMatch("C%d_M%d", m, c); }

int32_t TScoringScheme::GetSideMatch(int32_t m, int32_t c) { return ReadMatch("S%d_M%d", m, c); }

int32_t TScoringScheme::ReadMatch(const char* format, int32_t m, int32_t c) {
  return ReadInt(TString::Format(format, std::min(c, kLongestCombo), std::min(m, kLargestMatch)));
}

// A missing key is kept as "#####" too, so it is looked up (and logged) once.
const TString& TScoringScheme::Read(const TString& key) {
  auto found = mCache.find(key);
  if (found == mCache.end()) found = mCache.emplace(key, mTable.GetString(key)).first;
  return found->second;
}

}  // namespace GamePlay
