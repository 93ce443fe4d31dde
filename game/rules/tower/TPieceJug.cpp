#include "game/rules/tower/TPieceJug.h"

#include <algorithm>
#include <cmath>

#include "game/rules/pieces/IPiece.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/tower/ITowerModel.h"

namespace GamePlay {

namespace {

constexpr int32_t kSmallestMatch = 3;
constexpr int32_t kLargestScaledMatch = 5;

// Anything but a piece colour or the colour of the jug of every colour is
// a slot without a jug.
int32_t JugColour(int32_t colour) {
  return IsPieceColour(colour) || colour == IPieceJugModel::kAnyColour ? colour
                                                                       : IPieceJugModel::kNoJug;
}

}  // namespace

TPieceJug::TPieceJug(const TJugSetup& setup)
    : mSound(setup.sound),
      mTimeBoost(setup.timeBoost),
      mSinglePieceEnergy(setup.singlePieceEnergy),
      mLinkFactor(setup.linkFactor),
      mEnergyScale(setup.energyScale) {}

bool TPieceJug::HasJug(int32_t jug) const {
  return jug >= 0 && jug < static_cast<int32_t>(mJugs.size()) && mJugs[jug].colour != kNoJug;
}

float TPieceJug::GetFill(int32_t jug) { return HasJug(jug) ? mJugs[jug].fill : 0.0f; }

void TPieceJug::SetFill(int32_t jug, float fill) {
  if (HasJug(jug)) ShareFill(static_cast<uint32_t>(jug), fill);
}

void TPieceJug::ShareFill(uint32_t jug, float fill) {
  mJugs[jug].fill = fill;
  for (uint32_t linked : mJugs[jug].linked) mJugs[linked].fill = fill;
}

int32_t TPieceJug::GetColour(int32_t jug) { return HasJug(jug) ? mJugs[jug].colour : kNoJug; }

uint32_t TPieceJug::GetLinkedCount(int32_t jug) {
  return HasJug(jug) ? static_cast<uint32_t>(mJugs[jug].linked.size()) : 0;
}

// Runs wrap round, so a run that crosses jug 0 starts where its colour
// begins. Jugs all of one colour make one run, said to start at jug 0.
std::vector<uint32_t> TPieceJug::GetGroupStarts() {
  std::vector<uint32_t> starts;
  size_t count = mJugs.size();
  for (size_t jug = 0; jug < count; ++jug) {
    if (mJugs[jug].colour != mJugs[(jug + count - 1) % count].colour) {
      starts.push_back(static_cast<uint32_t>(jug));
    }
  }
  if (starts.empty() && count > 0) starts.push_back(0);
  return starts;
}

int32_t TPieceJug::GetCurrentGroup() {
  if (!HasJug(mCurrentJug) || IsFull(mJugs[mCurrentJug])) return -1;
  std::vector<uint32_t> starts = GetGroupStarts();
  if (starts.size() <= 1) return 0;
  auto next = std::upper_bound(starts.begin(), starts.end(), static_cast<uint32_t>(mCurrentJug));
  return next == starts.end() ? 0 : static_cast<int32_t>(next - starts.begin());
}

void TPieceJug::SetJugs(const std::vector<int32_t>& colours, float energyRate, bool) {
  mEnergyRate = energyRate;
  mJugs.assign(colours.size(), TJug{});
  for (size_t jug = 0; jug < colours.size(); ++jug) mJugs[jug].colour = JugColour(colours[jug]);
  for (uint32_t jug = 0; jug < mJugs.size(); ++jug) Link(jug);
}

// Twelve jugs of one colour meet every neighbour walking either way, so
// each counts its neighbours twice and shares its energy more thinly.
void TPieceJug::Link(uint32_t jug) {
  if (mJugs[jug].colour == kNoJug) return;
  LinkWalking(jug, -1);
  LinkWalking(jug, +1);
}

void TPieceJug::LinkWalking(uint32_t jug, int32_t direction) {
  int32_t count = static_cast<int32_t>(mJugs.size());
  for (int32_t step = 1; step < count; ++step) {
    int32_t other = ((static_cast<int32_t>(jug) + direction * step) % count + count) % count;
    if (mJugs[other].colour != mJugs[jug].colour) return;
    mJugs[jug].linked.push_back(static_cast<uint32_t>(other));
  }
}

bool TPieceJug::Takes(const TJug& jug, int32_t colour) const {
  return IsPieceColour(colour) && (jug.colour == colour || jug.colour == kAnyColour);
}

// The first ring from the given one down to the foot of the column whose
// piece still holds (an unbroken blocker); -1 when none does.
int32_t TPieceJug::FindBlockingRing(int32_t ring, int32_t jug) {
  if (!mTower) return -1;
  int32_t rings = static_cast<int32_t>(mTower->GetRingCount());
  for (int32_t below = std::max(ring, 0); below < rings; ++below) {
    if (!mTower->GetPiece(below, jug)->IsSettled()) return below;
  }
  return -1;
}

bool TPieceJug::CanAccept(int32_t colour, int32_t ring, int32_t jug, int32_t& blockingRing) {
  blockingRing = -1;
  if (!HasJug(jug) || !Takes(mJugs[jug], colour)) return false;
  blockingRing = FindBlockingRing(ring, jug);
  return blockingRing == -1 && !IsFull(mJugs[jug]);
}

// Unlike CanAccept, the blocking ring is found before the colour is
// tested, so a refused colour still reports it.
bool TPieceJug::AddEnergy(int32_t colour, int32_t ring, int32_t jug, int32_t size,
                          int32_t& blockingRing) {
  blockingRing = -1;
  if (jug < 0 || jug >= static_cast<int32_t>(mJugs.size())) return false;
  blockingRing = FindBlockingRing(ring, jug);
  if (blockingRing != -1) return false;
  TJug& target = mJugs[jug];
  if (!Takes(target, colour) || IsFull(target)) return false;
  float sharers = mLinkFactor * static_cast<float>(target.linked.size()) + 1.0f;
  float energy = mEnergyRate * EnergyOf(size) / sharers;
  // Energy that is no positive number (a level without energy values, a
  // link factor that leaves no jug to share with) leaves the fill as it was.
  if (!std::isfinite(energy) || energy <= 0) return false;
  ShareFill(static_cast<uint32_t>(jug), std::min(target.fill + energy, 1.0f));
  if (!IsFull(target)) return false;
  OnFilled(colour);
  return AreAllFull();
}

// A single piece has an energy of its own; matches of more than five
// pieces give what five give, and a pair what three give.
float TPieceJug::EnergyOf(int32_t size) const {
  if (size == 1) return mSinglePieceEnergy;
  auto entry = mEnergyScale.find(std::clamp(size, kSmallestMatch, kLargestScaledMatch));
  return entry == mEnergyScale.end() ? 0.0f : entry->second;
}

void TPieceJug::OnFilled(int32_t colour) {
  if (mSound) mSound->PlayJugFull();
  if (mColourBomb) mColourBomb->StartRemoveColor(colour, std::make_unique<TJugTimeBoost>(this));
}

bool TPieceJug::AreAllFull() const {
  return std::all_of(mJugs.begin(), mJugs.end(),
                     [this](const TJug& jug) { return jug.colour == kNoJug || IsFull(jug); });
}

// The control comes with the sequence, which holds its input locks itself.
void TPieceJug::SetColourBombSequence(ITowerControl*, TPieceSeqBomb* sequence) {
  mColourBomb = sequence;
}

// A negative share of the level time taken off is time given back.
void TPieceJug::GiveTimeBoost() {
  if (mTimer) mTimer->AddTime(-mTimeBoost);
  if (mSound) mSound->PlayTimeBomb();
}

std::unique_ptr<IPieceJugModel> MakePieceJug(const TJugSetup& setup) {
  return std::make_unique<TPieceJug>(setup);
}

}  // namespace GamePlay
