#pragma once

#include "game/rules/powerups/TPowerUpBase.h"

namespace GamePlay {

class IPieceJugModel;

// Turns the pieces round its cell to the colour of the jug of its slot
// column: the cell above, the two beside it and the three below. A jug that
// takes any colour, a slot without a jug or a level without jugs changes
// nothing; the sound plays all the same.
class TChangeColorPowerUp final : public TPowerUpBase {
 public:
  TPowerUpKind GetKind() const override { return TPowerUpKind::ChangeColor; }
  void Activate(int32_t ring, int32_t slot, ITowerModel* model, TPowerUpPtr self) override;
  // Empty without jugs.
  std::vector<TCell> GetArea(int32_t ring, int32_t slot, ITowerModel* model) override;

  // The level's jugs, not owned; may be null.
  void SetJugs(IPieceJugModel* jugs) { mJugs = jugs; }

 private:
  IPieceJugModel* mJugs = nullptr;
};

}  // namespace GamePlay
