#include "game/rules/control/TRingTurner.h"

#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/tower/LinkedRings.h"

namespace GamePlay {

std::map<int32_t, int32_t> TRingTurner::FreeLinkedRings(int32_t ring) {
  bool turnsGears = false;
  std::map<int32_t, int32_t> linked = FindLinkedRings(*mModel, ring, turnsGears);
  if (turnsGears) mSound->StartGearRotating();
  for (const auto& [linkedRing, way] : linked) {
    if (mModel->IsRingBusy(linkedRing)) return {};
  }
  return linked;
}

bool TRingTurner::SetDragAngle(int32_t ring, float angle) {
  std::map<int32_t, int32_t> linked = FreeLinkedRings(ring);
  if (linked.empty()) return true;
  for (const auto& [linkedRing, way] : linked) mView->SetRingAngle(linkedRing, angle * way);
  return false;
}

void TRingTurner::TurnOneSlot(int32_t ring, int32_t direction) {
  for (const auto& [linkedRing, way] : FreeLinkedRings(ring)) {
    if (direction * way > 0) {
      mModel->RotateRight(linkedRing);
    } else {
      mModel->RotateLeft(linkedRing);
    }
  }
}

float TRingTurner::GetSlotAngle() { return mView->GetMeasurement()->GetPieceAngle(); }

}  // namespace GamePlay
