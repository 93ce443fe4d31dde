#include "game/rules/TMatchFinder.h"

#include "game/rules/ITowerModel.h"
#include "game/rules/TDisappearingPiece.h"
#include "game/rules/TFallingPiece.h"
#include "game/rules/TMovingPiece.h"

namespace GamePlay {

namespace {

// Pieces on their way in or out of a cell never take part in a run.
bool CanJoinRun(IPiece& piece) {
  return !piece.IsVoid() && !dynamic_cast<TDisappearingPiece*>(&piece) &&
         !dynamic_cast<TFallingPiece*>(&piece) && !dynamic_cast<TMovingPiece*>(&piece);
}

}  // namespace

TGroupList TMatchFinder::FindColumnRuns(const std::vector<TPiecePtr>& column, int32_t slot) {
  TGroupList runs;
  size_t start = 0;
  while (start < column.size()) {
    IPiece& first = *column[start];
    size_t end = start;
    while (end < column.size() && CanJoinRun(*column[end]) && first.Matches(*column[end])) ++end;
    if (end - start < kShortestRun) {
      ++start;
      continue;
    }
    TCellGroup run;
    for (size_t ring = start; ring < end; ++ring) run.insert({static_cast<int32_t>(ring), slot});
    runs.push_back(std::move(run));
    start = end;
  }
  return runs;
}

TMatches TMatchFinder::FindMatches(bool firstOnly) {
  TMatches found;
  int32_t rings = static_cast<int32_t>(mTower->GetRingCount());
  int32_t slots = static_cast<int32_t>(mTower->GetSlotCount());
  for (int32_t slot = 0; slot < slots; ++slot) {
    std::vector<TPiecePtr> column;
    for (int32_t ring = 0; ring < rings; ++ring) column.push_back(mTower->GetPiece(ring, slot));
    for (TCellGroup& run : FindColumnRuns(column, slot)) found.groups.push_back(std::move(run));
    if (firstOnly && !found.groups.empty()) break;
  }
  for (const TCellGroup& group : found.groups) found.cells.insert(group.begin(), group.end());
  return found;
}

bool TMatchFinder::RunMatchPass() {
  TMatches found = FindMatches(true);
  for (const TCell& cell : found.cells) mTower->ActivateCell(cell.ring, cell.slot, nullptr);
  mComboCount = found.groups.empty() ? 0 : mComboCount + 1;
  return !found.cells.empty();
}

}  // namespace GamePlay
