#include "game/rules/pieces/TDisappearingPiece.h"

#include <algorithm>

#include "game/rules/pieces/PieceAs.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"

namespace GamePlay {

TDisappearingPiece::TDisappearingPiece(TPiecePtr inner, TPowerUpPtr extra)
    : TTransientPiece(std::move(inner)) {
  Carry(extra);
  Carry(Inner().GetPowerUp());
  if (auto* nested = PieceAs<TDisappearingPiece>(&Inner())) {
    for (const TPowerUpPtr& powerUp : nested->mPowerUps) Carry(powerUp);
  }
}

// A power-up reached both through the inner piece and through its list is
// carried once, so that it is set off once.
void TDisappearingPiece::Carry(const TPowerUpPtr& powerUp) {
  if (!powerUp) return;
  if (std::find(mPowerUps.begin(), mPowerUps.end(), powerUp) != mPowerUps.end()) return;
  mPowerUps.push_back(powerUp);
}

void TDisappearingPiece::Advance() {
  mFade -= mFadeStep;
  // Less than half a step left counts as run out, whatever the rounding.
  if (mFade < mFadeStep / 2) {
    mFade = 0;
    Finish();
  }
}

void TDisappearingPiece::SetDisappearFlag(bool finished) {
  if (finished) {
    Finish();
  } else {
    mFinished = false;
  }
}

void TDisappearingPiece::Finish() {
  mFinished = true;
  FireReaction();
}

void TDisappearingPiece::FireReaction() {
  if (mReaction) mReaction->React();
  if (auto* nested = PieceAs<TDisappearingPiece>(&Inner())) nested->FireReaction();
}

void TDisappearingPiece::SetTarget(const TPiecePtr& target) {
  mOwnTarget = target.get() == this;
  mTarget = mOwnTarget ? nullptr : target;
}

TPiecePtr TDisappearingPiece::GetTargetPiece() {
  if (mOwnTarget) return shared_from_this();
  return PieceAs<TDisappearingPiece>(mTarget.get()) ? mTarget : nullptr;
}

bool TDisappearingPiece::HasColorBomb() const {
  return std::any_of(mPowerUps.begin(), mPowerUps.end(), [](const TPowerUpPtr& powerUp) {
    return dynamic_cast<TColorBombPowerUp*>(powerUp.get()) != nullptr;
  });
}

bool TDisappearingPiece::FindAreaBomb(bool& sizeFlag) const {
  for (const TPowerUpPtr& powerUp : mPowerUps) {
    if (auto* bomb = dynamic_cast<TBigAreaBombPowerUp*>(powerUp.get())) {
      sizeFlag = bomb->GetSizeFlag();
      return true;
    }
  }
  return false;
}

}  // namespace GamePlay
