#include "tests/support/rules/KitPowerUps.h"

using namespace GamePlay;

TPiecePtr RecordingPowerUp::GetCell(TCell& cell) {
  cell = mCell;
  return mPiece;
}

void RecordingPowerUp::SetCell(const TPiecePtr& piece, int32_t ring, int32_t slot) {
  mPiece = piece;
  mCell = {ring, slot};
}

TPowerUpPtr RecordingPowerUpFactory::CreatePowerUp(int32_t code) {
  codes.push_back(code);
  switch (code) {
    case kLockBreaker: return Make(TPowerUpKind::LockBreaker);
    case kGearBreaker: return Make(TPowerUpKind::GearBreaker);
    case kTimeBomb: return Make(TPowerUpKind::TimeBomb);
    case kRingBomb:
    case kSmallCrossBomb:
    case kAreaBomb: return Make(TPowerUpKind::BigAreaBomb);
    case kColourBomb: return Make(TPowerUpKind::ColorBomb);
    case kChangeColour: return Make(TPowerUpKind::ChangeColor);
    default: return nullptr;
  }
}

TPowerUpPtr RecordingPowerUpFactory::Make(TPowerUpKind kind) {
  made.push_back(std::make_shared<RecordingPowerUp>(kind));
  return made.back();
}
