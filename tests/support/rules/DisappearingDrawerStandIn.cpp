#include "tests/support/rules/DisappearingDrawerStandIn.h"

#include "game/rules/pieces/TDisappearingPiece.h"

DisappearingDrawerStandIn::DisappearingDrawerStandIn(const GamePlay::TPiecePtr& piece)
    : NullPieceView("CreateDisappearingView"), mPiece(piece) {
  mClock.Start();
}

void DisappearingDrawerStandIn::DrawInPlace() {
  auto piece = std::dynamic_pointer_cast<GamePlay::TDisappearingPiece>(mPiece.lock());
  if (piece && mClock.GetTime() >= kDuration) piece->SetDisappearFlag(true);
}
