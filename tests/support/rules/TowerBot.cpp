#include "tests/support/rules/TowerBot.h"

#include <algorithm>
#include <set>
#include <string>

#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/powerups/TPowerUpControl.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/tower/LinkedRings.h"
#include "game/rules/tower/TTower.h"

using namespace GamePlay;

namespace {

// Turns that one drag can make, either way; a drag of half the tower
// would have no direction.
constexpr int32_t kLongestDrag = 5;
// A matched cell that feeds a jug counts as this many that do not.
constexpr size_t kJugWorth = 10;

bool Heard(const std::vector<std::string>& events, const char* event) {
  return std::find(events.begin(), events.end(), event) != events.end();
}

}  // namespace

void TowerBot::Plan() {
  if (mNext == TInput::None && IsAtRest() && ChooseMove()) {
    mNext = TInput::Press;
    ++moves;
  }
}

void TowerBot::Act() {
  switch (mNext) {
    case TInput::None:
      break;
    case TInput::Press:
      mRig.control->OnPress(LevelRig::OnRing(mRing, 0));
      mRig.powerUpControl->OnPress(LevelRig::OnRing(mRing, 0));
      mNext = TInput::Move;
      break;
    case TInput::Move:
      mRig.control->OnMove(LevelRig::OnRing(mRing, static_cast<float>(mSteps)));
      mNext = TInput::Release;
      break;
    case TInput::Release:
      mRig.control->OnRelease(LevelRig::OnRing(mRing, static_cast<float>(mSteps)));
      mNext = TInput::None;
      break;
  }
}

bool TowerBot::IsAtRest() {
  // The tower control takes no press while a column can take a new piece.
  ITowerModel& tower = *mRig.tower;
  return !mRig.control->GetInputLocks()->IsAnyLocked() && !tower.IsComboRunning() &&
         !tower.CanDeliver();
}

// The best move into mRing and mSteps; false when no turn matches.
bool TowerBot::ChooseMove() {
  std::vector<int32_t> codes = mRig.tower->GetCellCodes();
  if (codes == mFruitless) return false;
  ++searches;
  size_t best = 0;
  const auto rings = static_cast<int32_t>(mRig.tower->GetRingCount());
  for (int32_t ring = 0; ring < rings; ++ring) {
    std::map<int32_t, int32_t> linked = FreeLinkedRings(ring);
    if (linked.empty()) continue;
    for (int32_t steps = 1; steps <= kLongestDrag; ++steps) {
      for (int32_t way : {steps, -steps}) {
        size_t worth = Worth(linked, way, codes);
        if (worth > best) {
          best = worth;
          mRing = ring;
          mSteps = way;
        }
      }
    }
  }
  mFruitless = best == 0 ? codes : std::vector<int32_t>{};
  return best > 0;
}

// The ring with the rings it takes along and their ways; empty when any of
// them cannot turn.
std::map<int32_t, int32_t> TowerBot::FreeLinkedRings(int32_t ring) {
  bool gears = false;
  std::map<int32_t, int32_t> linked = FindLinkedRings(*mRig.tower, ring, gears);
  for (const auto& [linkedRing, way] : linked) {
    if (mRig.tower->IsRingBusy(linkedRing)) return {};
  }
  return linked;
}

// The worth of a turn: each cell it matches, and far more each matched cell
// that lands over a jug that takes its colour, as a player who fills the
// jugs looks for.
size_t TowerBot::Worth(const std::map<int32_t, int32_t>& linked, int32_t steps,
                       const std::vector<int32_t>& codes) {
  std::map<int32_t, int32_t> turns;
  for (const auto& [ring, way] : linked) turns[ring] = steps * way;
  const std::set<TCell> matched = mRig.tower->PredictMatches(turns);
  if (matched.empty()) return 0;
  IPieceJugModel* jugs = mRig.scoring->GetPieceJug();
  const auto slots = static_cast<int32_t>(mRig.tower->GetSlotCount());
  size_t worth = 0;
  for (const TCell& cell : matched) {
    auto turn = turns.find(cell.ring);
    const int32_t slot = ((cell.slot + (turn == turns.end() ? 0 : turn->second)) % slots + slots) % slots;
    const int32_t colour = codes[static_cast<size_t>(cell.ring * slots + cell.slot)] - 1;
    int32_t blockingRing = -1;
    worth += jugs && jugs->CanAccept(colour, cell.ring, slot, blockingRing) ? kJugWorth : 1;
  }
  return worth;
}

TBotRun PlayWithBot(LevelRig& rig, int64_t mostUpdates) {
  TBotRun run;
  if (!rig.IsReady()) return run;
  TowerBot bot(rig);
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
