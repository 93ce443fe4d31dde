#include "game/rules/powerups/TBigAreaBombPowerUp.h"

#include <algorithm>

#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/tower/ITowerModel.h"

namespace GamePlay {

std::vector<TCell> TBigAreaBombPowerUp::GetArea(int32_t ring, int32_t slot, ITowerModel* model) {
  int32_t rings = static_cast<int32_t>(model->GetRingCount());
  int32_t slots = static_cast<int32_t>(model->GetSlotCount());
  int32_t halfHeight = std::max(mHalfHeight, 0);
  int32_t halfWidth = std::max(mHalfWidth, 0);
  // A bomb wider than the ring goes round it once.
  int32_t width = std::min(2 * halfWidth + 1, slots);
  std::vector<TCell> area;
  for (int32_t row = std::max(0, ring - halfHeight); row < std::min(rings, ring + halfHeight + 1);
       ++row) {
    for (int32_t step = 0; step < width; ++step) {
      int32_t column = ((slot - halfWidth + step) % slots + slots) % slots;
      if (row == ring && column == slot) continue;
      if (mCross && row != ring && column != slot) continue;
      area.push_back({row, column});
    }
  }
  return area;
}

void TBigAreaBombPowerUp::Activate(int32_t ring, int32_t slot, ITowerModel* model,
                                   TPowerUpPtr self) {
  ActOnce([&] {
    IScoringModel* scoring = model->GetScoring();
    for (const TCell& cell : GetArea(ring, slot, model)) {
      model->ExplodeBlocker(cell.ring, cell.slot);
      model->ActivateCell(cell.ring, cell.slot, self);
      bool allFull = false;
      bool accepted = scoring->ScoreBombedPiece(cell.ring, cell.slot, 1, allFull);
      scoring->AddPieceBomb(accepted);
    }
    ISoundFactoryView* sound = model->GetSoundView();
    if (!sound) return;
    if (mRingBomb) sound->PlayRingBomb();
    if (mSmall) {
      sound->PlaySmallBomb();
    } else {
      sound->PlayBigBomb();
    }
  });
}

}  // namespace GamePlay
