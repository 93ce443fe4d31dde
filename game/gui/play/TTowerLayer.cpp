#include "game/gui/play/TTowerLayer.h"

#include "game/rules/pieces/IPiece.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/tower/ITowerModel.h"

namespace GUI {

TTowerLayer::TTowerLayer(GamePlay::ITowerModel* model)
    : mModel(model), mMarks(model->GetRingCount(), std::vector<int32_t>(model->GetSlotCount(), 0)) {}

bool TTowerLayer::IsCell(int32_t ring, int32_t slot) const {
  return ring >= 0 && ring < static_cast<int32_t>(mMarks.size()) && slot >= 0 &&
         slot < static_cast<int32_t>(mMarks[ring].size());
}

void TTowerLayer::SetRingMark(int32_t ring, int32_t value) {
  if (IsCell(ring, 0)) mMarks[ring].assign(mMarks[ring].size(), value);
}

void TTowerLayer::SetPieceMark(int32_t ring, int32_t slot, int32_t value) {
  if (IsCell(ring, slot)) mMarks[ring][slot] = value;
}

int32_t TTowerLayer::GetMark(int32_t ring, int32_t slot) const {
  return IsCell(ring, slot) ? mMarks[ring][slot] : 0;
}

bool TTowerLayer::SetArrowTarget(const GamePlay::TCell& target) {
  mArrowTarget = target;
  bool none = target == GamePlay::TCell{0, 0};
  if (none) mArrowsShown = false;
  return none;
}

void TTowerLayer::ShowArrows(const std::vector<GamePlay::TArrow>& arrows) {
  mArrowsShown = true;
  mArrows = arrows;
}

void TTowerLayer::ShowPowerUpArea(int32_t ring, int32_t slot) {
  if (!IsCell(ring, slot)) return;
  GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
  GamePlay::TPowerUpPtr powerUp = piece ? piece->GetPowerUp() : nullptr;
  if (!powerUp) return;
  std::vector<GamePlay::TCell> area = powerUp->GetArea(ring, slot, mModel);
  if (area.empty()) return;
  mPreviewPiece = piece;
  mPreviewSet = std::set<GamePlay::TCell>(area.begin(), area.end());
}

}  // namespace GUI
