#pragma once

#include "game/rules/control/ITowerControlPolicy.h"

namespace GamePlay {

class ITowerControl;

// Lets the pieces a match or a bomb took out vanish, one fade step each
// update, frozen while a scoring observer is busy. When a match pass has
// taken the match lock, it frees that lock and, unless something else holds
// the tower, lets the pieces above vacant cells fall (taking the gravity
// lock), or else looks for the next match.
class TPieceDisappearingControlPolicy final : public ITowerControlPolicy {
 public:
  // control: not owned, outlives the policy.
  explicit TPieceDisappearingControlPolicy(ITowerControl* control) : mControl(control) {}

  void Update() override;

 private:
  void AdvanceAll();
  void StartFall();

  ITowerControl* mControl;
};

}  // namespace GamePlay
