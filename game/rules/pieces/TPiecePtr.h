#pragma once

#include <cstdint>
#include <memory>
#include <utility>

namespace GamePlay {

class IPiece;
class IPieceView;
class IPowerUp;

// Pieces, their views and power-ups are shared between the tower, match groups,
// explosions and views.
using TPiecePtr = std::shared_ptr<IPiece>;
using TPieceViewPtr = std::shared_ptr<IPieceView>;
using TPowerUpPtr = std::shared_ptr<IPowerUp>;

// A pair of whole numbers a piece keeps for others: its jug mark, its offset.
using TIntPair = std::pair<int32_t, int32_t>;

}  // namespace GamePlay
