#pragma once

#include <cstdint>

#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class ITowerModel;

// Supplies the pieces that enter the tower, column by column: first the
// pieces of the level's start, then new ones as the tower asks.
class IRingGenerator {
 public:
  virtual ~IRingGenerator() = default;

  // Called once the tower exists; prepares the start-up pieces.
  virtual void SetTower(ITowerModel* tower) = 0;
  virtual uint32_t GetRingCount() = 0;
  // A count that no generator keeps: always -1.
  virtual int32_t GetThird() = 0;
  virtual uint32_t GetSlotCount() = 0;
  // The next piece for a slot column; one excluded from matching leaves the
  // cell vacant.
  virtual TPiecePtr NextPiece(int32_t column) = 0;
  // The tower removed one piece.
  virtual void CountDelivery() = 0;
};

}  // namespace GamePlay
