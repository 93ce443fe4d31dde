#pragma once

#include "game/rules/pieces/TPieceBase.h"

namespace GamePlay {

// A piece falling from one ring to a lower one (a higher ring index),
// speeding up as it falls. It never matches.
class TFallingPiece final : public TTransientPiece {
 public:
  TFallingPiece(TPiecePtr inner, int32_t fromRing, int32_t toRing)
      : TTransientPiece(std::move(inner)), mFrom(fromRing), mTo(toRing), mPosition(fromRing) {}

  // Lands exactly on the target ring.
  void Step(float dt);
  bool IsDone() const { return mDone; }
  // The fractional ring the piece has reached.
  float GetFallOffset() const { return mPosition; }

 private:
  static constexpr float kFallRate = 1000;

  int32_t mFrom;
  int32_t mTo;
  bool mDone = false;
  float mPosition;
  float mTime = 0;
};

}  // namespace GamePlay
