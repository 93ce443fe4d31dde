#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "game/rules/tower/IPieceMatchReaction.h"
#include "game/rules/tower/TCellGroup.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IScriptTutorialView;
class ITowerModel;
class TPieceMatchReaction;

// What a search found: the groups in the order found, and all their cells.
struct TMatches {
  TGroupList groups;
  std::set<TCell> cells;
};

// Finds the matches of a tower: runs of three or more like pieces in one
// slot column over consecutive rings, and the blockers of the runs' colour
// next to them, which the runs draw in and wear down. A real match pass
// takes the runs of the first column that has any, removes them through the
// tower, tells the scoring model and leaves a reaction that scores the match
// when it fires. The combo count is the number of successful passes in a row;
// a fruitless pass ends it only once nothing in the tower is still vanishing
// or on the move, so that the runs a cascade of falls makes count on.
class TMatchFinder {
 public:
  static constexpr size_t kShortestRun = 3;
  static constexpr size_t kLongestRatedRun = 5;

  // sideMatch: blockers beside a run in its ring are drawn in too.
  TMatchFinder(ITowerModel* tower, bool sideMatch) : mTower(tower), mSideMatch(sideMatch) {}
  // Reactions still waiting to fire will do nothing.
  ~TMatchFinder();
  TMatchFinder(const TMatchFinder&) = delete;
  TMatchFinder& operator=(const TMatchFinder&) = delete;

  // The runs of one column (its pieces from ring 0 down), as cells of slot.
  static TGroupList FindColumnRuns(const std::vector<TPiecePtr>& column, int32_t slot);
  // The runs of every column; with firstOnly, of the first column that has any.
  TMatches FindMatches(bool firstOnly);
  // Adds the blockers the runs draw in as one more group, and starts each
  // breaking by the energy ratio of its run's size (3 to 5).
  void DrawInBlockers(TMatches& matches, const std::map<int32_t, float>& ratios);
  // Finds, removes and reports the matches of the first column that has
  // runs; pending becomes the pass's reaction (empty when nothing matched).
  // True when it found something.
  bool RunMatchPass(const std::map<int32_t, float>& ratios, TMatchReactionPtr& pending);

  // The tower took out a piece during a pass.
  void CountRemovedPiece() { ++mRemovedPieces; }
  uint32_t GetComboCount() const { return mComboCount; }
  void SetListener(IScriptTutorialView* listener) { mListener = listener; }
  IScriptTutorialView* GetListener() const { return mListener; }
  ITowerModel* GetTower() const { return mTower; }

 private:
  std::vector<TCell> Neighbours(const TCell& cell);
  bool IsDrawnIn(const TCell& neighbour, const TCell& cell);
  TMatchReactionPtr MakeReaction(uint32_t total, const TGroupList& groups);
  // The disappearing pieces of each group gather on the middle one of them
  // and take the reaction.
  void GatherOnMiddlePieces(const TGroupList& groups, const TMatchReactionPtr& reaction);

  ITowerModel* mTower;
  IScriptTutorialView* mListener = nullptr;
  uint32_t mRemovedPieces = 0;
  uint32_t mComboCount = 0;
  bool mSideMatch;
  std::vector<std::weak_ptr<TPieceMatchReaction>> mReactions;
};

}  // namespace GamePlay
