#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/level/TGameRecords.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/tower/TPieceJug.h"
#include "game/rules/pieces/TPieceSeqBomb.h"
#include "game/rules/powerups/TPowerUpKindSequence.h"
#include "game/rules/powerups/TPowerUpTables.h"
#include "game/rules/scoring/SaturatingScore.h"

namespace GamePlay {

class IPiece;
class IScoringSchemeModel;
struct TLevelResult;

// The score of one level at a time: it counts the scoring events of the
// rules by the scoring scheme, tells its observers of every match, owns the
// level's jugs and big explosions, places the power-ups that large matches
// earn, knows when no move is left, and at the end of a won level adds the
// bonuses and fills the level result.
//
// A level starts with StartLevel; its tower control follows with
// SetTowerControl. The level is tallied once, however often the end is
// reached.
class TScoring final : public IScoringModel {
 public:
  // The scheme is not owned. The records take the level result and the
  // level's status and tell whether the level plays its tutorial; all but
  // the metrics must be given. makeJugs makes the jugs of a level that has
  // them; when empty, no level gets jugs.
  TScoring(IScoringSchemeModel* scheme, TPowerUpTables tables, const TGameRecords& records,
           TJugMaker makeJugs = MakePieceJug);
  ~TScoring() override;
  TScoring(const TScoring&) = delete;
  TScoring& operator=(const TScoring&) = delete;

  void SetObserver(ITowerView* view) override { mObserver = view; }
  void StartLevel(const TScoringStart& start) override;
  void SetTowerControl(ITowerControl* control) override;
  void SetTimeSource(ITimeController* timer, float levelTime) override;
  void AddSinglePiece() override;
  void ScoreMatch(int32_t total, int32_t combo, const TGroupList& groups) override;
  void MarkJugTargets(int32_t total, int32_t combo, const TGroupList& groups) override;
  void ScoreGroups(int32_t total, int32_t combo, const TGroupList& groups) override;
  TLevelKey GetLevelKey() override { return mLevel; }
  void OnRingTurned(int32_t) override {}
  void CommitTotal() override;
  void LevelEndTally() override;
  bool IsStuck() override;
  int32_t GetLevelScore() override;
  int32_t GetDisplayScore() override { return AddScores(GetLevelScore(), mSavedTotal); }
  int32_t GetMedalTarget() override;
  float GetFillFraction() override;
  void Step() override;
  void AddObserver(IScoringObserver* observer) override;
  IPieceJugModel* GetPieceJug() override { return mJugs.get(); }
  void ResetJugEnergyRate(int32_t jugColourCount, float gemEnergyRate, int32_t removeJugColour,
                          const std::vector<int32_t>& pieJugs) override;
  bool ScoreBombedPiece(int32_t ring, int32_t slot, int32_t count, bool& allFull) override;
  int32_t GetRemaining() override { return mRemaining; }
  void ExplodeAll() override;
  void AddLockExplode() override;
  void AddGearExplode() override;
  void AddPieceBomb(bool accepted) override;
  void AddBlockerExplode() override;

  // The explosions of the current tower control; null without one.
  TPieceSeqBomb* GetExplosions() { return mExplosions.get(); }

 private:
  TLevelResult& Result();
  void AddPoints(int32_t points);
  bool IsLocked(TInputLock lock);
  void MakeJugs();
  void PourMatchEnergy(const TGroupList& groups);
  // The piece's energy into the jug of the slot; true when the jug took it.
  bool PourEnergy(IPiece& piece, int32_t ring, int32_t slot, int32_t count, bool& allFull);
  void PlacePowerUp(const TCellGroup& group, int32_t kind);
  void TallyBonuses();
  int32_t CountCellsHolding(bool (*holds)(IPiece&));

  // What a ring can bring to a slot, for the no-move check: a busy ring
  // only the piece it has there, any other ring any colour it holds.
  struct TRingReach {
    bool busy = false;
    std::set<int32_t> colours;
  };
  std::vector<TRingReach> ReachOfRings();
  bool HasVacantCellNear(int32_t ring, const std::vector<TRingReach>& rings);
  bool CanShow(int32_t ring, int32_t slot, int32_t colour, const std::vector<TRingReach>& rings);
  bool GivesMove(int32_t ring, int32_t slot, const std::vector<TRingReach>& rings);

  int32_t mLevelScore = 0;
  int32_t mSavedTotal = 0;  // the player's total before this level
  int32_t mScoreGoal = 0;
  int32_t mRemaining = 0;
  TScoringStart mStart;
  TLevelKey mLevel;
  std::unique_ptr<IClockProxy> mClock;  // the level's time
  float mLevelTime = 0;                 // seconds
  ITowerView* mObserver = nullptr;
  ITowerModel* mTower = nullptr;
  ITowerControl* mTowerControl = nullptr;
  ITimeController* mTimer = nullptr;
  // The time source was set after the last level start, so it belongs to
  // the level starting next.
  bool mTimerIsNew = false;
  IScoringSchemeModel* mScheme;
  TGameRecords mRecords;
  TJugMaker mMakeJugs;
  std::unique_ptr<TPieceSeqBomb> mExplosions;
  std::unique_ptr<IPieceJugModel> mJugs;  // after the explosions: they point at them
  std::vector<IScoringObserver*> mObservers;
  TPowerUpTables mTables;
  TPowerUpKindSequence mKinds;
  bool mTutorialLevel = false;  // the level plays with tutorial settings
  bool mTallied = false;
};

}  // namespace GamePlay
