#include "tests/support/rules/KitPowerUpFactory.h"

#include <memory>

#include "tests/support/rules/KitPowerUps.h"

using namespace GamePlay;

namespace {

// The kind of power-up each creation code makes, in code order.
constexpr TPowerUpKind kKindOfCode[] = {
    TPowerUpKind::LockBreaker, TPowerUpKind::GearBreaker, TPowerUpKind::TimeBomb,
    TPowerUpKind::BigAreaBomb, TPowerUpKind::BigAreaBomb, TPowerUpKind::BigAreaBomb,
    TPowerUpKind::ColorBomb,   TPowerUpKind::ChangeColor,
};

}  // namespace

TPowerUpPtr KitPowerUpFactory::CreatePowerUp(int32_t code) {
  made.push_back("PowerUp " + std::to_string(code));
  if (code < 0 || code >= static_cast<int32_t>(std::size(kKindOfCode))) return nullptr;
  return std::make_shared<RecordingPowerUp>(kKindOfCode[code]);
}

TPowerUpPtr KitPowerUpFactory::CreateLock() {
  made.push_back("Lock");
  return std::make_shared<RecordingPowerUp>(TPowerUpKind::Lock);
}

TPowerUpPtr KitPowerUpFactory::CreateGear() {
  made.push_back("Gear");
  return std::make_shared<RecordingPowerUp>(TPowerUpKind::Gear);
}
