#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/pieces/IPiece.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/TMatchFinder.h"

namespace GamePlay {

class ILevelResultStore;
class IMetricsRecorder;
class IRingGenerator;
struct TLevelParts;

// What a tower is built from: the level's other parts (not owned) and the
// level's values.
struct TTowerSetup {
  uint32_t ringCount = 0;
  IRingGenerator* generator = nullptr;
  IPieceFactory* pieceFactory = nullptr;
  IScoringModel* scoring = nullptr;
  IPowerUpFactory* powerUpFactory = nullptr;
  ISoundFactoryView* sound = nullptr;
  // The game's records of broken locks and gears and of cells set off; either
  // may be null.
  IMetricsRecorder* metrics = nullptr;
  ILevelResultStore* results = nullptr;
  // Jug energy of a blocker by the match size that breaks it, 0 for a bomb.
  std::map<int32_t, float> blockerEnergyRatios{};
  // Rings bound by locks and gears count as busy together.
  bool linkedBlockMoving = false;
  int32_t completeDestroyedPieces = 0;
  bool hasPieceJug = false;
  // Matches draw in blockers beside them in their ring too.
  bool sideMatch = false;
  // Bombs break blockers.
  bool blockerExplode = false;
  // An area or time bomb that another bomb takes out goes off too.
  bool bombChainReaction = false;
  int32_t deliveryMode = kDeliverFromBottom;
  // The level's parts that the pointers above point into when a tower
  // factory made them; held until the tower is gone.
  std::shared_ptr<const TLevelParts> level{};
};

// The tower of one level. It holds the rings as rows of shared pieces, turns
// them, lets pieces fall, delivers new pieces column by column, runs the
// match finder at most once every 265 ms and takes matched pieces out,
// breaking the locks, gears and blockers next to them. It tells the scoring
// model, the sound view and the metrics what happened, and draws nothing.
// A match pass leaves a pending reaction, handed over at the next gravity
// step; a disappearing piece that leaves the tower fires its reaction.
class TTower final : public ITowerModel {
 public:
  static constexpr uint32_t kMatchInterval = 265;  // ms between successful match passes
  static constexpr const char* kDumpFile = "user:pieces.dump";

  // Every cell starts vacant. The tower attaches itself to the generator.
  explicit TTower(const TTowerSetup& setup);
  ~TTower() override;
  TTower(const TTower&) = delete;
  TTower& operator=(const TTower&) = delete;

  bool IsFilling() override { return mSteps <= mRingCount; }
  bool IsComboRunning() override { return mMatchFinder.GetComboCount() != 0; }
  std::set<TCell> PredictMatches(const std::map<int32_t, int32_t>& ringSteps) override;
  uint32_t GetRingCount() override { return mRingCount; }
  uint32_t GetSlotCount() override { return mSlotCount; }
  uint32_t GetGeneratorRingCount() override;
  TPiecePtr GetPiece(int32_t ring, int32_t slot) override;
  void SetPiece(int32_t ring, int32_t slot, TPiecePtr piece) override;
  void RotateLeft(int32_t ring) override;
  void RotateRight(int32_t ring) override;
  bool CheckMatches() override;
  void EnableMatchCheck(bool enabled) override { mMatchCheckEnabled = enabled; }
  bool ApplyGravity() override;
  void ActivateCell(int32_t ring, int32_t slot, const TPowerUpPtr& cause) override;
  void ExplodeBlocker(int32_t ring, int32_t slot) override;
  bool IsRingBusy(int32_t ring) override;
  bool StepAllColumns(int32_t mode) override;
  bool StepColumn(int32_t slot, int32_t mode) override;
  uint32_t GetTopOccupiedRing() override;
  std::vector<int32_t> GetCellCodes() override;
  IScoringModel* GetScoring() override { return mScoring; }
  IPieceFactory* GetPieceFactory() override { return mPieceFactory; }
  IPowerUpFactory* GetPowerUpFactory() override { return mPowerUpFactory; }
  ISoundFactoryView* GetSoundView() override { return mSound; }
  void StartBlockerBreak(int32_t ring, int32_t slot, const TPiecePtr& blocker,
                         float ratio) override;
  TBreakingList& GetBreakingList() override { return mBreakingList; }
  int32_t GetCompleteDestroyedPieces() override { return mCompleteDestroyedPieces; }
  bool HasPieceJug() override { return mHasPieceJug; }
  bool CanDeliver() override;
  void SetListener(IScriptTutorialView* listener) override { mMatchFinder.SetListener(listener); }
  void LoadDump() override;
  void SaveDump() override;
  void FireReaction(const TPiecePtr& piece) override;

 private:
  using TRing = std::deque<TPiecePtr>;

  bool IsInside(int32_t ring, int32_t slot) const;
  IPiece& PieceAt(int32_t ring, int32_t slot) { return *mRings[ring][slot]; }
  bool IsVacant(int32_t ring, int32_t slot) { return PieceAt(ring, slot).IsVoid(); }
  // Puts a piece into a cell; a disappearing piece that it pushes out of
  // the tower (rather than wraps) fires its reaction.
  void PutPiece(int32_t ring, int32_t slot, TPiecePtr piece);
  // While the tower fills, nothing holds up delivery; afterwards unbroken
  // blockers do.
  bool IsSettledForDelivery(IPiece& piece) { return IsFilling() || piece.IsSettled(); }
  bool IsRingHeldUp(int32_t ring);
  bool RingHasLink(int32_t ring);
  bool IsLinkedRingBusy(int32_t ring);
  // The cell can still fill: it is vacant, or its piece is about to move
  // into the vacant cell on the delivery side.
  bool IsOpen(int32_t ring, int32_t slot);
  bool ColumnAcceptsPiece(int32_t slot, int32_t mode);
  void DeliverFromBottom(int32_t slot);
  void DeliverFromTop(int32_t slot);
  // The generator's next piece for the slot, or null when it leaves the cell vacant.
  TPiecePtr NextDeliveredPiece(int32_t slot);
  bool ApplyGravityToColumn(int32_t slot);
  // Takes a lock or gear out of play: counted, heard, scored, listed as breaking.
  bool BreakLink(int32_t ring, const TPiecePtr& piece);
  void RotateRing(int32_t ring, int steps);
  TPiecePtr MakeDumpPiece(char code);
  static char DumpCode(IPiece& piece);

  // First, so that it goes last.
  std::shared_ptr<const TLevelParts> mLevel;
  uint32_t mRingCount;
  uint32_t mSlotCount;
  uint32_t mSteps = 0;
  bool mMatchCheckEnabled = true;
  IRingGenerator* mGenerator;
  IPieceFactory* mPieceFactory;
  IScoringModel* mScoring;
  IPowerUpFactory* mPowerUpFactory;
  ISoundFactoryView* mSound;
  IMetricsRecorder* mMetrics;
  ILevelResultStore* mResults;
  std::map<int32_t, float> mBlockerEnergyRatios;
  int32_t mCompleteDestroyedPieces;
  bool mHasPieceJug;
  bool mBlockerExplode;
  bool mBombChainReaction;
  int32_t mDeliveryMode;
  TMatchReactionPtr mPendingReaction;        // from the last successful match pass
  std::unique_ptr<IClockProxy> mMatchClock;  // made at the first successful match pass
  TBreakingList mBreakingList;
  bool mLinkedBlockMoving;
  std::vector<TRing> mRings;
  TMatchFinder mMatchFinder;
};

}  // namespace GamePlay
