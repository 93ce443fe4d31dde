// Feeds arbitrary bytes to the power-up tables as "levels/powerup.xml": the
// power-ups that matches and combos earn and the jug energy of each match
// size. Every kind read must be one of the four the file can name, or none.
#include <cstdint>
#include <cstdlib>

#include "game/rules/powerups/PowerUpTableFile.h"
#include "tests/support/FuzzFileLayer.h"

namespace {

bool IsKind(int32_t kind) { return kind >= 0 && kind <= 4; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzAsset("levels/powerup.xml", FuzzText(data, size));
  GamePlay::TPowerUpTables tables = GamePlay::LoadPowerUpTables();
  for (const auto& [key, kind] : tables.match) {
    if (!IsKind(kind) || key.first < 1 || key.second < 3) abort();
  }
  for (const auto& [n, kind] : tables.combo) {
    if (!IsKind(kind) || n < 1) abort();
  }
  for (const auto& entry : tables.energyScale) {
    if (entry.first < 3) abort();
  }
  return 0;
}
