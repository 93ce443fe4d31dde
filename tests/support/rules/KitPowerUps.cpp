#include "tests/support/rules/KitPowerUps.h"

GamePlay::TPiecePtr RecordingPowerUp::GetCell(GamePlay::TCell& cell) {
  cell = mCell;
  return mPiece;
}

void RecordingPowerUp::SetCell(const GamePlay::TPiecePtr& piece, int32_t ring, int32_t slot) {
  mPiece = piece;
  mCell = {ring, slot};
}
