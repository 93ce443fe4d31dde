#include "tests/support/rules/StubTowerView.h"

#include <cmath>

namespace {

constexpr int32_t kSlots = 12;

std::string Describe(const char* event, int32_t a, int32_t b) {
  return std::string(event) + " " + std::to_string(a) + " " + std::to_string(b);
}

}  // namespace

float StubTowerMeasurement::GetPieceAngle() { return GamePlay::kFullTurn / kSlots; }

StubTowerView::StubTowerView(int32_t rings)
    : ringAngles(rings, 0.0f), marks(rings, std::vector<int32_t>(kSlots, 0)) {}

bool StubTowerView::IsRing(int32_t ring) const {
  return ring >= 0 && ring < static_cast<int32_t>(ringAngles.size());
}

float StubTowerView::GetRingAngle(int32_t ring) { return IsRing(ring) ? ringAngles[ring] : 0; }

void StubTowerView::SetRingAngle(int32_t ring, float angle) {
  if (!IsRing(ring)) return;
  angle = std::fmod(angle, GamePlay::kFullTurn);
  if (angle < 0) angle += GamePlay::kFullTurn;
  ringAngles[ring] =
      angle < GamePlay::kFullTurn ? angle : 0;  // a tiny negative angle rounds up to a full turn
}

void StubTowerView::SetRingMark(int32_t ring, int32_t value) {
  if (IsRing(ring)) marks[ring].assign(kSlots, value);
}

void StubTowerView::SetPieceMark(int32_t ring, int32_t slot, int32_t value) {
  if (IsRing(ring) && slot >= 0 && slot < kSlots) marks[ring][slot] = value;
}

void StubTowerView::OnRingTurned(int32_t ring, int32_t steps) {
  events.push_back(Describe("OnRingTurned", ring, steps));
}

bool StubTowerView::SetHover(int32_t ring, int32_t slot) {
  hover = {ring, slot};
  return hover == GamePlay::TCell{0, 0};
}

void StubTowerView::ShowArrow(const std::vector<GamePlay::TArrow>& arrows) {
  events.push_back("ShowArrow " + std::to_string(arrows.size()));
}

void StubTowerView::ShowPowerUpArea(int32_t ring, int32_t slot) {
  events.push_back(Describe("ShowPowerUpArea", ring, slot));
}
