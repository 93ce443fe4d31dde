#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace GamePlay {

class ISoundFactoryView;
class ITimeController;
class ITowerControl;
class ITowerModel;
class TPieceSeqBomb;

// The jugs round the foot of the tower, one per slot column, which removed
// pieces fill with energy. Neighbouring jugs of one colour are linked and
// share their fill. A full jug clears its colour from the tower and gives
// the level timer time back.
class IPieceJugModel {
 public:
  // The colour of a jug that takes every colour.
  static constexpr int32_t kAnyColour = 9;
  // The colour of a slot without a jug.
  static constexpr int32_t kNoJug = -1;

  virtual ~IPieceJugModel() = default;

  // 0.0 empty to 1.0 full.
  virtual float GetFill(int32_t jug) = 0;
  // Sets the fill of the jug and of every jug linked to it.
  virtual void SetFill(int32_t jug, float fill) = 0;
  // 0 to 5, kAnyColour or kNoJug.
  virtual int32_t GetColour(int32_t jug) = 0;
  virtual uint32_t GetLinkedCount(int32_t jug) = 0;
  virtual uint32_t GetJugCount() = 0;
  // The first jug of every run of neighbouring jugs of one colour.
  virtual std::vector<uint32_t> GetGroupStarts() = 0;
  // The jug under the pointer; -1 none.
  virtual void SetCurrentJug(int32_t jug) = 0;
  virtual int32_t GetCurrentGroup() = 0;
  // Whether the jug would take a piece of the colour removed at ring.
  // blockingRing: the ring of an unbroken blocker between that ring and the
  // foot of the column, which stops the energy; -1 when none.
  virtual bool CanAccept(int32_t colour, int32_t ring, int32_t jug, int32_t& blockingRing) = 0;

  // What the scoring model sets the jugs up with.

  // One jug per entry of colours, empty and linked anew.
  virtual void SetJugs(const std::vector<int32_t>& colours, float energyRate, bool rateFlag) = 0;
  // Pours the energy of a match of size pieces (1: a single piece) of the
  // colour removed at ring into the jug. True when every jug with a colour
  // is full after it.
  virtual bool AddEnergy(int32_t colour, int32_t ring, int32_t jug, int32_t size,
                         int32_t& blockingRing) = 0;
  virtual void SetTower(ITowerModel* tower) = 0;
  // May be null: then a full jug gives no time.
  virtual void SetTimeController(ITimeController* timer) = 0;
  // The sequence that clears a full jug's colour, and the control whose
  // input locks it holds; both may be null.
  virtual void SetColourBombSequence(ITowerControl* control, TPieceSeqBomb* sequence) = 0;
};

// What a level's jugs are made with.
struct TJugSetup {
  // Match size -> energy of a match of that size.
  std::map<int32_t, float> energyScale;
  float singlePieceEnergy = 0;
  // How much linked jugs share their energy.
  float linkFactor = 0;
  // The fraction of the level time a full jug gives back.
  float timeBoost = 0;
  ISoundFactoryView* sound = nullptr;
};

// Makes the jugs of a level.
using TJugMaker = std::function<std::unique_ptr<IPieceJugModel>(const TJugSetup&)>;

}  // namespace GamePlay
