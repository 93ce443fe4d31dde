#pragma once

#include "game/rules/powerups/TPowerUpBase.h"

namespace GamePlay {

class TPieceSeqBomb;

// Clears every piece of its colour from the tower, ring by ring, through the
// level's explosion sequence. Without a colour or a sequence it does
// nothing.
class TColorBombPowerUp final : public TPowerUpBase {
 public:
  static constexpr int32_t kNoColour = -1;

  TPowerUpKind GetKind() const override { return TPowerUpKind::ColorBomb; }
  void Activate(int32_t ring, int32_t slot, ITowerModel* model, TPowerUpPtr self) override;
  // The cells of the bomb's colour, ring by ring, slot by slot, but its own.
  std::vector<TCell> GetArea(int32_t ring, int32_t slot, ITowerModel* model) override;

  // The sequence is not owned; either may be left unset.
  void Set(int32_t colour, TPieceSeqBomb* sequence) {
    mColour = colour;
    mSequence = sequence;
  }
  int32_t GetColour() const { return mColour; }

 private:
  int32_t mColour = kNoColour;
  TPieceSeqBomb* mSequence = nullptr;
};

}  // namespace GamePlay
