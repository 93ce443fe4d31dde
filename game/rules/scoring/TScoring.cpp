#include "game/rules/scoring/TScoring.h"

#include <algorithm>
#include <cmath>

#include "game/rules/tower/FindInside.h"
#include "game/rules/level/IPlayMode.h"
#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/powerups/IPowerUpFactory.h"
#include "game/rules/scoring/ILevelResultStore.h"
#include "game/rules/scoring/ILevelStatus.h"
#include "game/rules/scoring/IScoringObserver.h"
#include "game/rules/scoring/IScoringSchemeModel.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/tower/ForEachCell.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/PieceMaking.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/powerups/TChangeColorPowerUp.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/scoring/SaturatingScore.h"

namespace GamePlay {

namespace {

constexpr size_t kShortestRun = 3;
// Matches of this many pieces or more earn a power-up.
constexpr size_t kPowerUpMatch = 5;
constexpr TIntPair kTakenByJug{-1, -1};

// A run: cells of one slot column over consecutive rings. Matches are made of
// runs; the other groups hold the blockers drawn in beside them.
bool IsRun(const TCellGroup& group) {
  if (group.size() < kShortestRun) return false;
  const TCell& first = *group.begin();
  const TCell& last = *group.rbegin();
  bool oneColumn = std::all_of(group.begin(), group.end(),
                               [&](const TCell& cell) { return cell.slot == first.slot; });
  return oneColumn && last.ring - first.ring + 1 == static_cast<int32_t>(group.size());
}

// Only pieces of the six colours feed jugs: never a vacant cell or a
// colourless piece.
bool FeedsJugs(IPiece& piece) { return !piece.IsVoid() && IsPieceColour(piece.GetColour()); }

// A run is scored once its pieces have vanished; they still stand in their
// cells then, void, with their colours.
bool IsVanishedPiece(IPiece& piece) {
  return PieceAs<TDisappearingPiece>(&piece) && IsPieceColour(piece.GetColour());
}

// The creation code of the power-up a match earns, by kind; -1 for none.
int32_t PowerUpCode(int32_t kind) {
  switch (kind) {
    case 1: return IPowerUpFactory::kSmallCrossBomb;
    case 2: return IPowerUpFactory::kTimeBomb;
    case 3: return IPowerUpFactory::kAreaBomb;
    case 5: return IPowerUpFactory::kColourBomb;
    case 6: return IPowerUpFactory::kChangeColour;
    case 7: return IPowerUpFactory::kRingBomb;
    default: return -1;
  }
}

// 0 to 1; anything that is not a number counts as 0.
float ClampFraction(float fraction) {
  if (!(fraction > 0)) return 0;
  return std::min(fraction, 1.0f);
}

bool HoldsPowerUpPiece(IPiece& piece) { return FindInside<TPowerUpPiece>(piece) != nullptr; }
bool HoldsBlocker(IPiece& piece) { return FindInside<TBlockedPiece>(piece) != nullptr; }

// Pieces that will still change by themselves: a move may yet appear.
bool IsUnsettledPiece(IPiece& piece) {
  return PieceAs<TPowerUpPiece>(&piece) || PieceAs<TEmptyPiece>(&piece) ||
         PieceAs<TDisappearingPiece>(&piece);
}

}  // namespace

TScoring::TScoring(IScoringSchemeModel* scheme, TPowerUpTables tables,
                   const TGameRecords& records, TJugMaker makeJugs)
    : mClock(TClockProxyRegistry::Instance().CreateClockProxy()),
      mScheme(scheme),
      mRecords(records),
      mMakeJugs(std::move(makeJugs)),
      mTables(std::move(tables)) {
  mClock->Stop();
  mClock->Start();
}

TScoring::~TScoring() = default;

TLevelResult& TScoring::Result() { return mRecords.results->GetLevelResult(); }

// What belonged to the previous level goes: its jugs, its explosions and its
// control (the new control follows), and a time source not set for this one.
void TScoring::StartLevel(const TScoringStart& start) {
  mStart = start;
  mTower = start.tower;
  mLevel = start.level;
  mScoreGoal = start.scoreGoal;
  mRemaining = start.scoreGoal;
  mJugs.reset();
  mExplosions.reset();
  mTowerControl = nullptr;
  if (!mTimerIsNew) {
    mTimer = nullptr;
    mLevelTime = 0;
  }
  mTimerIsNew = false;
  MakeJugs();
  mLevelScore = 0;
  mSavedTotal = mRecords.status->GetTotalScore();
  Result().Clear();
  // The score table that follows a won level sets off the power-ups left
  // in this tower; its owner takes it out of the record as it goes.
  Result().tower = mTower;
  mTutorialLevel = mLevel.world != 0 && HasTutorialSettings(mLevel, *mRecords.playMode);
  mKinds = TPowerUpKindSequence::Load(mLevel, mTutorialLevel);
  mTallied = false;
  mClock->Stop();
  mClock->Start();
}

void TScoring::MakeJugs() {
  if (!mTower || !mTower->HasPieceJug() || !mMakeJugs) return;
  mJugs = mMakeJugs(TJugSetup{mTables.energyScale, mStart.singlePieceEnergy, mStart.jugLinkFactor,
                              mStart.jugTimeBoost, mTower->GetSoundView()});
  if (!mJugs) return;
  mJugs->SetTower(mTower);
  mJugs->SetTimeController(mTimer);
}

void TScoring::SetTowerControl(ITowerControl* control) {
  mTowerControl = control;
  mExplosions = control ? std::make_unique<TPieceSeqBomb>(control, mStart.explosionStepTime)
                        : nullptr;
  if (mJugs) mJugs->SetColourBombSequence(control, mExplosions.get());
}

void TScoring::SetTimeSource(ITimeController* timer, float levelTime) {
  mTimer = timer;
  mLevelTime = levelTime;
  mTimerIsNew = true;
  if (mJugs) mJugs->SetTimeController(timer);
}

bool TScoring::IsLocked(TInputLock lock) {
  return mTowerControl && mTowerControl->GetInputLocks()->IsLocked(lock);
}

void TScoring::AddPoints(int32_t points) {
  mLevelScore = AddScores(mLevelScore, points);
  if (mScoreGoal != 0) mRemaining = AddScores(mRemaining, -int64_t{points});
}

void TScoring::AddSinglePiece() { AddPoints(mScheme->GetSinglePiece()); }
void TScoring::AddLockExplode() { AddPoints(mScheme->GetLockExplode()); }
void TScoring::AddGearExplode() { AddPoints(mScheme->GetGearExplode()); }
void TScoring::AddPieceBomb(bool accepted) { AddPoints(mScheme->GetPieceBombBonus(accepted)); }
void TScoring::AddBlockerExplode() { AddPoints(mScheme->GetBlockerExplode()); }

// A match with blockers drawn in from beside its runs is a side match. Only
// runs make a match sound.
void TScoring::ScoreMatch(int32_t total, int32_t combo, const TGroupList& groups) {
  bool side = !std::all_of(groups.begin(), groups.end(), IsRun);
  int32_t points = side ? mScheme->GetSideMatch(total, combo) : mScheme->GetComboMatch(total, combo);
  for (const TCellGroup& group : groups) {
    if (group.empty()) continue;
    const TCell& first = *group.begin();
    for (IScoringObserver* observer : mObservers) {
      observer->OnScore(total, combo, first.ring, first.slot, points, side);
    }
  }
  if (combo != 0) ++Result().matchCount;
  AddPoints(points);
  ISoundFactoryView* sound = mTower ? mTower->GetSoundView() : nullptr;
  for (const TCellGroup& group : groups) {
    if (sound && IsRun(group)) sound->PlayMatch(static_cast<int32_t>(group.size()));
  }
  PourMatchEnergy(groups);
}

// Each run pours the energy of its size into the jug of its column, as its
// pieces reach the jugs.
void TScoring::PourMatchEnergy(const TGroupList& groups) {
  if (!mJugs || !mTower) return;
  for (const TCellGroup& group : groups) {
    if (!IsRun(group)) continue;
    const TCell& first = *group.begin();
    TPiecePtr piece = mTower->GetPiece(first.ring, first.slot);
    if (!FeedsJugs(*piece) && !IsVanishedPiece(*piece)) continue;
    bool allFull = false;
    PourEnergy(*piece, first.ring, first.slot, static_cast<int32_t>(group.size()), allFull);
  }
}

void TScoring::MarkJugTargets(int32_t, int32_t, const TGroupList& groups) {
  if (!mJugs || !mTower) return;
  for (const TCellGroup& group : groups) {
    for (const TCell& cell : group) {
      TPiecePtr piece = mTower->GetPiece(cell.ring, cell.slot);
      if (!FeedsJugs(*piece)) continue;
      int32_t blockingRing = -1;
      if (mJugs->CanAccept(piece->GetColour(), cell.ring, cell.slot, blockingRing)) {
        piece->SetJugMark(kTakenByJug);
      } else if (blockingRing != -1) {
        piece->SetJugMark({-1, blockingRing});
      }
    }
  }
}

void TScoring::ScoreGroups(int32_t, int32_t, const TGroupList& groups) {
  if (mTables.match.empty() || !mTower) return;
  for (const TCellGroup& group : groups) {
    int32_t kind = group.size() >= kPowerUpMatch ? mKinds.NextKind() : 0;
    PlacePowerUp(group, kind);
  }
}

// The power-up piece takes the place of the middle one of the group's cells
// that were set off; a group without such a cell earns nothing.
void TScoring::PlacePowerUp(const TCellGroup& group, int32_t kind) {
  int32_t code = PowerUpCode(kind);
  IPieceFactory* pieces = mTower->GetPieceFactory();
  IPowerUpFactory* powerUps = mTower->GetPowerUpFactory();
  if (code < 0 || !pieces || !powerUps) return;
  std::vector<TCell> candidates;
  for (const TCell& cell : group) {
    if (mTower->GetPiece(cell.ring, cell.slot)->IsTriggered()) candidates.push_back(cell);
  }
  if (candidates.empty()) return;
  TCell cell = candidates[candidates.size() / 2];
  int32_t colour = code == IPowerUpFactory::kColourBomb
                       ? mTower->GetPiece(cell.ring, cell.slot)->GetColour()
                       : IPiece::kNoColour;
  TPiecePtr piece = MakePowerUpPiece(*pieces, *powerUps, code, colour);
  if (!piece) return;
  TPowerUpPtr powerUp = piece->GetPowerUp();
  if (auto* colourBomb = dynamic_cast<TColorBombPowerUp*>(powerUp.get())) {
    colourBomb->Set(colour, mExplosions.get());
  }
  if (auto* change = dynamic_cast<TChangeColorPowerUp*>(powerUp.get())) change->SetJugs(mJugs.get());
  if (auto* powerUpPiece = PieceAs<TPowerUpPiece>(piece.get())) powerUpPiece->StartTimer();
  mTower->SetPiece(cell.ring, cell.slot, piece);
}

void TScoring::CommitTotal() {
  Result().totalScore = mRecords.status->GetTotalScore();
}

void TScoring::LevelEndTally() {
  if (mTallied) return;
  mTallied = true;
  if (!mTutorialLevel) TallyBonuses();
  if (mTowerControl) mTowerControl->EndLevel();
  std::vector<IScoringObserver*> observers = mObservers;
  for (IScoringObserver* observer : observers) observer->OnLevelEnd();
}

void TScoring::TallyBonuses() {
  TLevelResult& result = Result();
  result.powerUpBonus = SaturatedScore(int64_t{mScheme->GetPowerUpBonus()} *
                                       CountCellsHolding(HoldsPowerUpPiece));
  result.blockerBonus = CountCellsHolding(HoldsBlocker) == 0 ? mStart.clearBlockerBonus : 0;
  int32_t beforeBonuses = mLevelScore;
  mLevelScore = AddScores(mLevelScore, int64_t{result.blockerBonus} + result.powerUpBonus);

  int32_t secondsLeft = 0;
  int32_t timeBonus = 0;
  if (mTimer) {
    float left = ClampFraction(1.0f - mTimer->GetRate()) * mLevelTime;
    secondsLeft = TruncatedInto<int32_t>(std::max(left, 0.0f));
    timeBonus = TruncatedInto<int32_t>(mScheme->GetTimeBonus() * static_cast<float>(secondsLeft));
  }
  mLevelScore = AddScores(mLevelScore, timeBonus);

  int32_t total = AddScores(mRecords.status->GetTotalScore(), mLevelScore);
  mRecords.status->RecordLevelResult(mLevelScore, total, mLevel);
  result.levelScore = beforeBonuses;
  result.totalScore = total;
  result.elapsedMs = mClock->GetTime();
  result.secondsLeft = secondsLeft;
  result.levelTimeMs = TruncatedInto<uint32_t>(mLevelTime * 1000.0f);
  result.timeBonus = timeBonus;
  result.timer = mTimer;
}

int32_t TScoring::CountCellsHolding(bool (*holds)(IPiece&)) {
  if (!mTower) return 0;
  int32_t count = 0;
  ForEachCell(*mTower, [&](int32_t, int32_t, const TPiecePtr& piece) {
    if (holds(*piece)) ++count;
  });
  return count;
}

int32_t TScoring::GetLevelScore() {
  int32_t tallied = Result().levelScore;
  return tallied != 0 ? tallied : mLevelScore;
}

int32_t TScoring::GetMedalTarget() {
  return mRecords.status->GetTargetScore(mLevel);
}

bool TScoring::IsStuck() {
  if (!mTower || mTower->IsFilling() || mTower->CanDeliver()) return false;
  if (mTowerControl && mTowerControl->GetInputLocks()->IsAnyLocked()) return false;
  if (CountCellsHolding(IsUnsettledPiece) != 0) return false;
  std::vector<TRingReach> rings = ReachOfRings();
  int32_t ringCount = static_cast<int32_t>(rings.size());
  int32_t slots = static_cast<int32_t>(mTower->GetSlotCount());
  for (int32_t ring = 0; ring < ringCount; ++ring) {
    if (!rings[ring].busy && HasVacantCellNear(ring, rings)) return false;
  }
  for (int32_t ring = 0; ring < ringCount; ++ring) {
    for (int32_t slot = 0; slot < slots; ++slot) {
      if (GivesMove(ring, slot, rings)) return false;
    }
  }
  return true;
}

// Gathered once per check, so that asking whether a ring holds a colour
// does not walk the ring again for every cell of the tower.
std::vector<TScoring::TRingReach> TScoring::ReachOfRings() {
  int32_t ringCount = static_cast<int32_t>(mTower->GetRingCount());
  int32_t slots = static_cast<int32_t>(mTower->GetSlotCount());
  std::vector<TRingReach> rings(static_cast<size_t>(ringCount));
  for (int32_t ring = 0; ring < ringCount; ++ring) {
    rings[ring].busy = mTower->IsRingBusy(ring);
    if (rings[ring].busy) continue;
    for (int32_t slot = 0; slot < slots; ++slot) {
      TPiecePtr piece = mTower->GetPiece(ring, slot);
      if (!piece->IsVoid()) rings[ring].colours.insert(piece->GetColour());
    }
  }
  return rings;
}

// A vacant cell in the ring, in the ring below it, or in the ring above it
// unless that is ring 0: pieces may still fall there. Ring 1 never counts
// ring 0's vacancies, which nothing above can fill.
bool TScoring::HasVacantCellNear(int32_t ring, const std::vector<TRingReach>& rings) {
  int32_t slots = static_cast<int32_t>(mTower->GetSlotCount());
  for (int32_t near = ring > 1 ? ring - 1 : ring; near <= ring + 1; ++near) {
    if (near >= static_cast<int32_t>(rings.size())) break;
    for (int32_t slot = 0; slot < slots; ++slot) {
      if (mTower->GetPiece(near, slot)->IsVoid()) return true;
    }
  }
  return false;
}

// Whether turning rings could line the cell's colour up over three rings in
// its column.
bool TScoring::GivesMove(int32_t ring, int32_t slot, const std::vector<TRingReach>& rings) {
  TPiecePtr piece = mTower->GetPiece(ring, slot);
  int32_t colour = piece->GetColour();
  if (piece->IsVoid() || colour < 0) return false;
  int32_t ringCount = static_cast<int32_t>(rings.size());
  for (int32_t top = std::max(ring - 2, 0); top <= ring && top + 2 < ringCount; ++top) {
    if (CanShow(top, slot, colour, rings) && CanShow(top + 1, slot, colour, rings) &&
        CanShow(top + 2, slot, colour, rings)) {
      return true;
    }
  }
  return false;
}

// A ring that turns can bring any of its pieces to the slot; a busy ring
// shows only what it has there.
bool TScoring::CanShow(int32_t ring, int32_t slot, int32_t colour,
                       const std::vector<TRingReach>& rings) {
  TPiecePtr here = mTower->GetPiece(ring, slot);
  if (here->IsVoid()) return false;
  if (rings[ring].busy) return here->GetColour() == colour;
  return rings[ring].colours.count(colour) != 0;
}

float TScoring::GetFillFraction() {
  if (!mTower || IsLocked(TInputLock::StartUpDelivery)) return 0;
  uint32_t cells = mTower->GetRingCount() * mTower->GetSlotCount();
  if (cells == 0) return 0;
  int32_t filled = CountCellsHolding([](IPiece& piece) {
    return !piece.IsVoid() && !PieceAs<TDisappearingPiece>(&piece);
  });
  return static_cast<float>(filled) / static_cast<float>(cells);
}

void TScoring::Step() {
  if (!IsLocked(TInputLock::StartUpDelivery) && mExplosions) mExplosions->Update();
  if (!mTowerControl) return;
  bool busy = std::any_of(mObservers.begin(), mObservers.end(),
                          [](IScoringObserver* observer) { return observer->IsBusy(); });
  TInputLocks* locks = mTowerControl->GetInputLocks();
  if (busy) {
    locks->Lock(TInputLock::ScoringBusy);
  } else {
    locks->Unlock(TInputLock::ScoringBusy);
  }
}

void TScoring::AddObserver(IScoringObserver* observer) {
  if (observer) mObservers.push_back(observer);
}

// The number of jug colours is not needed: the jugs are the pie's colours.
void TScoring::ResetJugEnergyRate(int32_t, float gemEnergyRate, int32_t removeJugColour,
                                  const std::vector<int32_t>& pieJugs) {
  if (mJugs) mJugs->SetJugs(pieJugs, gemEnergyRate, removeJugColour != 0);
}

bool TScoring::ScoreBombedPiece(int32_t ring, int32_t slot, int32_t count, bool& allFull) {
  if (!mJugs || !mTower) return false;
  TPiecePtr piece = mTower->GetPiece(ring, slot);
  if (!FeedsJugs(*piece)) return false;
  return PourEnergy(*piece, ring, slot, count, allFull);
}

bool TScoring::PourEnergy(IPiece& piece, int32_t ring, int32_t slot, int32_t count,
                          bool& allFull) {
  int32_t colour = piece.GetColour();
  int32_t blockingRing = -1;
  if (!mJugs->CanAccept(colour, ring, slot, blockingRing)) {
    if (count == 1 && blockingRing != -1) piece.SetJugMark({-1, blockingRing});
    return false;
  }
  if (mJugs->AddEnergy(colour, ring, slot, count, blockingRing)) {
    LevelEndTally();
    allFull = true;
  }
  if (count == 1) piece.SetJugMark(kTakenByJug);
  return true;
}

void TScoring::ExplodeAll() {
  if (mExplosions) mExplosions->StartRemoveAll();
}

}  // namespace GamePlay
