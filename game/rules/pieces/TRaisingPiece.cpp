#include "game/rules/pieces/TRaisingPiece.h"

namespace GamePlay {

void TRaisingPiece::Step(float dt) {
  if (mDone) return;
  mProgress += dt;
  mDone = mProgress >= 1.0f;
}

}  // namespace GamePlay
