#include "game/rules/powerups/TChangeColorPowerUp.h"

#include <algorithm>

#include "game/rules/pieces/IPiece.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/tower/ITowerModel.h"

namespace GamePlay {

namespace {

}  // namespace

std::vector<TCell> TChangeColorPowerUp::GetArea(int32_t ring, int32_t slot, ITowerModel* model) {
  int32_t rings = static_cast<int32_t>(model->GetRingCount());
  int32_t slots = static_cast<int32_t>(model->GetSlotCount());
  if (!mJugs || slots <= 0) return {};
  std::vector<TCell> area;
  for (int32_t row = std::max(0, ring - 1); row < std::min(rings, ring + 2); ++row) {
    for (int32_t offset = -1; offset <= 1; ++offset) {
      int32_t column = ((slot + offset) % slots + slots) % slots;
      bool beside = column != slot && row >= ring;
      bool aboveOrBelow = column == slot && row != ring;
      if (beside || aboveOrBelow) area.push_back({row, column});
    }
  }
  return area;
}

void TChangeColorPowerUp::Activate(int32_t ring, int32_t slot, ITowerModel* model, TPowerUpPtr) {
  ActOnce([&] {
    int32_t colour = mJugs ? mJugs->GetColour(slot) : IPieceJugModel::kNoJug;
    if (IsPieceColour(colour)) {
      for (const TCell& cell : GetArea(ring, slot, model)) {
        TPiecePtr piece = model->GetPiece(cell.ring, cell.slot);
        if (piece->GetColour() != colour) piece->ChangeColour(colour, model->GetPieceFactory());
      }
    }
    if (ISoundFactoryView* sound = model->GetSoundView()) sound->PlayColorChange();
  });
}

}  // namespace GamePlay
