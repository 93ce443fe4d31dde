#include "game/rules/pieces/TCounterPiece.h"

#include <algorithm>

namespace GamePlay {

void TCounterPiece::Tick(float amount) { mRemaining = std::max(0.0f, mRemaining - amount); }

int32_t TCounterPiece::GetCounterValue() const {
  if (!(mStart > 0)) return 0;  // a counter started at nothing shows nothing left
  return static_cast<int32_t>(mRemaining / mStart * 10);
}

}  // namespace GamePlay
