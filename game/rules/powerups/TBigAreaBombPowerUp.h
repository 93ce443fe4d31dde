#pragma once

#include "game/rules/powerups/TPowerUpBase.h"

namespace GamePlay {

// A bomb that blows up the cells round its own: the rings within its half
// height above and below, and in each the slots within its half width to
// either side, round the ring (each slot once, however wide the bomb). A
// cross bomb takes only its own ring and its own slot column of that area.
// Each cell hit breaks a blocker there (where bombs break blockers), takes
// the piece out and pours it into the jugs, and earns the piece-bomb bonus.
//
// How it is shown: a bomb that is not small has the area form, a ring bomb
// the ring form, and the ring form wins; the size flag of its explosion is
// set for the area form alone.
class TBigAreaBombPowerUp final : public TPowerUpBase {
 public:
  TBigAreaBombPowerUp(int32_t halfHeight, int32_t halfWidth, bool cross, bool small, bool ringBomb)
      : TPowerUpBase(1.0f),
        mHalfHeight(halfHeight),
        mHalfWidth(halfWidth),
        mCross(cross),
        mSmall(small),
        mRingBomb(ringBomb) {}

  TPowerUpKind GetKind() const override { return TPowerUpKind::BigAreaBomb; }
  void Activate(int32_t ring, int32_t slot, ITowerModel* model, TPowerUpPtr self) override;
  // Row by row from ring 0 down, each row from the leftmost slot; never the
  // bomb's own cell.
  std::vector<TCell> GetArea(int32_t ring, int32_t slot, ITowerModel* model) override;

  bool IsAreaForm() const { return !mSmall; }
  bool IsRingForm() const { return mRingBomb; }
  bool GetSizeFlag() const { return IsAreaForm() && !IsRingForm(); }

 private:
  int32_t mHalfHeight;
  int32_t mHalfWidth;
  bool mCross;
  bool mSmall;
  bool mRingBomb;
};

}  // namespace GamePlay
