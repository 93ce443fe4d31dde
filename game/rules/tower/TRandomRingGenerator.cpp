#include "game/rules/tower/TRandomRingGenerator.h"

#include <algorithm>

#include "game/rules/pieces/IPiece.h"
#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/powerups/IPowerUpFactory.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/pieces/PieceMaking.h"
#include "game/rules/level/TBlockerLayout.h"
#include "game/rules/level/TLevelSettings.h"

namespace GamePlay {

namespace {

// A power-up roll is a whole number of thousandths.
constexpr int32_t kRollSteps = 1000;

}  // namespace

TRingGeneratorSetup TRandomRingGenerator::SetupFromSettings(const TLevelSettings& settings,
                                                            bool usingTableGenerate) {
  TRingGeneratorSetup setup;
  setup.ringCount = static_cast<uint32_t>(std::max(settings.GetMaxRings(), 0));
  setup.powerUpAppearRate = settings.GetPowerUpAppearRate();
  setup.linkRates = {settings.GetLockAppearRate(), settings.GetGearAppearRate(),
                     settings.GetLockMax(), settings.GetGearMax()};
  setup.zen = settings.GetWorld() == 0;
  if (usingTableGenerate) {
    setup.table = TPieceTable::Load(settings.GetKey(), settings.IsTutorial(), setup.slotCount);
  }
  return setup;
}

TRandomRingGenerator::TRandomRingGenerator(TRingGeneratorSetup setup)
    : mLevel(std::move(setup.level)),
      mRingCount(setup.ringCount),
      mSlotCount(setup.slotCount),
      mPowerUpAppearRate(setup.powerUpAppearRate),
      mLinkRates(setup.linkRates),
      mZen(setup.zen),
      mPieces(setup.pieceFactory),
      mPowerUps(setup.powerUpFactory),
      mRandom(std::move(setup.random)),
      mTable(std::move(setup.table)),
      mLayout(setup.layout),
      mColours(ColoursInPlay(*mPieces)),
      mStartPieces(mSlotCount) {}

void TRandomRingGenerator::SetTower(ITowerModel* tower) {
  mTower = tower;
  for (uint32_t column = 0; column < mSlotCount; ++column) {
    std::deque<TPiecePtr>& start = mStartPieces[column];
    start.clear();
    for (uint32_t index = 0; index < mRingCount; ++index) {
      start.push_back(MakePiece(static_cast<int32_t>(column), true, index));
    }
  }
}

TPiecePtr TRandomRingGenerator::NextPiece(int32_t column) {
  if (column < 0 || static_cast<uint32_t>(column) >= mSlotCount) return mPieces->GetNullPiece();
  std::deque<TPiecePtr>& start = mStartPieces[static_cast<size_t>(column)];
  if (start.empty()) return MakePiece(column, false, 0);
  TPiecePtr piece = std::move(start.front());
  start.pop_front();
  return piece;
}

void TRandomRingGenerator::CountDelivery() {
  ++mRemovedSinceLock;
  ++mRemovedSinceGear;
}

TPieceTableDraw TRandomRingGenerator::DrawCode(int32_t column) {
  if (DealsFromTable(column)) return mTable->NextPiece(column);
  TPieceTableDraw draw;
  draw.entry.code = static_cast<uint8_t>(mRandom->NextBelow(mColours) + 1);
  return draw;
}

TPiecePtr TRandomRingGenerator::MakePiece(int32_t column, bool startUp, uint32_t index) {
  bool fromTable = DealsFromTable(column);
  TPieceTableDraw draw = DrawCode(column);
  TPiecePtr piece = RollPowerUpPiece();
  if (!piece) piece = MakeCodedPiece(draw, fromTable, startUp);
  if (startUp && mLayout) {
    TPiecePtr laid = mLayout->MakePiece(index, static_cast<uint32_t>(column), *mPieces, *mPowerUps);
    if (laid) piece = laid;
  }
  NoteLinks(*piece);
  return piece;
}

TPiecePtr TRandomRingGenerator::RollPowerUpPiece() {
  double roll = static_cast<double>(mRandom->NextBelow(kRollSteps)) / kRollSteps;
  if (!(mPowerUpAppearRate > roll)) return nullptr;
  // The rolled number is the power-up's creation code and the piece's colour.
  int32_t code = mRandom->NextBelow(mColours);
  return MakePowerUpPiece(*mPieces, *mPowerUps, code, code);
}

TPiecePtr TRandomRingGenerator::MakeCodedPiece(const TPieceTableDraw& draw, bool fromTable,
                                               bool startUp) {
  if (draw.entry.code == 0) return mPieces->GetEmptyPiece();
  int32_t colour = DrawableColour(draw.entry.code - 1, mColours);
  TPiecePtr piece = mZen && draw.entry.counter
                        ? mPieces->CreateCounter(colour, kCounterStart)
                        : mPieces->CreateStandard(colour, MakeLink(draw, fromTable, startUp));
  if (fromTable) piece->SetOffset(draw.drawCount, draw.columnNumber);
  return piece;
}

TPowerUpPtr TRandomRingGenerator::MakeLink(const TPieceTableDraw& draw, bool fromTable,
                                           bool startUp) {
  bool lock = fromTable ? draw.entry.lock : !startUp && LockAllowed();
  if (lock) return mPowerUps->CreateLock();
  bool gear = fromTable ? draw.entry.gear : !startUp && GearAllowed();
  if (gear) return mPowerUps->CreateGear();
  return nullptr;
}

bool TRandomRingGenerator::LockAllowed() {
  return mRemovedSinceLock > mLinkRates.lockAppearRate &&
         CountCarried(TPowerUpKind::Lock) < mLinkRates.lockMax;
}

bool TRandomRingGenerator::GearAllowed() {
  return mRemovedSinceGear > mLinkRates.gearAppearRate &&
         CountCarried(TPowerUpKind::Gear) < mLinkRates.gearMax;
}

int32_t TRandomRingGenerator::CountCarried(TPowerUpKind kind) {
  if (!mTower) return 0;
  int32_t count = 0;
  for (int32_t ring = 0; ring < static_cast<int32_t>(mTower->GetRingCount()); ++ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(mTower->GetSlotCount()); ++slot) {
      TPowerUpPtr powerUp = mTower->GetPiece(ring, slot)->GetPowerUp();
      if (powerUp && powerUp->GetKind() == kind) ++count;
    }
  }
  return count;
}

void TRandomRingGenerator::NoteLinks(IPiece& piece) {
  TPowerUpPtr powerUp = piece.GetPowerUp();
  if (!powerUp) return;
  if (powerUp->GetKind() == TPowerUpKind::Lock) {
    mRemovedSinceLock = 0;
  } else if (powerUp->GetKind() == TPowerUpKind::Gear) {
    mRemovedSinceGear = 0;
  }
}

}  // namespace GamePlay
