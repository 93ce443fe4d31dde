#include "game/rules/pieces/TPieceExplosions.h"

#include "game/rules/tower/FindInside.h"
#include "game/rules/powerups/IPowerUpFactory.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"

namespace GamePlay {

namespace {

// Enough to break any blocker at once.
constexpr float kBreakAtOnce = 100.0f;

bool MayBlowUp(IPiece& piece) {
  return !piece.IsVoid() && !PieceAs<TDisappearingPiece>(&piece) &&
         !FindInside<TPowerUpPiece>(piece);
}

}  // namespace

TRingByRingExplosion::TRingByRingExplosion(ITowerModel* tower)
    : mTower(tower), mRing(static_cast<int32_t>(tower->GetRingCount()) - 1) {}

bool TRingByRingExplosion::Explode() {
  if (mRing < 0) return true;
  int32_t slots = static_cast<int32_t>(mTower->GetSlotCount());
  for (int32_t slot = 0; slot < slots; ++slot) {
    TPiecePtr piece = mTower->GetPiece(mRing, slot);
    ClearCell(mRing, slot, *piece);
  }
  return --mRing < 0;
}

// A piece the tower would not take out (an unbreakable blocker) pours
// nothing into the jugs.
void TRingByRingExplosion::BlowUp(int32_t ring, int32_t slot) {
  TPiecePtr piece = mTower->GetPiece(ring, slot);
  if (!MayBlowUp(*piece)) return;
  IPowerUpFactory* powerUps = mTower->GetPowerUpFactory();
  mTower->ActivateCell(ring, slot,
                       powerUps ? powerUps->CreatePowerUp(IPowerUpFactory::kColourBomb) : nullptr);
  if (mTower->GetPiece(ring, slot) == piece) return;
  bool allFull = false;
  mTower->GetScoring()->ScoreBombedPiece(ring, slot, 1, allFull);
}

void TPieceExplosionRemoveAll::ClearCell(int32_t ring, int32_t slot, IPiece& piece) {
  if (PieceAs<TBlockedPiece>(&piece)) {
    mTower->StartBlockerBreak(ring, slot, piece.shared_from_this(), kBreakAtOnce);
  }
  BlowUp(ring, slot);
}

void TPieceExplosionRemoveColor::ClearCell(int32_t ring, int32_t slot, IPiece& piece) {
  if (piece.GetColour() != mColour || FindInside<TBlockedPiece>(piece)) return;
  BlowUp(ring, slot);
}

}  // namespace GamePlay
