#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/pieces/TPieceSeqBomb.h"

namespace GamePlay {

// The ring of jugs round the foot of the tower, jug j under slot column j;
// jug indices wrap round. A jug takes the removed pieces of its colour (or
// of every colour) unless an unbroken blocker lower in its column stops
// them. Neighbouring jugs of one colour are linked: they share one fill and
// split the energy poured into any of them. A jug that fills up plays
// "Jug Full" and clears its colour from the tower; once that is done the
// level timer gets time back.
class TPieceJug final : public IPieceJugModel {
 public:
  explicit TPieceJug(const TJugSetup& setup);

  float GetFill(int32_t jug) override;
  void SetFill(int32_t jug, float fill) override;
  int32_t GetColour(int32_t jug) override;
  uint32_t GetLinkedCount(int32_t jug) override;
  uint32_t GetJugCount() override { return static_cast<uint32_t>(mJugs.size()); }
  std::vector<uint32_t> GetGroupStarts() override;
  void SetCurrentJug(int32_t jug) override { mCurrentJug = jug; }
  int32_t GetCurrentGroup() override;
  bool CanAccept(int32_t colour, int32_t ring, int32_t jug, int32_t& blockingRing) override;

  void SetJugs(const std::vector<int32_t>& colours, float energyRate, bool rateFlag) override;
  bool AddEnergy(int32_t colour, int32_t ring, int32_t jug, int32_t size,
                 int32_t& blockingRing) override;
  void SetTower(ITowerModel* tower) override { mTower = tower; }
  void SetTimeController(ITimeController* timer) override { mTimer = timer; }
  void SetColourBombSequence(ITowerControl* control, TPieceSeqBomb* sequence) override;

 private:
  friend class TJugTimeBoost;

  struct TJug {
    int32_t colour = kNoJug;
    float fill = 0;
    std::vector<uint32_t> linked;  // the neighbours of the same colour
  };

  bool HasJug(int32_t jug) const;
  bool Takes(const TJug& jug, int32_t colour) const;
  bool IsFull(const TJug& jug) const { return jug.fill >= 1.0f; }
  bool AreAllFull() const;
  void Link(uint32_t jug);
  void LinkWalking(uint32_t jug, int32_t direction);
  int32_t FindBlockingRing(int32_t ring, int32_t jug);
  float EnergyOf(int32_t size) const;
  void ShareFill(uint32_t jug, float fill);
  void OnFilled(int32_t colour);
  void GiveTimeBoost();

  ITowerModel* mTower = nullptr;
  ISoundFactoryView* mSound;
  ITimeController* mTimer = nullptr;
  std::vector<TJug> mJugs;
  float mEnergyRate = 0;
  float mTimeBoost;  // a fraction of the level time
  TPieceSeqBomb* mColourBomb = nullptr;
  float mSinglePieceEnergy;
  int32_t mCurrentJug = -1;
  float mLinkFactor;
  std::map<int32_t, float> mEnergyScale;  // match size -> energy
};

// Gives the level timer the jugs' time back once the colour a full jug
// started clearing is gone.
class TJugTimeBoost final : public TPieceSeqBomb::TEndEventHandler {
 public:
  // The jugs are not owned; they must exist whenever the sequence that
  // holds the handler steps.
  explicit TJugTimeBoost(TPieceJug* jugs) : mJugs(jugs) {}
  void OnEnd() override { mJugs->GiveTimeBoost(); }

 private:
  TPieceJug* mJugs;
};

// The jug maker of a level that plays with real jugs.
std::unique_ptr<IPieceJugModel> MakePieceJug(const TJugSetup& setup);

}  // namespace GamePlay
