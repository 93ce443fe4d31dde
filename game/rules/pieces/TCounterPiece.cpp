#include "game/rules/pieces/TCounterPiece.h"

#include <algorithm>

namespace GamePlay {

// Only a positive amount runs the counter down, so what is left never
// passes its start: a damaged "Counter Timer Rate" that is negative or not
// a number leaves it as it is.
void TCounterPiece::Tick(float amount) {
  if (amount > 0) mRemaining = std::max(0.0f, mRemaining - amount);
}

int32_t TCounterPiece::GetCounterValue() const {
  if (!(mStart > 0)) return 0;  // a counter started at nothing shows nothing left
  return static_cast<int32_t>(mRemaining / mStart * 10);
}

}  // namespace GamePlay
