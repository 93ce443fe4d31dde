#pragma once

#include <cstdint>

#include "game/rules/tower/ITowerModel.h"

namespace GamePlay {

// Calls visit(ring, slot, piece) for every cell of the tower, ring by ring,
// slot by slot. The visit may replace the piece of the cell it is given.
template <class TVisit>
void ForEachCell(ITowerModel& tower, TVisit visit) {
  int32_t rings = static_cast<int32_t>(tower.GetRingCount());
  int32_t slots = static_cast<int32_t>(tower.GetSlotCount());
  for (int32_t ring = 0; ring < rings; ++ring) {
    for (int32_t slot = 0; slot < slots; ++slot) visit(ring, slot, tower.GetPiece(ring, slot));
  }
}

}  // namespace GamePlay
