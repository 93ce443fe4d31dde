#include "tests/support/rules/StubTowerControl.h"

#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"

using GamePlay::TInputLock;

bool StubTowerControl::TakeEndLock() {
  if (locks.IsLocked(TInputLock::EndOfPlay)) return false;
  locks.Lock(TInputLock::EndOfPlay);
  return true;
}

void StubTowerControl::EndTimeUp() {
  events.push_back("EndTimeUp");
  EndPlay();
}

void StubTowerControl::EndNoMove() {
  events.push_back("EndNoMove");
  EndPlay();
}

void StubTowerControl::EndPlay() {
  events.push_back("EndPlay");
  if (TakeEndLock() && model && model->GetScoring()) model->GetScoring()->CommitTotal();
}

void StubTowerControl::EndLevel() {
  events.push_back("EndLevel");
  if (TakeEndLock() && view) view->OnLevelEnd();
}

void StubTowerControl::Update() {
  for (auto& policy : policies) policy->Update();
}
