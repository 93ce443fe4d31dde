#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "game/rules/control/IClockProxy.h"

namespace GamePlay {

class ITowerView;
class TRingTurner;

// Ring moves asked for by tutorials and power-ups: each ring turns on screen
// over about a third of a second per move, then the tower turns it by its
// slots. The tower view hears when the last pending move is done.
class TRingMoveAnimator {
 public:
  TRingMoveAnimator(TRingTurner* turner, ITowerView* view) : mTurner(turner), mView(view) {}

  // steps > 0 to the right, < 0 to the left.
  void Queue(int32_t ring, int32_t steps);
  void Update();

 private:
  struct TMove {
    float progress = 0;
    int32_t ring = 0;
    int32_t steps = 0;
  };

  // Returns whether the move is done.
  bool Advance(TMove& move, uint32_t elapsed);

  TRingTurner* mTurner;
  ITowerView* mView;
  std::list<TMove> mMoves;
  std::unique_ptr<IClockProxy> mClock;  // while moves are pending
  uint32_t mLastReading = 0;
};

}  // namespace GamePlay
