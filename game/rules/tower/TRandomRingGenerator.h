#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/tower/IRandomSource.h"
#include "game/rules/tower/IRingGenerator.h"
#include "game/rules/level/TPieceTable.h"

namespace GamePlay {

class IPieceFactory;
class IPowerUpFactory;
class TBlockerLayout;
class TLevelSettings;
struct TLevelParts;

// Where locks and gears may appear on dealt pieces: once more than the
// appear rate of pieces have been removed since the last one, while the
// tower holds fewer than the most allowed.
struct TLinkRates {
  int32_t lockAppearRate = 0;
  int32_t gearAppearRate = 0;
  int32_t lockMax = 0;
  int32_t gearMax = 0;
};

// What a ring generator deals from. The factories and the layout are not
// owned; the table and the random source are.
struct TRingGeneratorSetup {
  uint32_t ringCount = 0;
  uint32_t slotCount = 12;
  IPieceFactory* pieceFactory = nullptr;
  IPowerUpFactory* powerUpFactory = nullptr;
  std::unique_ptr<IRandomSource> random;
  // The chance, 0.0 to 1.0, that a dealt piece is a power-up piece.
  float powerUpAppearRate = 0;
  TLinkRates linkRates;
  // Zen levels turn the table's counter marks into counter pieces.
  bool zen = false;
  // Deals colours, locks, gears and counters from the table where it has
  // entries; null to deal at random.
  std::unique_ptr<TPieceTable> table;
  // Replaces dealt pieces at the start; may be null.
  const TBlockerLayout* layout = nullptr;
  // The level's parts that the pointers above point into when a tower
  // factory made them; held until the generator is gone.
  std::shared_ptr<const TLevelParts> level{};
};

// Deals the pieces that enter the tower, column by column. SetTower deals
// every column one piece per ring for the start; afterwards each call deals
// a new piece. A piece's colour comes from the level's piece table or from
// the random source; by chance it is a power-up piece instead; locks and
// gears come from the table's marks or, after the start, by their rates.
class TRandomRingGenerator final : public IRingGenerator {
 public:
  // A counter piece starts full at this value.
  static constexpr float kCounterStart = 90.0f;

  // The level's counts and rates, and its piece table when the game deals
  // from tables (a level without a table file deals at random).
  static TRingGeneratorSetup SetupFromSettings(const TLevelSettings& settings,
                                               bool usingTableGenerate);

  explicit TRandomRingGenerator(TRingGeneratorSetup setup);

  void SetTower(ITowerModel* tower) override;
  uint32_t GetRingCount() override { return mRingCount; }
  int32_t GetThird() override { return -1; }
  uint32_t GetSlotCount() override { return mSlotCount; }
  // The column's start pieces in order, then a new piece each call; the
  // null piece for a column outside the tower.
  TPiecePtr NextPiece(int32_t column) override;
  void CountDelivery() override;

 private:
  // The colour code and marks of the column's next piece, from the table
  // when it has entries for the column, else a random colour.
  TPieceTableDraw DrawCode(int32_t column);
  bool DealsFromTable(int32_t column) const { return mTable && mTable->HasEntries(column); }
  TPiecePtr MakePiece(int32_t column, bool startUp, uint32_t index);
  TPiecePtr RollPowerUpPiece();
  TPiecePtr MakeCodedPiece(const TPieceTableDraw& draw, bool fromTable, bool startUp);
  TPowerUpPtr MakeLink(const TPieceTableDraw& draw, bool fromTable, bool startUp);
  bool LockAllowed();
  bool GearAllowed();
  int32_t CountCarried(TPowerUpKind kind);
  void NoteLinks(IPiece& piece);

  // First, so that it goes last.
  std::shared_ptr<const TLevelParts> mLevel;
  uint32_t mRingCount;
  uint32_t mSlotCount;
  float mPowerUpAppearRate;
  TLinkRates mLinkRates;
  bool mZen;
  IPieceFactory* mPieces;
  IPowerUpFactory* mPowerUps;
  std::unique_ptr<IRandomSource> mRandom;
  std::unique_ptr<TPieceTable> mTable;
  const TBlockerLayout* mLayout;
  int32_t mColours;
  ITowerModel* mTower = nullptr;
  // Per column, the start pieces not dealt yet.
  std::vector<std::deque<TPiecePtr>> mStartPieces;
  int64_t mRemovedSinceLock = 0;
  int64_t mRemovedSinceGear = 0;
};

}  // namespace GamePlay
