#include "game/rules/powerups/TPowerUpBase.h"

namespace GamePlay {

TPiecePtr TPowerUpBase::GetCell(TCell& cell) {
  cell = mCell;
  return mPiece.lock();
}

void TPowerUpBase::SetCell(const TPiecePtr& piece, int32_t ring, int32_t slot) {
  mPiece = piece;
  mCell = {ring, slot};
}

}  // namespace GamePlay
