#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "game/rules/tower/TCell.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IPieceFactory;
class IPowerUpFactory;
class IScoringModel;
class IScriptTutorialView;
class ISoundFactoryView;

// Blockers, locks and gears that have started to break, with the ring they
// broke at, for the presentation to show.
using TBreakingList = std::vector<std::pair<int32_t, TPiecePtr>>;

// Where new pieces enter the tower.
enum TDeliveryMode : int32_t {
  kDeliverFromBottom = 0,
  kDeliverFromTop = 1,
};

// The play field of one level: rings of slots, each cell holding a piece.
// Ring 0 is the top ring, gravity pulls towards the last ring, slots go
// round a ring. A vacant cell holds the piece factory's null piece.
class ITowerModel {
 public:
  virtual ~ITowerModel() = default;

  // Still in the first fill, during which blockers do not hold up delivery.
  virtual bool IsFilling() = 0;
  // The last match pass found matches.
  virtual bool IsComboRunning() = 0;
  // The cells that would match once each ring given is turned right by its
  // number of slots, in the slots the cells have now. Leaves the tower as
  // it was.
  virtual std::set<TCell> PredictMatches(const std::map<int32_t, int32_t>& ringSteps) = 0;
  virtual uint32_t GetRingCount() = 0;
  virtual uint32_t GetSlotCount() = 0;
  // The ring count of the ring generator.
  virtual uint32_t GetGeneratorRingCount() = 0;
  // Outside the tower: the null piece.
  virtual TPiecePtr GetPiece(int32_t ring, int32_t slot) = 0;
  // Outside the tower: nothing happens.
  virtual void SetPiece(int32_t ring, int32_t slot, TPiecePtr piece) = 0;
  // Slot 0 goes to slot 11, every other slot one down.
  virtual void RotateLeft(int32_t ring) = 0;
  // Slot 11 goes to slot 0, every other slot one up.
  virtual void RotateRight(int32_t ring) = 0;
  // Runs a match pass unless match checks are off or the last successful
  // pass is less than 265 ms ago; true when it found matches.
  virtual bool CheckMatches() = 0;
  virtual void EnableMatchCheck(bool enabled) = 0;
  // Lets pieces fall into vacant cells below them; true when some fell.
  virtual bool ApplyGravity() = 0;
  // Takes the piece of a cell out of play, setting off what it carries and
  // breaking locks and gears next to it. cause is the power-up that set the
  // cell off; empty for a match.
  virtual void ActivateCell(int32_t ring, int32_t slot, const TPowerUpPtr& cause) = 0;
  // A bomb hit a cell: a blocker there starts to break when the level lets
  // bombs break blockers.
  virtual void ExplodeBlocker(int32_t ring, int32_t slot) = 0;
  // Some piece of the ring (or of the rings bound to it, when linked rings
  // move together) holds up turning it.
  virtual bool IsRingBusy(int32_t ring) = 0;
  // One piece into every column that can take one; true when some did.
  virtual bool StepAllColumns(int32_t mode) = 0;
  virtual bool StepColumn(int32_t slot, int32_t mode) = 0;
  // The lowest ring index at which some column holds a piece that will not
  // move on; the slot count (not the ring count) when no column holds one.
  virtual uint32_t GetTopOccupiedRing() = 0;
  // Ring by ring, slot by slot: 0 vacant, else the colour + 1.
  virtual std::vector<int32_t> GetCellCodes() = 0;
  virtual IScoringModel* GetScoring() = 0;
  virtual IPieceFactory* GetPieceFactory() = 0;
  virtual IPowerUpFactory* GetPowerUpFactory() = 0;
  virtual ISoundFactoryView* GetSoundView() = 0;
  // Hits the blocker by ratio and lists it as breaking.
  virtual void StartBlockerBreak(int32_t ring, int32_t slot, const TPiecePtr& blocker,
                                 float ratio) = 0;
  // The presentation empties it as it shows the breaks.
  virtual TBreakingList& GetBreakingList() = 0;
  virtual int32_t GetCompleteDestroyedPieces() = 0;
  virtual bool HasPieceJug() = 0;
  // Some column can take a new piece.
  virtual bool CanDeliver() = 0;
  // The scripted tutorial, told when the step it waits for is done; may be null.
  virtual void SetListener(IScriptTutorialView* listener) = 0;
  // Reads and writes "user:pieces.dump", a picture of the tower.
  virtual void LoadDump() = 0;
  virtual void SaveDump() = 0;
  // Fires the match reaction that a disappearing piece holds (once only,
  // however often it is asked).
  virtual void FireReaction(const TPiecePtr& piece) = 0;
};

}  // namespace GamePlay
