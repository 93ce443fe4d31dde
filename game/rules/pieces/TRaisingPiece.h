#pragma once

#include "game/rules/pieces/TPieceBase.h"

namespace GamePlay {

// A new piece rising into the tower at a ring. It never matches.
class TRaisingPiece final : public TTransientPiece {
 public:
  TRaisingPiece(TPiecePtr inner, int32_t ring) : TTransientPiece(std::move(inner)), mRing(ring) {}

  void Step(float dt);
  bool IsDone() const { return mDone; }
  // 0 to 1.
  float GetRaiseOffset() const { return mProgress; }
  int32_t GetTargetRing() const { return mRing; }

 private:
  bool mDone = false;
  int32_t mRing;
  float mProgress = 0;
};

}  // namespace GamePlay
