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
  virtual float GetRingRadius(int32_t ring) = 0;
  // Both 1.0 when there are no rings.
  virtual float GetMaxScale() = 0;
  virtual float GetMinScale() = 0;
  virtual float GetPieceHeight() = 0;
  // A ring's band for picking: inner bound inclusive, outer bound exclusive,
  // inner <= outer.
  virtual float GetBandOuterRadius(int32_t ring) = 0;
  virtual float GetBandInnerRadius(int32_t ring) = 0;
  // A slot's angles: start inclusive, end exclusive, start < end.
  virtual float GetSlotStartAngle(int32_t ring, int32_t slot) = 0;
  virtual float GetSlotEndAngle(int32_t ring, int32_t slot) = 0;
};

}  // namespace GamePlay
