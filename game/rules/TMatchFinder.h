#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "game/rules/TCell.h"
#include "game/rules/TPiecePtr.h"

namespace GamePlay {

class ITowerModel;

// A run of like pieces: cells in ring order.
using TCellGroup = std::set<TCell>;
using TGroupList = std::vector<TCellGroup>;

// What a search found: the runs in the order found, and all their cells.
struct TMatches {
  TGroupList groups;
  std::set<TCell> cells;
};

// Finds the matches of a tower: runs of three or more like pieces in one
// slot column over consecutive rings. A real match pass takes the runs of
// the first column that has any and removes them through the tower; the
// combo count is the number of successful passes in a row.
class TMatchFinder {
 public:
  static constexpr uint32_t kShortestRun = 3;

  explicit TMatchFinder(ITowerModel* tower) : mTower(tower) {}

  // The runs of one column (its pieces from ring 0 down), as cells of slot.
  static TGroupList FindColumnRuns(const std::vector<TPiecePtr>& column, int32_t slot);
  // The runs of every column; with firstOnly, of the first column that has any.
  TMatches FindMatches(bool firstOnly);
  // Finds and removes the runs of the first column that has any; true when
  // it removed something.
  bool RunMatchPass();

  uint32_t GetComboCount() const { return mComboCount; }

 private:
  ITowerModel* mTower;
  uint32_t mComboCount = 0;
};

}  // namespace GamePlay
