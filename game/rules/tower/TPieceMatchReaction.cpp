#include "game/rules/tower/TPieceMatchReaction.h"

#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/control/IScriptTutorialView.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/TMatchFinder.h"

namespace GamePlay {

void TPieceMatchReaction::React() {
  if (mFired) return;
  mFired = true;  // before anything is told, so that nothing told can fire it again
  if (!mFinder) return;
  mFinder->GetTower()->GetScoring()->ScoreMatch(static_cast<int32_t>(mTotal),
                                                static_cast<int32_t>(mCombo), mGroups);
  IScriptTutorialView* listener = mFinder->GetListener();
  if (!listener) return;
  for (const TCellGroup& group : mGroups) {
    for (size_t cell = 0; cell < group.size(); ++cell) listener->RequestNextStep();
  }
}

}  // namespace GamePlay
