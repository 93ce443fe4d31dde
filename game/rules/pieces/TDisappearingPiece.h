#pragma once

#include <vector>

#include "game/rules/tower/IPieceMatchReaction.h"
#include "game/rules/pieces/TPieceBase.h"

namespace GamePlay {

// A piece taken out of the tower by a match or a bomb, shown vanishing. It
// collects every power-up it (and a disappearing piece inside it) carried, so
// that a match pass finds them in one list. Its view marks it finished when
// the vanishing has been shown; a piece nobody draws finishes by itself when
// its fade has run out. A finished piece leaves its cell vacant. A piece a
// match took out holds the match's reaction and fires it as it finishes,
// unless something fired it before.
class TDisappearingPiece final : public TTransientPiece {
 public:
  // extra: a power-up the piece is to carry besides its inner piece's; may be empty.
  TDisappearingPiece(TPiecePtr inner, TPowerUpPtr extra);

  bool IsVoid() override { return mFinished; }
  bool Matches(IPiece& other) override { return InnerMatches(other); }

  // One step of the vanishing: the fade falls by its step.
  void Advance();
  float GetFade() const { return mFade; }
  bool GetDisappearFlag() const { return mFinished; }
  void SetDisappearFlag(bool finished);
  // Set once the presentation has made the blast of what the piece carried,
  // so that a piece seen on many frames bursts once.
  bool IsEffectMade() const { return mEffectMade; }
  void SetEffectMade() { mEffectMade = true; }
  // The piece the vanishing gathers on: the piece itself or another one.
  void SetTarget(const TPiecePtr& target);
  // This piece when it is its own target, else the target when that is a
  // disappearing piece, else null.
  TPiecePtr GetTargetPiece();
  const std::vector<TPowerUpPtr>& GetCarriedPowerUps() const { return mPowerUps; }
  // Whether the piece carries a colour bomb.
  bool HasColorBomb() const;
  // Whether the piece carries an area bomb; sizeFlag becomes the first such
  // bomb's size flag, which its explosion is drawn by.
  bool FindAreaBomb(bool& sizeFlag) const;
  void SetReaction(TMatchReactionPtr reaction) { mReaction = std::move(reaction); }
  const TMatchReactionPtr& GetReaction() const { return mReaction; }
  // Fires the piece's reaction, and that of a disappearing piece inside it.
  void FireReaction();

 private:
  void Carry(const TPowerUpPtr& powerUp);
  void Finish();

  std::vector<TPowerUpPtr> mPowerUps;
  float mFade = 1.0f;
  float mFadeStep = 0.01f;
  bool mFinished = false;
  bool mEffectMade = false;
  TPiecePtr mTarget;  // never this piece: that would keep it alive forever
  bool mOwnTarget = false;
  TMatchReactionPtr mReaction;
};

}  // namespace GamePlay
