#pragma once

#include "game/rules/pieces/TPieceBase.h"

namespace GamePlay {

// A piece pushed from one ring to the next by a delivery, usually upwards
// (towards ring 0; a delivery from the top moves it up off the tower, to -1).
// It never matches.
class TMovingPiece final : public TTransientPiece {
 public:
  TMovingPiece(TPiecePtr inner, int32_t fromRing, int32_t toRing)
      : TTransientPiece(std::move(inner)), mFrom(fromRing), mTo(toRing) {}

  void Step(float dt);
  bool IsDone() const { return mDone; }
  // The fractional ring the piece has reached.
  float GetPosition() const;

 private:
  int32_t mFrom;
  int32_t mTo;
  bool mDone = false;
  float mProgress = 0;
};

}  // namespace GamePlay
