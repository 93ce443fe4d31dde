#include "game/gui/scenes/TScriptTutorial.h"

#include "game/gui/scenes/TutorialScript.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/ITutorialMsgView.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/tower/ITowerModel.h"

namespace GUI {

TString TScriptTutorial::ScriptNameFor(const GamePlay::TLevelSettings& level) {
  if (!level.IsTutorial()) return "";
  return TString::Format("tutorials/tutorial%02d%02d.lua", static_cast<int32_t>(level.GetWorld()),
                         static_cast<int32_t>(level.GetLevel()));
}

TScriptTutorial::TScriptTutorial(const TString& scriptName, GamePlay::ITowerView* towerView,
                                 GamePlay::ITowerControl* towerControl,
                                 GamePlay::ITutorialMsgView* messageView)
    : mTowerControl(towerControl), mMessageView(messageView) {
  if (scriptName.IsEmpty()) return;
  mRunner = ScriptTutorial::LoadTutorialScript(scriptName, {towerView, towerControl, messageView, this});
}

TScriptTutorial::~TScriptTutorial() = default;

void TScriptTutorial::Start() {
  if (mRunner) mRunner->Dispatch("Start");
}

bool TScriptTutorial::IsTowerLocked() const {
  const GamePlay::TInputLocks* locks = mTowerControl->GetInputLocks();
  return locks && locks->IsAnyLocked();
}

bool TScriptTutorial::HasVanishingPiece() const {
  GamePlay::ITowerModel* model = mTowerControl->GetModel();
  if (!model) return false;
  for (int32_t ring = 0; ring < static_cast<int32_t>(model->GetRingCount()); ++ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(model->GetSlotCount()); ++slot) {
      GamePlay::TPiecePtr piece = model->GetPiece(ring, slot);
      if (GamePlay::PieceAs<GamePlay::TDisappearingPiece>(piece.get())) return true;
    }
  }
  return false;
}

// A step taken while the message view waits for a click is lost: the runner
// ignores it, and the request is cleared all the same.
void TScriptTutorial::Update() {
  if (!mRunner) return;
  if (mNextStep != 0 && !IsTowerLocked()) {
    mTowerControl->Update();
    if (IsTowerLocked() || HasVanishingPiece()) return;
    mNextStep = 0;
    mRunner->Dispatch("Next");
    return;
  }
  // With one event left and nothing shown the tutorial has reached its end
  // and waits for nothing more.
  if (mRunner->GetQueuedCount() == 1 && !mMessageView->IsShowing()) return;
  mRunner->Dispatch("Step");
}

}  // namespace GUI
