#pragma once

#include <cstdint>
#include <vector>

#include "media/text/TVecFont.h"

class FakePlatform;

// A vector font in which every layout figure comes out exact: ascent 3 and
// descent 1 font units, so that at a size of 5 pixels one font unit is one
// pixel (4 quarter pixels), and a run's ascent is 15 quarter pixels.
// Printable ASCII, each glyph a filled square 2 units wide resting on the
// baseline, with no bearing: capitals 3 units tall, other characters 2;
// 'g' reaches 1 below the baseline. Each glyph advances 3 units, ' '
// advances 2 and draws nothing. `extraCodes` adds squares for more
// characters, and `advance` changes every advance but the blank's.
std::vector<uint8_t> SyntheticFontImage(const std::vector<uint32_t>& extraCodes = {}, float advance = 3);

// The fonts of text-layout tests, on a fake platform: "Synth", the ASCII
// font above, and the default font ("fonts/default.mvec", also "__DEFAULT")
// that stands in for it: the same squares plus 'é' (U+00E9) and '€'
// (U+20AC), all advancing 4 units.
class SyntheticFonts {
 public:
  static constexpr char kName[] = "Synth";

  SyntheticFonts();
  void InstallOn(FakePlatform& platform);

  TVecFont ascii;
  TVecFont fallback;
};
