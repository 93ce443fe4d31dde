#include "game/rules/tower/TTower.h"

#include <algorithm>
#include <string>
#include <utility>

#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/tower/IRingGenerator.h"
#include "game/rules/scoring/ILevelResultStore.h"
#include "game/rules/scoring/IMetricsRecorder.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/control/IScriptTutorialView.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "platform/file/TFile.h"

namespace GamePlay {

namespace {

bool Carries(IPiece& piece, TPowerUpKind kind) {
  TPowerUpPtr powerUp = piece.GetPowerUp();
  return powerUp && powerUp->GetKind() == kind;
}

// Whether piece is outer or lies (at any depth) inside it.
bool Holds(const TPiecePtr& outer, const TPiecePtr& piece) {
  for (TPiecePtr current = outer; current;) {
    if (current == piece) return true;
    TPiecePtr inner = current->GetInner();
    if (inner == current) return false;
    current = std::move(inner);
  }
  return false;
}

// Fires the reaction of the disappearing piece that piece is or wraps.
void FireReactionIn(const TPiecePtr& piece) {
  for (TPiecePtr current = piece; current;) {
    if (auto* disappearing = PieceAs<TDisappearingPiece>(current.get())) {
      disappearing->FireReaction();
      return;
    }
    TPiecePtr inner = current->GetInner();
    if (inner == current) return;
    current = std::move(inner);
  }
}

bool IsChainBomb(IPiece& piece) {
  auto* powerUpPiece = PieceAs<TPowerUpPiece>(&piece);
  return powerUpPiece &&
         (Carries(piece, TPowerUpKind::BigAreaBomb) || Carries(piece, TPowerUpKind::TimeBomb));
}

}  // namespace

TTower::TTower(const TTowerSetup& setup)
    : mLevel(setup.level),
      mRingCount(setup.ringCount),
      mSlotCount(setup.generator->GetSlotCount()),
      mGenerator(setup.generator),
      mPieceFactory(setup.pieceFactory),
      mScoring(setup.scoring),
      mPowerUpFactory(setup.powerUpFactory),
      mSound(setup.sound),
      mMetrics(setup.metrics),
      mResults(setup.results),
      mBlockerEnergyRatios(setup.blockerEnergyRatios),
      mCompleteDestroyedPieces(setup.completeDestroyedPieces),
      mHasPieceJug(setup.hasPieceJug),
      mBlockerExplode(setup.blockerExplode),
      mBombChainReaction(setup.bombChainReaction),
      mDeliveryMode(setup.deliveryMode),
      mLinkedBlockMoving(setup.linkedBlockMoving),
      mRings(mRingCount, TRing(mSlotCount, mPieceFactory->GetNullPiece())),
      mMatchFinder(this, setup.sideMatch) {
  // Last, so that the generator meets a whole tower.
  mGenerator->SetTower(this);
}

TTower::~TTower() = default;

bool TTower::IsInside(int32_t ring, int32_t slot) const {
  return ring >= 0 && ring < static_cast<int32_t>(mRingCount) && slot >= 0 &&
         slot < static_cast<int32_t>(mSlotCount);
}

uint32_t TTower::GetGeneratorRingCount() { return mGenerator->GetRingCount(); }

TPiecePtr TTower::GetPiece(int32_t ring, int32_t slot) {
  return IsInside(ring, slot) ? mRings[ring][slot] : mPieceFactory->GetNullPiece();
}

void TTower::SetPiece(int32_t ring, int32_t slot, TPiecePtr piece) {
  if (IsInside(ring, slot)) PutPiece(ring, slot, std::move(piece));
}

void TTower::PutPiece(int32_t ring, int32_t slot, TPiecePtr piece) {
  TPiecePtr old = std::exchange(mRings[ring][slot], std::move(piece));
  const TPiecePtr& now = mRings[ring][slot];
  // Wrapping the old piece, or unwrapping it (a passing piece arrived), keeps
  // it in the tower.
  if (!Holds(now, old) && !Holds(old, now)) FireReactionIn(old);
}

void TTower::FireReaction(const TPiecePtr& piece) { FireReactionIn(piece); }

// steps > 0 turns right (the last piece to the front), steps < 0 left.
void TTower::RotateRing(int32_t ring, int steps) {
  TRing& pieces = mRings[ring];
  int slots = static_cast<int>(mSlotCount);
  int right = ((steps % slots) + slots) % slots;
  std::rotate(pieces.begin(), pieces.end() - right, pieces.end());
}

void TTower::RotateLeft(int32_t ring) {
  if (!IsInside(ring, 0)) return;
  RotateRing(ring, -1);
  mScoring->OnRingTurned(ring);
}

void TTower::RotateRight(int32_t ring) {
  if (!IsInside(ring, 0)) return;
  RotateRing(ring, 1);
  mScoring->OnRingTurned(ring);
}

std::set<TCell> TTower::PredictMatches(const std::map<int32_t, int32_t>& ringSteps) {
  std::map<int32_t, TRing> saved;
  for (const auto& [ring, steps] : ringSteps) {
    if (!IsInside(ring, 0) || saved.count(ring)) continue;
    saved[ring] = mRings[ring];
    RotateRing(ring, steps);
  }
  TMatches found = mMatchFinder.FindMatches(false);
  for (auto& [ring, pieces] : saved) mRings[ring] = std::move(pieces);

  std::set<TCell> cells;
  int32_t slots = static_cast<int32_t>(mSlotCount);
  for (const TCell& cell : found.cells) {
    auto turned = ringSteps.find(cell.ring);
    int32_t steps = turned == ringSteps.end() ? 0 : turned->second % slots;
    cells.insert({cell.ring, ((cell.slot - steps) % slots + slots) % slots});
  }
  return cells;
}

bool TTower::CheckMatches() {
  if (!mMatchCheckEnabled) return false;
  if (mMatchClock && mMatchClock->GetTime() < kMatchInterval) return false;
  if (!mMatchFinder.RunMatchPass(mBlockerEnergyRatios, mPendingReaction)) return false;
  if (!mMatchClock) mMatchClock.reset(TClockProxyRegistry::Instance().CreateClockProxy());
  mMatchClock->Stop();
  mMatchClock->Start();
  return true;
}

bool TTower::ApplyGravity() {
  if (mPendingReaction) {
    if (IScriptTutorialView* listener = mMatchFinder.GetListener()) listener->RequestNextStep();
    mPendingReaction.reset();
  }
  bool fell = false;
  for (int32_t slot = 0; slot < static_cast<int32_t>(mSlotCount); ++slot) {
    fell = ApplyGravityToColumn(slot) || fell;
  }
  return fell;
}

// Moves each piece that can fall into the vacant cell below it, again and
// again from the top until nothing moves; then writes the column back with a
// falling piece for every piece that moved. Only vanished pieces leave the
// column, and they have fired their reactions as they vanished.
bool TTower::ApplyGravityToColumn(int32_t slot) {
  int32_t rings = static_cast<int32_t>(mRingCount);
  std::vector<TPiecePtr> pieces;
  std::vector<int32_t> source;  // the ring each cell's piece comes from; -1 vacant
  for (int32_t ring = 0; ring < rings; ++ring) {
    pieces.push_back(mRings[ring][slot]);
    source.push_back(pieces.back()->IsVoid() ? -1 : ring);
  }
  for (int32_t ring = 0; ring + 1 < rings;) {
    if (source[ring] != -1 && source[ring + 1] == -1 &&
        IsSettledForDelivery(*pieces[source[ring]])) {
      source[ring + 1] = source[ring];
      source[ring] = -1;
      ring = 0;
    } else {
      ++ring;
    }
  }
  bool fell = false;
  for (int32_t ring = 0; ring < rings; ++ring) {
    if (source[ring] == -1) {
      mRings[ring][slot] = mPieceFactory->GetNullPiece();
    } else if (source[ring] != ring) {
      mRings[ring][slot] = mPieceFactory->CreateFalling(pieces[source[ring]], source[ring], ring);
      fell = true;
    }
  }
  return fell;
}

void TTower::ActivateCell(int32_t ring, int32_t slot, const TPowerUpPtr& cause) {
  if (!IsInside(ring, slot)) return;
  TPiecePtr piece = mRings[ring][slot];
  if (!piece->IsTriggered()) {
    // Only a bomb that another bomb sets off goes off before its time.
    if (!mBombChainReaction || !IsChainBomb(*piece)) return;
    static_cast<TPowerUpPiece&>(*piece).SetTriggered(true);
  }
  BreakLink(ring, piece);
  if (!piece->IsVoid()) {
    mMatchFinder.CountRemovedPiece();
    if (mResults) mResults->GetLevelResult().activationCount++;
    mGenerator->CountDelivery();
    piece->OnRemoved(ring, slot, this);
    PutPiece(ring, slot, mPieceFactory->CreateDisappearing(piece, cause, this));
  }
  // A lock or gear in the ring above binds it to this one; it breaks too.
  if (ring > 0 && ring < static_cast<int32_t>(mRingCount) - 1) {
    TPiecePtr above = mRings[ring - 1][slot];
    if (BreakLink(ring, above)) above->ClearPowerUp(nullptr);
  }
}

bool TTower::BreakLink(int32_t ring, const TPiecePtr& piece) {
  if (Carries(*piece, TPowerUpKind::Lock)) {
    if (mMetrics) mMetrics->CountLockBroken();
    mSound->PlayLockExplode();
    mScoring->AddLockExplode();
  } else if (Carries(*piece, TPowerUpKind::Gear)) {
    if (mMetrics) mMetrics->CountGearBroken();
    mSound->PlayGearExplode();
    mScoring->AddGearExplode();
  } else {
    return false;
  }
  mBreakingList.push_back({ring, piece});
  return true;
}

void TTower::ExplodeBlocker(int32_t ring, int32_t slot) {
  if (!mBlockerExplode || !IsInside(ring, slot)) return;
  TPiecePtr piece = mRings[ring][slot];
  if (!PieceAs<TBlockedPiece>(piece.get())) return;
  auto ratio = mBlockerEnergyRatios.find(0);
  StartBlockerBreak(ring, slot, piece, ratio == mBlockerEnergyRatios.end() ? 0 : ratio->second);
  mScoring->AddBlockerExplode();
}

void TTower::StartBlockerBreak(int32_t ring, int32_t, const TPiecePtr& blocker, float ratio) {
  auto* blocked = PieceAs<TBlockedPiece>(blocker.get());
  if (!blocked) return;
  blocked->Hit(ratio);
  mBreakingList.push_back({ring, blocker});
}

bool TTower::IsRingHeldUp(int32_t ring) {
  for (const TPiecePtr& piece : mRings[ring]) {
    if (!IsSettledForDelivery(*piece)) return true;
  }
  return false;
}

bool TTower::RingHasLink(int32_t ring) {
  if (!IsInside(ring, 0)) return false;
  for (const TPiecePtr& piece : mRings[ring]) {
    if (Carries(*piece, TPowerUpKind::Lock) || Carries(*piece, TPowerUpKind::Gear)) return true;
  }
  return false;
}

bool TTower::IsRingBusy(int32_t ring) {
  if (!IsInside(ring, 0)) return false;
  return mLinkedBlockMoving ? IsLinkedRingBusy(ring) : IsRingHeldUp(ring);
}

// Walks the rings bound to this one: down while a ring holds a link to the
// one below, else up while the ring above holds a link to this one.
bool TTower::IsLinkedRingBusy(int32_t ring) {
  std::set<int32_t> visited;
  for (int32_t current = ring;;) {
    if (!IsInside(current, 0) || !visited.insert(current).second) return false;
    if (IsRingHeldUp(current)) return true;
    if (RingHasLink(current)) {
      ++current;
    } else if (RingHasLink(current - 1)) {
      --current;
    } else {
      return false;
    }
  }
}

bool TTower::StepAllColumns(int32_t mode) {
  ++mSteps;
  bool delivered = false;
  for (int32_t slot = 0; slot < static_cast<int32_t>(mSlotCount); ++slot) {
    delivered = StepColumn(slot, mode) || delivered;
  }
  return delivered;
}

bool TTower::StepColumn(int32_t slot, int32_t mode) {
  if (mode != kDeliverFromBottom && mode != kDeliverFromTop) return false;
  if (!IsInside(0, slot) || !ColumnAcceptsPiece(slot, mode)) return false;
  if (mode == kDeliverFromBottom) {
    DeliverFromBottom(slot);
  } else {
    DeliverFromTop(slot);
  }
  return true;
}

bool TTower::ColumnAcceptsPiece(int32_t slot, int32_t mode) {
  int32_t last = static_cast<int32_t>(mRingCount) - 1;
  for (int32_t i = 0; i <= last; ++i) {
    IPiece& piece = PieceAt(mode == kDeliverFromTop ? i : last - i, slot);
    if (piece.IsVoid()) return true;
    if (!IsSettledForDelivery(piece)) return false;
  }
  return false;
}

TPiecePtr TTower::NextDeliveredPiece(int32_t slot) {
  TPiecePtr piece = mGenerator->NextPiece(slot);
  return piece && !piece->IsVoid() ? piece : nullptr;
}

// Pushes the pieces below the lowest vacant cell up by one ring and raises
// a new piece into the last ring.
void TTower::DeliverFromBottom(int32_t slot) {
  int32_t last = static_cast<int32_t>(mRingCount) - 1;
  int32_t vacant = last;
  while (vacant > 0 && !IsVacant(vacant, slot)) --vacant;
  for (int32_t ring = vacant; ring < last; ++ring) {
    TPiecePtr below = mRings[ring + 1][slot];
    if (!below->IsVoid()) {
      mRings[ring][slot] = mPieceFactory->CreateMoving(below, ring + 1, ring);
    }
  }
  TPiecePtr next = NextDeliveredPiece(slot);
  mRings[last][slot] =
      next ? mPieceFactory->CreateRaising(next, last) : mPieceFactory->GetNullPiece();
}

void TTower::DeliverFromTop(int32_t slot) {
  TPiecePtr next = NextDeliveredPiece(slot);
  PutPiece(0, slot,
           next ? mPieceFactory->CreateMoving(next, 0, -1) : mPieceFactory->GetNullPiece());
}

bool TTower::CanDeliver() {
  for (int32_t slot = 0; slot < static_cast<int32_t>(mSlotCount); ++slot) {
    if (ColumnAcceptsPiece(slot, mDeliveryMode)) return true;
  }
  return false;
}

bool TTower::IsOpen(int32_t ring, int32_t slot) {
  if (IsVacant(ring, slot)) return true;
  if (IsSettledForDelivery(PieceAt(ring, slot))) return false;
  int32_t neighbour = mDeliveryMode == kDeliverFromTop ? ring - 1 : ring + 1;
  return IsInside(neighbour, slot) && IsVacant(neighbour, slot);
}

uint32_t TTower::GetTopOccupiedRing() {
  uint32_t top = mSlotCount;
  for (int32_t slot = 0; slot < static_cast<int32_t>(mSlotCount); ++slot) {
    for (int32_t ring = 0; ring < static_cast<int32_t>(mRingCount); ++ring) {
      if (!IsOpen(ring, slot)) {
        top = std::min(top, static_cast<uint32_t>(ring));
        break;
      }
    }
  }
  return top;
}

std::vector<int32_t> TTower::GetCellCodes() {
  std::vector<int32_t> codes;
  for (const TRing& ring : mRings) {
    for (const TPiecePtr& piece : ring)
      codes.push_back(piece->IsVoid() ? 0 : piece->GetColour() + 1);
  }
  return codes;
}

// Dump codes: "n" vacant, "0" to "5" a piece of that colour, "A" to "F" a
// blocker around a piece of that colour, "Z" a blocker around nothing.
// Anything else the tower holds is written by its colour, or as vacant.
char TTower::DumpCode(IPiece& piece) {
  if (piece.IsVoid()) return 'n';
  int32_t colour = piece.GetColour();
  bool isColour = colour >= 0 && colour <= 5;
  if (PieceAs<TBlockedPiece>(&piece)) {
    if (colour == IPiece::kNoColour) return 'Z';
    return isColour ? static_cast<char>('A' + colour) : 'n';
  }
  return isColour ? static_cast<char>('0' + colour) : 'n';
}

TPiecePtr TTower::MakeDumpPiece(char code) {
  if (code >= '0' && code <= '5') return mPieceFactory->CreateStandard(code - '0', nullptr);
  if (code >= 'A' && code <= 'F') return mPieceFactory->CreateBlocked(code - 'A', true);
  if (code == 'Z') return mPieceFactory->CreateBlocked(IPiece::kNoColour, true);
  return mPieceFactory->GetNullPiece();
}

void TTower::SaveDump() {
  std::string text;
  for (const TRing& ring : mRings) {
    for (const TPiecePtr& piece : ring) text += DumpCode(*piece);
    text += "\r\n";
  }
  FileReplace(kDumpFile, text.data(), static_cast<int32_t>(text.size()), kFileWriteText);
}

// A line end (with or without a carriage return) ends a ring. Cells beyond
// the tower's rings and slots are left out, and no more is read than a dump
// of this tower takes.
void TTower::LoadDump() {
  TFile* file = FileOpen(kDumpFile, kFileReadText);
  if (!file) return;
  std::string text(mRingCount * (mSlotCount + 2), '\0');
  int32_t got = FileRead(file, text.data(), static_cast<int32_t>(text.size()));
  FileClose(file);
  text.resize(static_cast<size_t>(std::max(got, 0)));

  int32_t ring = 0;
  int32_t slot = 0;
  for (char code : text) {
    if (code == '\n') {
      ++ring;
      slot = 0;
    } else if (code != '\r') {
      if (IsInside(ring, slot)) PutPiece(ring, slot, MakeDumpPiece(code));
      ++slot;
    }
  }
}

}  // namespace GamePlay
