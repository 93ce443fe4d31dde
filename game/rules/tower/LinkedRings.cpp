#include "game/rules/tower/LinkedRings.h"

#include "game/rules/pieces/IPiece.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/tower/ITowerModel.h"

namespace GamePlay {

namespace {

// Some piece of the ring carries a power-up of the kind; false for a ring
// outside the tower.
bool RingCarries(ITowerModel& tower, int32_t ring, TPowerUpKind kind) {
  if (ring < 0 || ring >= static_cast<int32_t>(tower.GetRingCount())) return false;
  for (int32_t slot = 0; slot < static_cast<int32_t>(tower.GetSlotCount()); ++slot) {
    TPowerUpPtr powerUp = tower.GetPiece(ring, slot)->GetPowerUp();
    if (powerUp && powerUp->GetKind() == kind) return true;
  }
  return false;
}

class TLinkWalk {
 public:
  explicit TLinkWalk(ITowerModel& tower) : mTower(tower) {}

  void Visit(int32_t ring, int32_t way) {
    if (ring < 0 || ring >= static_cast<int32_t>(mTower.GetRingCount())) return;
    if (!linked.emplace(ring, way).second) return;
    if (RingCarries(mTower, ring, TPowerUpKind::Lock)) Visit(ring + 1, way);
    if (RingCarries(mTower, ring - 1, TPowerUpKind::Lock)) Visit(ring - 1, way);
    if (RingCarries(mTower, ring, TPowerUpKind::Gear)) FollowGear(ring + 1, way);
    if (RingCarries(mTower, ring - 1, TPowerUpKind::Gear)) FollowGear(ring - 1, way);
  }

  std::map<int32_t, int32_t> linked;
  bool turnsGears = false;

 private:
  void FollowGear(int32_t ring, int32_t way) {
    turnsGears = true;
    Visit(ring, -way);
  }

  ITowerModel& mTower;
};

}  // namespace

std::map<int32_t, int32_t> FindLinkedRings(ITowerModel& tower, int32_t ring, bool& turnsGears) {
  TLinkWalk walk(tower);
  walk.Visit(ring, 1);
  turnsGears = walk.turnsGears;
  return std::move(walk.linked);
}

}  // namespace GamePlay
