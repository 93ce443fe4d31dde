#pragma once

#include "game/rules/pieces/TPieceBase.h"

namespace GamePlay {

// A blocker with a count-down on it: ticks run it down from its start value
// to 0, and it shows the remainder in tenths of the start.
class TCounterPiece final : public TDecoratorPiece {
 public:
  TCounterPiece(TPiecePtr inner, float start)
      : TDecoratorPiece(std::move(inner)), mRemaining(start), mStart(start) {}

  bool Matches(IPiece& other) override { return InnerMatches(other); }

  // Runs the count down by amount, never below 0.
  void Tick(float amount);
  // 10 when full, 0 when run out.
  int32_t GetCounterValue() const;
  float GetRemaining() const { return mRemaining; }

 private:
  float mRemaining;
  float mStart;
};

}  // namespace GamePlay
