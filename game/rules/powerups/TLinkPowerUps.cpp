#include "game/rules/powerups/TLinkPowerUps.h"

#include "game/rules/pieces/IPiece.h"
#include "game/rules/tower/ITowerModel.h"

namespace GamePlay {

void TLinkBreakerPowerUp::Activate(int32_t, int32_t, ITowerModel* model, TPowerUpPtr) {
  int32_t rings = static_cast<int32_t>(model->GetRingCount());
  int32_t slots = static_cast<int32_t>(model->GetSlotCount());
  for (int32_t ring = 0; ring < rings; ++ring) {
    for (int32_t slot = 0; slot < slots; ++slot) {
      TPiecePtr piece = model->GetPiece(ring, slot);
      TPowerUpPtr carried = piece->GetPowerUp();
      if (carried && carried->GetKind() == mBreaks) piece->ClearPowerUp(nullptr);
    }
  }
}

}  // namespace GamePlay
