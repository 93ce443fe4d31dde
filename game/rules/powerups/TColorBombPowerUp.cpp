#include "game/rules/powerups/TColorBombPowerUp.h"

#include "game/rules/pieces/IPiece.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/pieces/TPieceSeqBomb.h"

namespace GamePlay {

// Vacant cells read colour 0, but hold nothing to clear.
std::vector<TCell> TColorBombPowerUp::GetArea(int32_t ring, int32_t slot, ITowerModel* model) {
  if (mColour == kNoColour) return {};
  int32_t rings = static_cast<int32_t>(model->GetRingCount());
  int32_t slots = static_cast<int32_t>(model->GetSlotCount());
  std::vector<TCell> area;
  for (int32_t row = 0; row < rings; ++row) {
    for (int32_t column = 0; column < slots; ++column) {
      if (row == ring && column == slot) continue;
      TPiecePtr piece = model->GetPiece(row, column);
      if (!piece->IsVoid() && piece->GetColour() == mColour) area.push_back({row, column});
    }
  }
  return area;
}

void TColorBombPowerUp::Activate(int32_t, int32_t, ITowerModel* model, TPowerUpPtr) {
  ActOnce([&] {
    if (!mSequence || mColour == kNoColour) return;
    mSequence->StartRemoveColor(mColour, nullptr);
    if (ISoundFactoryView* sound = model->GetSoundView()) sound->OnColorBomb();
  });
}

}  // namespace GamePlay
