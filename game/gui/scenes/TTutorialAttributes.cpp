#include "game/gui/scenes/TTutorialAttributes.h"

#include "game/rules/control/IScriptTutorialView.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/tower/ITowerModel.h"
#include "platform/text/Log.h"

namespace GUI::ScriptTutorial {

namespace {

// Stands for the first big area bomb, wherever it lies.
constexpr TTutorialHighlight kTutorialBigBombCell{-1, -1, false};

GamePlay::ITowerModel* TutorialModel(const TTutorialContext& context) {
  return context.towerControl ? context.towerControl->GetModel() : nullptr;
}

bool IsTutorialRing(const TTutorialContext& context, const char* attribute, int32_t ring) {
  GamePlay::ITowerModel* model = TutorialModel(context);
  if (model && ring >= 0 && ring < static_cast<int32_t>(model->GetRingCount())) return true;
  LogPrintf("Tutorial %s: ring %d is outside the tower; skipped", attribute, ring);
  return false;
}

bool IsTutorialCell(const TTutorialContext& context, const char* attribute, int32_t ring, int32_t slot) {
  if (!IsTutorialRing(context, attribute, ring)) return false;
  if (slot >= 0 && slot < static_cast<int32_t>(TutorialModel(context)->GetSlotCount())) return true;
  LogPrintf("Tutorial %s: slot %d is outside the tower; skipped", attribute, slot);
  return false;
}

// An arrow names a piece by the pair the deal gave it: its draw in its
// column and the column, both from 1; the big-bomb pair and (0, 0), which
// takes the arrow away, name no piece.
bool IsTutorialArrowTarget(const TTutorialContext& context, int32_t ring, int32_t slot) {
  const bool bigBomb = ring == kTutorialBigBombCell.ring && slot == kTutorialBigBombCell.slot;
  if (bigBomb || (ring == 0 && slot == 0)) return true;
  GamePlay::ITowerModel* model = TutorialModel(context);
  const int32_t slots = model ? static_cast<int32_t>(model->GetSlotCount()) : 0;
  if (ring >= 1 && slot >= 1 && slot <= slots) return true;
  LogPrintf("Tutorial Arrow: piece %d, %d is outside the tower; skipped", ring, slot);
  return false;
}

}  // namespace

void TTutAttrHighlights::Start() {
  mContext.towerView->ResetHighlights();
  for (const TTutorialHighlight& cell : mCells) {
    const bool bigBomb = cell.ring == kTutorialBigBombCell.ring && cell.slot == kTutorialBigBombCell.slot;
    if (bigBomb || IsTutorialCell(mContext, "Highlights", cell.ring, cell.slot)) {
      mContext.towerView->AddHighlight(cell.ring, cell.slot, cell.absolute);
    }
  }
}

void TTutAttrHighlights::End() { mContext.towerView->ResetHighlights(); }

void TTutAttrArrow::Start() {
  if (IsTutorialArrowTarget(mContext, mRing, mSlot)) mContext.towerView->SetHover(mRing, mSlot);
}

void TTutAttrArrow::End() { mContext.towerView->SetHover(0, 0); }

void TTutAttrFixArrow::Start() { mContext.towerView->ShowArrow(mArrows); }

void TTutAttrFixArrow::End() { mContext.towerView->SetHover(0, 0); }

void TTutAttrDialog::Start() { mContext.messageView->ShowDialog(mItems, false, false); }

void TTutAttrDialog::End() { mContext.messageView->HideDialog(); }

void TTutAttrModalDialog::Start() { mContext.messageView->ShowDialog(mItems, true, mEndsLevel); }

void TTutAttrModalDialog::End() { mContext.messageView->HideDialog(); }

void TTutAttrLockRing::Start() {
  mContext.towerControl->ClearRefusedRings();
  for (int32_t ring : mRings) {
    if (IsTutorialRing(mContext, "LockRings", ring - 1)) mContext.towerControl->AddRefusedRing(ring - 1);
  }
}

void TTutAttrLockRing::End() { mContext.towerControl->ClearRefusedRings(); }

void TTutAttrOverlay::Start() { mContext.messageView->ShowOverlay(mPosition, mName); }

void TTutAttrOverlay::End() { mContext.messageView->HideOverlay(); }

void TTutAttrMoveRing::Start() {
  if (IsTutorialRing(mContext, "MoveRing", mRing - 1)) mContext.towerControl->QueueMove(mRing - 1, mSteps);
}

void TTutAttrExplode::Start() {
  const int32_t ring = mRing - 1;
  const int32_t slot = mSlot - 1;
  if (!IsTutorialCell(mContext, "ExplodePowerUp", ring, slot)) return;
  GamePlay::ITowerModel* model = TutorialModel(mContext);
  GamePlay::TPiecePtr piece = model->GetPiece(ring, slot);
  auto* powerUpPiece = GamePlay::PieceAs<GamePlay::TPowerUpPiece>(piece.get());
  if (!powerUpPiece || !powerUpPiece->GetPowerUp()) return;
  powerUpPiece->SetTriggered(true);
  model->ActivateCell(ring, slot, powerUpPiece->GetPowerUp());
  mContext.owner->RequestNextStep();
}

void TTutAttrSetElimination::Start() {
  if (GamePlay::ITowerModel* model = TutorialModel(mContext)) model->EnableMatchCheck(mOn);
}

void TTutAttrBombActivity::Start() { mContext.towerControl->SetFlag(mOn); }

void TTutAttrBombActivity::End() { mContext.towerControl->SetFlag(true); }

}  // namespace GUI::ScriptTutorial
