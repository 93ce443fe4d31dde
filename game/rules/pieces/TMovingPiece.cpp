#include "game/rules/pieces/TMovingPiece.h"

namespace GamePlay {

float TMovingPiece::GetPosition() const {
  float from = static_cast<float>(mFrom);
  return (static_cast<float>(mTo) - from) * mProgress + from;
}

void TMovingPiece::Step(float dt) {
  if (mDone) return;
  mProgress += dt;
  // Done once the piece has reached its ring, whichever way it moves.
  mDone = mTo <= mFrom ? GetPosition() <= static_cast<float>(mTo)
                       : GetPosition() >= static_cast<float>(mTo);
}

}  // namespace GamePlay
