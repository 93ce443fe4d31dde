#pragma once

#include <cstdint>
#include <vector>

#include "game/gui/play/TRingRecord.h"
#include "game/rules/tower/ITowerMeasurementView.h"

namespace GUI {

// The size and angles of the tower's rings and slots, from "levels/rings.xml".
// Twelve slots of pi/6 make a ring; ring r is drawn with the product of the
// scale entries of rings 0 to r, and every ring past a list takes its last
// entry. Ring indices are taken as unsigned, so a negative one is past every
// list.
class TTowerMeasurement final : public GamePlay::ITowerMeasurementView {
 public:
  TTowerMeasurement();

  float GetPieceAngle() override;
  float GetRingRadius(int32_t ring) override;
  float GetRingScaleX(int32_t ring) override;
  float GetRingScaleY(int32_t ring) override;
  float GetPieceHeight() override { return mRecord.pieceHeight; }
  // Half the ring's "Ring Radius" entry; 0 when the list is empty.
  float GetRadius(int32_t ring) override;
  float GetInnerRadius(int32_t ring) override;
  float GetSlotStartAngle(int32_t ring, int32_t slot) override;
  float GetSlotEndAngle(int32_t ring, int32_t slot) override;

 private:
  std::vector<float> mScalesX;
  std::vector<float> mScalesY;
  TRingRecord mRecord;
};

}  // namespace GUI
