#include "tests/support/rules/ScriptedRingGenerator.h"

#include "game/rules/pieces/IPieceFactory.h"

GamePlay::TPiecePtr ScriptedRingGenerator::NextPiece(int32_t column) {
  std::deque<int32_t>& colours = queued[column];
  if (colours.empty()) return mPieces->GetNullPiece();
  int32_t colour = colours.front();
  colours.pop_front();
  return mPieces->CreateStandard(colour, nullptr);
}
