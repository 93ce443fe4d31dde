#pragma once

#include <cstdint>
#include <vector>

#include "game/rules/tower/TCellGroup.h"
#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

class IPieceJugModel;
class IScoringObserver;
class ITimeController;
class ITowerControl;
class ITowerModel;
class ITowerView;

// What a level starts the scoring model with (the level's settings named).
struct TScoringStart {
  ITowerModel* tower = nullptr;
  // Jug energy of a single piece ("Bomb Energy Scale").
  float singlePieceEnergy = 0;
  bool zen = false;
  // Milliseconds per ring of the big explosions ("Seq Explosion Time").
  int32_t explosionStepTime = 0;
  // How much linked jugs share their energy ("Pie Scale Rate").
  float jugLinkFactor = 0;
  TLevelKey level;
  // Points counted down as the level scores ("Time Bonus Scores"); 0: none.
  int32_t scoreGoal = 0;
  // The fraction of the level time a full jug gives back ("Complete Jug
  // Time Boost").
  float jugTimeBoost = 0;
  // Points for a level that ends without blockers ("Clear Blocker Bonus").
  int32_t clearBlockerBonus = 0;
};

// The score of a level, told of every scoring event of the rules; it owns
// the level's jugs and big explosions and makes the level-end tally. In the
// match events, total is the number of matched pieces and combo the number
// of successful match passes in a row.
class IScoringModel {
 public:
  virtual ~IScoringModel() = default;

  // The tower view, which watches the score.
  virtual void SetObserver(ITowerView* view) = 0;
  virtual void StartLevel(const TScoringStart& start) = 0;
  // The level's tower control; its input locks and the explosions go with it.
  virtual void SetTowerControl(ITowerControl* control) = 0;
  // The level timer and the level time in seconds; set before StartLevel
  // for the level it belongs to.
  virtual void SetTimeSource(ITimeController* timer, float levelTime) = 0;
  // One piece taken out by a match pass.
  virtual void AddSinglePiece() = 0;
  // A match pass's reaction fired: the match scores and pours its energy
  // into the jugs.
  virtual void ScoreMatch(int32_t total, int32_t combo, const TGroupList& groups) = 0;
  // The matched pieces learn whether a jug takes them; scores nothing.
  virtual void MarkJugTargets(int32_t total, int32_t combo, const TGroupList& groups) = 0;
  // A match pass found groups: large ones may earn a power-up piece.
  virtual void ScoreGroups(int32_t total, int32_t combo, const TGroupList& groups) = 0;
  virtual TLevelKey GetLevelKey() = 0;
  // A ring turned by one slot; scores nothing.
  virtual void OnRingTurned(int32_t ring) = 0;
  // The play ended: the saved total goes into the level result.
  virtual void CommitTotal() = 0;
  // The level is won: bonuses, the level result and the level's status.
  virtual void LevelEndTally() = 0;
  // No move is left that could make a match.
  virtual bool IsStuck() = 0;
  // The level's score: before bonuses once the level is tallied.
  virtual int32_t GetLevelScore() = 0;
  // The level's score on top of the saved total.
  virtual int32_t GetDisplayScore() = 0;
  // The level's target score; 0 when it has none.
  virtual int32_t GetMedalTarget() = 0;
  // How full the tower is, 0 to 1.
  virtual float GetFillFraction() = 0;
  // The 10 ms step: jugs and explosions advance.
  virtual void Step() = 0;
  // The observer is not owned.
  virtual void AddObserver(IScoringObserver* observer) = 0;
  // Null on a level without jugs.
  virtual IPieceJugModel* GetPieceJug() = 0;
  // Sets the jugs up: one per entry of pieJugs (a colour, any colour, or no
  // jug).
  virtual void ResetJugEnergyRate(int32_t jugColourCount, float gemEnergyRate,
                                  int32_t removeJugColour, const std::vector<int32_t>& pieJugs) = 0;
  // A piece at the cell was blown up (count 1) or matched (count pieces):
  // its energy goes to the jug of the slot. True when the jug took it;
  // allFull becomes true when that filled every jug, which wins the level.
  virtual bool ScoreBombedPiece(int32_t ring, int32_t slot, int32_t count, bool& allFull) = 0;
  // What is left of the score goal.
  virtual int32_t GetRemaining() = 0;
  // Clears the whole tower ring by ring.
  virtual void ExplodeAll() = 0;
  virtual void AddLockExplode() = 0;
  virtual void AddGearExplode() = 0;
  // accepted: a jug took the bombed piece.
  virtual void AddPieceBomb(bool accepted) = 0;
  virtual void AddBlockerExplode() = 0;
};

}  // namespace GamePlay
