#include "tests/support/SyntheticFont.h"

#include "tests/support/FakePlatform.h"
#include "tests/support/MvecWriter.h"

namespace {

constexpr float kInk = 2;
constexpr float kBlankAdvance = 2;

MvecGlyph Square(uint32_t code, float advance) {
  const float top = code >= 'A' && code <= 'Z' ? -3.0f : -2.0f;
  const float bottom = code == 'g' ? 1.0f : 0.0f;
  MvecProgram program;
  program.NewShape().Fill(1, 1).Rectangle(0, top, kInk, bottom).End();
  return {code, 0, kInk, top, bottom, advance, program.Bytes()};
}

}  // namespace

std::vector<uint8_t> SyntheticFontImage(const std::vector<uint32_t>& extraCodes, float advance) {
  std::vector<MvecGlyph> glyphs;
  glyphs.push_back({' ', 0, 0, 0, 0, kBlankAdvance, MvecProgram().End().Bytes()});
  for (uint32_t code = '!'; code <= '~'; ++code) glyphs.push_back(Square(code, advance));
  for (uint32_t code : extraCodes) glyphs.push_back(Square(code, advance));
  return WriteMvec(glyphs);
}

SyntheticFonts::SyntheticFonts()
    : ascii(SyntheticFontImage()), fallback(SyntheticFontImage({0xE9, 0x20AC}, 4)) {}

void SyntheticFonts::InstallOn(FakePlatform& platform) {
  platform.fonts[kName] = &ascii;
  platform.fonts["fonts/default.mvec"] = &fallback;
  platform.fonts["__DEFAULT"] = &fallback;
}
