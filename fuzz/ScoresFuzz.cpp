// Feeds arbitrary bytes to the readers of "levels/scores.xml": the scoring
// scheme, asked for every value and every combo and side match up to and
// past its limits, and the medal targets, asked for every level they hold.
#include <cstdint>
#include <cstdlib>

#include "game/rules/level/TMedalTargets.h"
#include "game/rules/scoring/TScoringScheme.h"
#include "tests/support/FuzzFileLayer.h"

namespace {

using namespace GamePlay;

void AskEveryValue(TScoringScheme& scheme) {
  scheme.GetSinglePiece();
  scheme.GetLockExplode();
  scheme.GetGearExplode();
  scheme.GetPieceBombBonus(true);
  scheme.GetPieceBombBonus(false);
  scheme.GetBlockerExplode();
  scheme.GetPowerUp();
  scheme.GetPowerUpBonus();
  scheme.GetTimeBonus();
  for (int32_t m = 0; m <= TScoringScheme::kLargestMatch + 1; ++m) {
    for (int32_t c = 0; c <= TScoringScheme::kLongestCombo + 1; ++c) {
      scheme.GetComboMatch(m, c);
      scheme.GetSideMatch(m, c);
    }
  }
}

void AskEveryTarget(const TMedalTargets& targets) {
  for (uint32_t world = 0; world <= 11; ++world) {
    for (uint32_t level = 0; level <= 100; ++level) targets.Find({world, level});
  }
  targets.GetMedals();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzAsset(TScoringScheme::kFileName, FuzzText(data, size));
  TScoringScheme scheme;
  AskEveryValue(scheme);
  AskEveryValue(scheme);  // the second time from the cache
  AskEveryTarget(TMedalTargets());
  return 0;
}
