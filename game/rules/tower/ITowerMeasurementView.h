#pragma once

#include <cstdint>

namespace GamePlay {

// The tower's geometry on screen. Angles are radians measured from straight up,
// growing clockwise; radii are pixels from the tower centre.
class ITowerMeasurementView {
 public:
  virtual ~ITowerMeasurementView() = default;
  // The angle of one slot: pi/6 for 12 slots per ring.
  virtual float GetPieceAngle() = 0;
  // The circle on which a ring's piece centres lie.
  virtual float GetRingRadius(int32_t ring) = 0;
  // How much a ring's pieces are drawn scaled across and along the radius.
  virtual float GetRingScaleX(int32_t ring) = 0;
  virtual float GetRingScaleY(int32_t ring) = 0;
  virtual float GetPieceHeight() = 0;
  // A ring's band for picking: from the inner radius (inclusive) to the
  // radius (exclusive).
  virtual float GetRadius(int32_t ring) = 0;
  virtual float GetInnerRadius(int32_t ring) = 0;
  // A slot's angles: start inclusive, end exclusive, start < end.
  virtual float GetSlotStartAngle(int32_t ring, int32_t slot) = 0;
  virtual float GetSlotEndAngle(int32_t ring, int32_t slot) = 0;
};

}  // namespace GamePlay
