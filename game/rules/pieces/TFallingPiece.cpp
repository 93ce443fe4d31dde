#include "game/rules/pieces/TFallingPiece.h"

namespace GamePlay {

void TFallingPiece::Step(float dt) {
  if (mDone) return;
  mTime += dt;
  mPosition = static_cast<float>(mFrom) + kFallRate * mTime * mTime;
  if (mPosition >= static_cast<float>(mTo)) {
    mDone = true;
    mPosition = static_cast<float>(mTo);
  }
}

}  // namespace GamePlay
