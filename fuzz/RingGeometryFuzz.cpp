// Feeds arbitrary bytes as "levels/rings.xml" to the tower measurement and
// asks every per-ring value for rings inside, past and before the lists.
// A radius or scale may come out as any float; reading past a list may not.
#include <cstdint>

#include "game/gui/play/TTowerMeasurement.h"
#include "tests/support/FuzzFileLayer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzAsset(GUI::TRingRecord::kFileName, FuzzText(data, size));
  GUI::TTowerMeasurement measurement;
  for (int32_t ring = -2; ring <= 14; ++ring) {
    measurement.GetRingRadius(ring);
    measurement.GetRingScaleX(ring);
    measurement.GetRingScaleY(ring);
    measurement.GetRadius(ring);
    measurement.GetInnerRadius(ring);
    measurement.GetSlotStartAngle(ring, ring);
    measurement.GetSlotEndAngle(ring, ring);
  }
  return 0;
}
