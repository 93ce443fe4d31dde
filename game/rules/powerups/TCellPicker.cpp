#include "game/rules/powerups/TCellPicker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/rules/pieces/IPiece.h"
#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"

namespace GamePlay {

namespace {

// A point this close to the centre has no angle.
constexpr float kCentreRadius = 0.001f;

// Screen y grows downwards, so straight up is 0 and the angle grows clockwise.
float ClockwiseAngle(float x, float y, float length) {
  float angle = std::acos(std::clamp(-y / length, -1.0f, 1.0f));
  if (x < 0) angle = -angle;
  if (angle < 0) angle += kFullTurn;
  if (angle >= kFullTurn) angle -= kFullTurn;
  return angle;
}

int32_t SlotAt(ITowerMeasurementView& measurement, int32_t ring, int32_t slots, float angle) {
  for (int32_t slot = 0; slot < slots; ++slot) {
    if (measurement.GetSlotStartAngle(ring, slot) <= angle &&
        angle < measurement.GetSlotEndAngle(ring, slot)) {
      return slot;
    }
  }
  return -1;
}

}  // namespace

bool TCellPicker::Pick(const TPoint& point, int32_t& ring, int32_t& slot, float& angle,
                       bool skipVacant) {
  ITowerMeasurementView& measurement = *mView->GetMeasurement();
  TPoint centre = mView->GetCentre();
  float x = static_cast<float>(point.x - centre.x);
  float y = static_cast<float>(point.y - centre.y);
  float length = std::hypot(x, y);
  int32_t rings = static_cast<int32_t>(mModel->GetRingCount());
  int32_t slots = static_cast<int32_t>(mModel->GetSlotCount());
  for (int32_t r = 0; r < rings; ++r) {
    if (length < measurement.GetInnerRadius(r) || length >= measurement.GetRadius(r)) continue;
    ring = r;
    if (length <= kCentreRadius) continue;
    angle = ClockwiseAngle(x, y, length);
    slot = SlotAt(measurement, r, slots, angle);
    if (slot == -1) continue;
    if (!skipVacant || !mModel->GetPiece(r, slot)->IsVoid()) return true;
  }
  return false;
}

}  // namespace GamePlay
