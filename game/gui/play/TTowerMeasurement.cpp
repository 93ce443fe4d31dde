#include "game/gui/play/TTowerMeasurement.h"

#include <algorithm>
#include <numbers>

namespace GUI {

namespace {

constexpr float kMeasuredSlotAngle = std::numbers::pi_v<float> / 6;

// The product of the entries of rings 0 to ring.
float CumulativeScale(const std::vector<float>& scales, int32_t ring) {
  size_t last = std::min<size_t>(static_cast<uint32_t>(ring), scales.size());
  float scale = 1.0f;
  for (size_t i = 0; i < scales.size() && i <= last; ++i) scale *= scales[i];
  return scale;
}

}  // namespace

TTowerMeasurement::TTowerMeasurement()
    : mRecord(ReadRingRecord(TRingRecord::kFileName)) {
  mScalesX = mRecord.scalesX;
  mScalesY = mRecord.scalesY;
}

float TTowerMeasurement::GetPieceAngle() { return kMeasuredSlotAngle; }

float TTowerMeasurement::GetRingRadius(int32_t ring) {
  return GetRadius(ring) - 0.5f * GetPieceHeight() * GetRingScaleY(ring);
}

float TTowerMeasurement::GetRingScaleX(int32_t ring) { return CumulativeScale(mScalesX, ring); }

float TTowerMeasurement::GetRingScaleY(int32_t ring) { return CumulativeScale(mScalesY, ring); }

float TTowerMeasurement::GetRadius(int32_t ring) {
  const std::vector<float>& radii = mRecord.radii;
  if (radii.empty()) return 0;
  return 0.5f * radii[std::min<size_t>(static_cast<uint32_t>(ring), radii.size() - 1)];
}

float TTowerMeasurement::GetInnerRadius(int32_t ring) {
  return GetRadius(ring) - mRecord.outermostPieceHeight * GetRingScaleY(ring);
}

float TTowerMeasurement::GetSlotStartAngle(int32_t, int32_t slot) {
  return static_cast<float>(slot) * kMeasuredSlotAngle;
}

float TTowerMeasurement::GetSlotEndAngle(int32_t, int32_t slot) {
  return (static_cast<float>(slot) + 1) * kMeasuredSlotAngle;
}

}  // namespace GUI
