#pragma once

#include <cstdint>

#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IPieceViewFactory;
class ITowerModel;

// Makes the pieces of a level, each with its view, and holds the level's
// shared null and empty pieces.
class IPieceFactory {
 public:
  virtual ~IPieceFactory() = default;

  virtual TPiecePtr CreateStandard(int32_t colour, TPowerUpPtr powerUp) = 0;
  // What a vacant cell holds.
  virtual TPiecePtr GetNullPiece() = 0;
  // The placeholder of the start-up delivery.
  virtual TPiecePtr GetEmptyPiece() = 0;
  // cause: the power-up that took the piece out (empty for a match); the
  // disappearing piece carries it besides the piece's own.
  virtual TPiecePtr CreateDisappearing(const TPiecePtr& piece, const TPowerUpPtr& cause,
                                       ITowerModel* tower) = 0;
  virtual TPiecePtr CreateFalling(const TPiecePtr& piece, int32_t fromRing, int32_t toRing) = 0;
  virtual TPiecePtr CreateRaising(const TPiecePtr& piece, int32_t ring) = 0;
  virtual TPiecePtr CreateMoving(const TPiecePtr& piece, int32_t fromRing, int32_t toRing) = 0;
  // colour: the piece's own colour; -1 (none) for most power-ups.
  virtual TPiecePtr CreatePowerUpPiece(int32_t colour, TPowerUpPtr powerUp) = 0;
  virtual TPiecePtr CreateBlocked(int32_t colour, bool breakable) = 0;
  virtual TPiecePtr CreateCounter(int32_t colour, float start) = 0;
  virtual IPieceViewFactory* GetPieceViewFactory() = 0;
  virtual int32_t GetColoursInUse() = 0;
};

}  // namespace GamePlay
