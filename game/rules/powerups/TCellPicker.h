#pragma once

#include <cstdint>

#include "game/rules/tower/TPoint.h"

namespace GamePlay {

class ITowerModel;
class ITowerView;

// Where a screen point falls on the tower: the ring whose band holds the
// point and the slot at its angle round the tower centre. Angles are
// radians from straight up, growing clockwise, in [0, 2 pi).
class TCellPicker {
 public:
  TCellPicker(ITowerModel* model, ITowerView* view) : mModel(model), mView(view) {}

  // Tries the rings from the top down; skipVacant passes over a ring whose
  // cell there is vacant, so that a point through an empty place of a front
  // ring reaches the ring behind. ring, slot and angle are written as far as
  // the search got; false when no cell is under the point.
  bool Pick(const TPoint& point, int32_t& ring, int32_t& slot, float& angle, bool skipVacant);

 private:
  ITowerModel* mModel;
  ITowerView* mView;
};

}  // namespace GamePlay
