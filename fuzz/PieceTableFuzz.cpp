// Feeds arbitrary bytes to the readers of a level's piece table file: the
// colour sequences that the ring generator deals and the power-up kinds that
// the scoring model hands out. Every column with entries is dealt round
// twice; every entry must be a digit's code and every kind one of the five
// the file can name.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "game/rules/level/PieceTableFile.h"
#include "game/rules/level/TPieceTable.h"
#include "game/rules/powerups/TPowerUpKindSequence.h"
#include "tests/support/FuzzFileLayer.h"

namespace {

using namespace GamePlay;

constexpr uint32_t kSlots = 12;
constexpr TLevelKey kLevel{1, 1};

void DealEveryColumn(TPieceTable& table) {
  for (int32_t column = 0; column < static_cast<int32_t>(kSlots); ++column) {
    if (!table.HasEntries(column)) continue;
    size_t draws = 2 * table.GetEntries(column).size();
    for (size_t draw = 0; draw < draws; ++draw) {
      if (table.NextPiece(column).entry.code > 9) abort();
    }
  }
}

void HandOutEveryKind(TPowerUpKindSequence& kinds) {
  for (size_t draw = 0; draw <= 2 * kinds.GetKinds().size(); ++draw) {
    switch (kinds.NextKind()) {
      case 1: case 3: case 5: case 6: case 7: break;
      default: abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzAsset(PieceTableFileName(kLevel, false).CStr(), FuzzText(data, size));
  if (std::unique_ptr<TPieceTable> table = TPieceTable::Load(kLevel, false, kSlots)) {
    DealEveryColumn(*table);
  }
  TPowerUpKindSequence kinds = TPowerUpKindSequence::Load(kLevel, false);
  HandOutEveryKind(kinds);
  return 0;
}
