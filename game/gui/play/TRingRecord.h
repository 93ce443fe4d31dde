#pragma once

#include <vector>

namespace GUI {

// The tower's geometry as "levels/rings.xml" gives it. Per-ring lists run
// from ring 0 outward; each entry of the scale lists is a ring's scale
// relative to the ring inside it, each radius entry a diameter.
struct TRingRecord {
  static constexpr const char* kFileName = "levels/rings.xml";

  float wholeRadii = 0;
  float pieceHeight = 0;
  float outermostPieceHeight = 0;
  std::vector<float> shadowScales;
  std::vector<float> scalesX;
  std::vector<float> scalesY;
  std::vector<float> radii;
  std::vector<float> shadowRadii;
};

// Reads the record from the string-table file. A file that cannot be read
// gives zeros and empty lists; a missing key reads as 0 or an empty list.
// Each failure is logged: a tower without ring radii draws nothing.
TRingRecord ReadRingRecord(const char* fileName);

}  // namespace GUI
