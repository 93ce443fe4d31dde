#include "game/rules/tower/TMatchFinder.h"

#include <algorithm>

#include "game/rules/tower/ForEachCell.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/tower/TPieceMatchReaction.h"
#include "game/rules/pieces/TRaisingPiece.h"

namespace GamePlay {

namespace {

// A piece on its way in or out of a cell.
bool IsPassing(IPiece& piece) {
  return PieceAs<TDisappearingPiece>(&piece) || PieceAs<TFallingPiece>(&piece) ||
         PieceAs<TMovingPiece>(&piece) || PieceAs<TRaisingPiece>(&piece);
}

// Passing pieces never take part in a run.
bool CanJoinRun(IPiece& piece) { return !piece.IsVoid() && !IsPassing(piece); }

// While the pieces of a match vanish and the pieces above them fall, match
// passes find nothing, yet the run that the fall may make still belongs to
// the same combo. Only a fruitless pass over a tower at rest ends the combo.
bool IsAtRest(ITowerModel& tower) {
  bool atRest = true;
  ForEachCell(tower, [&](int32_t, int32_t, const TPiecePtr& piece) {
    if (IsPassing(*piece)) atRest = false;
  });
  return atRest;
}

float RatioFor(const std::map<int32_t, float>& ratios, size_t runSize) {
  auto found = ratios.find(static_cast<int32_t>(runSize));
  return found == ratios.end() ? 0 : found->second;
}

}  // namespace

TMatchFinder::~TMatchFinder() {
  for (const auto& weak : mReactions) {
    if (auto reaction = weak.lock()) reaction->Detach();
  }
}

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

std::vector<TCell> TMatchFinder::Neighbours(const TCell& cell) {
  std::vector<TCell> neighbours;
  int32_t rings = static_cast<int32_t>(mTower->GetRingCount());
  if (cell.ring > 0) neighbours.push_back({cell.ring - 1, cell.slot});
  if (cell.ring + 1 < rings) neighbours.push_back({cell.ring + 1, cell.slot});
  if (mSideMatch) {
    int32_t slots = static_cast<int32_t>(mTower->GetSlotCount());
    neighbours.push_back({cell.ring, (cell.slot + slots - 1) % slots});
    neighbours.push_back({cell.ring, (cell.slot + 1) % slots});
  }
  return neighbours;
}

// An unbroken blocker around a piece of the matched piece's colour.
bool TMatchFinder::IsDrawnIn(const TCell& neighbour, const TCell& cell) {
  TPiecePtr piece = mTower->GetPiece(neighbour.ring, neighbour.slot);
  if (piece->IsSettled() || !PieceAs<TBlockedPiece>(piece.get())) return false;
  int32_t colour = piece->GetColour();
  return colour != IPiece::kNoColour &&
         colour == mTower->GetPiece(cell.ring, cell.slot)->GetColour();
}

void TMatchFinder::DrawInBlockers(TMatches& matches, const std::map<int32_t, float>& ratios) {
  std::map<TCell, size_t> drawnIn;  // blocker -> the first group that drew it in
  for (size_t group = 0; group < matches.groups.size(); ++group) {
    for (const TCell& cell : matches.groups[group]) {
      for (const TCell& neighbour : Neighbours(cell)) {
        if (IsDrawnIn(neighbour, cell)) drawnIn.emplace(neighbour, group);
      }
    }
  }
  if (drawnIn.empty()) return;
  TCellGroup blockers;
  for (const auto& [cell, group] : drawnIn) {
    size_t runSize = std::clamp(matches.groups[group].size(), kShortestRun, kLongestRatedRun);
    mTower->StartBlockerBreak(cell.ring, cell.slot, mTower->GetPiece(cell.ring, cell.slot),
                              RatioFor(ratios, runSize));
    blockers.insert(cell);
  }
  matches.groups.push_back(blockers);
  matches.cells.insert(blockers.begin(), blockers.end());
}

bool TMatchFinder::RunMatchPass(const std::map<int32_t, float>& ratios,
                                TMatchReactionPtr& pending) {
  pending.reset();
  TMatches found = FindMatches(true);
  DrawInBlockers(found, ratios);
  mRemovedPieces = 0;
  for (const TCell& cell : found.cells) mTower->ActivateCell(cell.ring, cell.slot, nullptr);
  IScoringModel* scoring = mTower->GetScoring();
  for (uint32_t piece = 0; piece < mRemovedPieces; ++piece) scoring->AddSinglePiece();
  if (found.groups.empty()) {
    if (mComboCount != 0 && IsAtRest(*mTower)) mComboCount = 0;
    return false;
  }
  ++mComboCount;
  uint32_t total = 0;
  for (const TCellGroup& group : found.groups) total += static_cast<uint32_t>(group.size());
  int32_t combo = static_cast<int32_t>(mComboCount);
  scoring->MarkJugTargets(static_cast<int32_t>(total), combo, found.groups);
  pending = MakeReaction(total, found.groups);
  scoring->ScoreGroups(static_cast<int32_t>(total), combo, found.groups);
  GatherOnMiddlePieces(found.groups, pending);
  return true;
}

TMatchReactionPtr TMatchFinder::MakeReaction(uint32_t total, const TGroupList& groups) {
  std::erase_if(mReactions, [](const auto& weak) { return weak.expired(); });
  auto reaction = std::make_shared<TPieceMatchReaction>(this, total, mComboCount, groups);
  mReactions.push_back(reaction);
  return reaction;
}

void TMatchFinder::GatherOnMiddlePieces(const TGroupList& groups,
                                        const TMatchReactionPtr& reaction) {
  for (const TCellGroup& group : groups) {
    std::vector<std::shared_ptr<TDisappearingPiece>> gathering;
    for (const TCell& cell : group) {
      auto piece =
          std::dynamic_pointer_cast<TDisappearingPiece>(mTower->GetPiece(cell.ring, cell.slot));
      if (piece) gathering.push_back(piece);
    }
    if (gathering.empty()) continue;
    TPiecePtr middle = gathering[gathering.size() / 2];
    for (const auto& piece : gathering) {
      piece->SetTarget(middle);
      piece->SetReaction(reaction);
    }
  }
}

}  // namespace GamePlay
