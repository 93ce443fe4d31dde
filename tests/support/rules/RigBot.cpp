#include "tests/support/rules/RigBot.h"

#include <algorithm>
#include <string>

#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/powerups/TPowerUpControl.h"
#include "game/rules/tower/TTower.h"

using namespace GamePlay;

namespace {

bool Heard(const std::vector<std::string>& events, const char* event) {
  return std::find(events.begin(), events.end(), event) != events.end();
}

}  // namespace

void RigBot::Plan() {
  if (mNext != TInput::None || !TowerBot::IsAtRest(*mRig.tower, *mRig.control)) return;
  if (std::optional<TBotMove> move = mBot.ChooseMove(*mRig.tower)) {
    mMove = *move;
    mNext = TInput::Press;
    ++moves;
  }
}

void RigBot::Act() {
  const auto steps = static_cast<float>(mMove.steps);
  switch (mNext) {
    case TInput::None:
      break;
    case TInput::Press:
      mRig.control->OnPress(LevelRig::OnRing(mMove.ring, 0));
      mRig.powerUpControl->OnPress(LevelRig::OnRing(mMove.ring, 0));
      mNext = TInput::Move;
      break;
    case TInput::Move:
      mRig.control->OnMove(LevelRig::OnRing(mMove.ring, steps));
      mNext = TInput::Release;
      break;
    case TInput::Release:
      mRig.control->OnRelease(LevelRig::OnRing(mMove.ring, steps));
      mNext = TInput::None;
      break;
  }
}

TBotRun PlayWithBot(LevelRig& rig, int64_t mostUpdates) {
  TBotRun run;
  if (!rig.IsReady()) return run;
  RigBot bot(rig);
  TInputLocks& locks = *rig.control->GetInputLocks();
  for (; run.updates < mostUpdates && !locks.IsLocked(TInputLock::EndOfPlay); ++run.updates) {
    bot.Plan();
    bot.Act();
    rig.Update();
    // The record of sounds grows every update and tells nothing here.
    rig.sound.played.clear();
  }
  run.moves = bot.moves;
  const std::vector<std::string>& events = rig.view->events;
  if (Heard(events, "OnLevelEnd")) {
    run.outcome = TBotOutcome::Won;
  } else if (Heard(events, "ShowTimeUpMessage")) {
    run.outcome = TBotOutcome::TimeUp;
  } else if (Heard(events, "ShowNoMoveMessage")) {
    run.outcome = TBotOutcome::NoMove;
  }
  return run;
}

const char* OutcomeName(TBotOutcome outcome) {
  switch (outcome) {
    case TBotOutcome::Won:
      return "won";
    case TBotOutcome::TimeUp:
      return "time up";
    case TBotOutcome::NoMove:
      return "no move";
    case TBotOutcome::Unfinished:
      break;
  }
  return "unfinished";
}
