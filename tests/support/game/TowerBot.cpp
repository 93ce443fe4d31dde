#include "tests/support/game/TowerBot.h"

#include <set>

#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/LinkedRings.h"

using namespace GamePlay;

namespace {

// Turns that one drag can make, either way; a drag of half the tower
// would have no direction.
constexpr int32_t kLongestDrag = 5;
// A matched cell that feeds a jug counts as this many that do not.
constexpr size_t kJugWorth = 10;

}  // namespace

// The tower control takes no press while a column can take a new piece.
bool TowerBot::IsAtRest(ITowerModel& tower, ITowerControl& control) {
  return !control.GetInputLocks()->IsAnyLocked() && !tower.IsComboRunning() && !tower.CanDeliver();
}

std::optional<TBotMove> TowerBot::ChooseMove(ITowerModel& tower) {
  std::vector<int32_t> codes = tower.GetCellCodes();
  if (codes == mFruitless) return std::nullopt;
  ++searches;
  size_t best = 0;
  TBotMove move;
  const auto rings = static_cast<int32_t>(tower.GetRingCount());
  for (int32_t ring = 0; ring < rings; ++ring) {
    std::map<int32_t, int32_t> linked = FreeLinkedRings(tower, ring);
    if (linked.empty()) continue;
    for (int32_t steps = 1; steps <= kLongestDrag; ++steps) {
      for (int32_t way : {steps, -steps}) {
        size_t worth = Worth(tower, linked, way, codes);
        if (worth > best) {
          best = worth;
          move = {ring, way};
        }
      }
    }
  }
  mFruitless = best == 0 ? codes : std::vector<int32_t>{};
  if (best == 0) return std::nullopt;
  return move;
}

// The ring with the rings it takes along and their ways; empty when any of
// them cannot turn.
std::map<int32_t, int32_t> TowerBot::FreeLinkedRings(ITowerModel& tower, int32_t ring) {
  bool gears = false;
  std::map<int32_t, int32_t> linked = FindLinkedRings(tower, ring, gears);
  for (const auto& [linkedRing, way] : linked) {
    if (tower.IsRingBusy(linkedRing)) return {};
  }
  return linked;
}

// The worth of a turn: each cell it matches, and far more each matched cell
// that lands over a jug that takes its colour, as a player who fills the
// jugs looks for.
size_t TowerBot::Worth(ITowerModel& tower, const std::map<int32_t, int32_t>& linked, int32_t steps,
                       const std::vector<int32_t>& codes) {
  std::map<int32_t, int32_t> turns;
  for (const auto& [ring, way] : linked) turns[ring] = steps * way;
  const std::set<TCell> matched = tower.PredictMatches(turns);
  if (matched.empty()) return 0;
  IScoringModel* scoring = tower.GetScoring();
  IPieceJugModel* jugs = scoring ? scoring->GetPieceJug() : nullptr;
  const auto slots = static_cast<int32_t>(tower.GetSlotCount());
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
