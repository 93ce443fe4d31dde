#include "game/gui/play/TTowerLayer.h"

#include "game/rules/pieces/IPiece.h"
#include "game/rules/pieces/IPieceView.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/tower/ITowerModel.h"

namespace GUI {

TTowerLayer::TTowerLayer(GamePlay::ITowerModel* model, GamePlay::ITowerView* view)
    : mModel(model), mView(view), mMarks(model->GetRingCount(), std::vector<int32_t>(model->GetSlotCount(), 0)) {
  mPulseClock.Start();
}

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
  mPreviewClock.Reset();
  mPreviewClock.Start();
}

void TTowerLayer::EndPreview() {
  mPreviewClock.Reset();
  mPreviewSet.clear();
  mPreviewPiece.reset();
  mPreviewShown = false;
}

std::optional<GamePlay::TCell> TTowerLayer::FindPreviewPiece() const {
  for (int32_t ring = static_cast<int32_t>(mMarks.size()) - 1; ring >= 0; --ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(mMarks[ring].size()); ++slot) {
      if (mModel->GetPiece(ring, slot) == mPreviewPiece) return GamePlay::TCell{ring, slot};
    }
  }
  return std::nullopt;
}

void TTowerLayer::RefreshPreview() {
  mPreviewShown = false;
  if (!mPreviewPiece) return;
  if (mPreviewClock.GetTime() > kPreviewMs) {
    EndPreview();
    return;
  }
  const std::optional<GamePlay::TCell> cell = FindPreviewPiece();
  if (!cell || mView->GetRingAngle(cell->ring) != 0.0f) return;
  GamePlay::TPowerUpPtr powerUp = mPreviewPiece->GetPowerUp();
  if (!powerUp) return;
  std::vector<GamePlay::TCell> area = powerUp->GetArea(cell->ring, cell->slot, mModel);
  mPreviewSet = std::set<GamePlay::TCell>(area.begin(), area.end());
  mPreviewShown = true;
}

void TTowerLayer::TellPieceViewsTheirCells() {
  for (int32_t ring = 0; ring < static_cast<int32_t>(mMarks.size()); ++ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(mMarks[ring].size()); ++slot) {
      GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
      GamePlay::TPieceViewPtr view = piece ? piece->GetView() : nullptr;
      if (view) view->SetCell(ring, slot, false);
    }
  }
}

}  // namespace GUI
