#pragma once

#include <cstdint>

#include "game/rules/TCellGroup.h"

namespace GamePlay {

// The score of a level, told of every scoring event of the rules. In the
// match events, total is the number of matched pieces and combo the number
// of successful match passes in a row.
class IScoringModel {
 public:
  virtual ~IScoringModel() = default;

  // One piece taken out by a match pass.
  virtual void AddSinglePiece() = 0;
  // A match pass's reaction fired: the match scores.
  virtual void ScoreMatch(int32_t total, int32_t combo, const TGroupList& groups) = 0;
  // The matched pieces learn whether a jug takes them; scores nothing.
  virtual void MarkJugTargets(int32_t total, int32_t combo, const TGroupList& groups) = 0;
  // A match pass found groups: large ones may earn a power-up piece.
  virtual void ScoreGroups(int32_t total, int32_t combo, const TGroupList& groups) = 0;
  // A ring turned by one slot; scores nothing.
  virtual void OnRingTurned(int32_t ring) = 0;
  virtual void AddLockExplode() = 0;
  virtual void AddGearExplode() = 0;
  virtual void AddBlockerExplode() = 0;
};

}  // namespace GamePlay
