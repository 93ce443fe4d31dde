#include "media/text/TVecFont.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "media/text/BuiltinFont.h"

#include "tests/support/MvecWriter.h"

namespace {

MvecGlyph Glyph(uint32_t code, float top, float bottom, float advance = 5) {
  MvecGlyph glyph;
  glyph.code = code;
  glyph.bearing = 0.5f;
  glyph.width = 4.25f;
  glyph.top = top;
  glyph.bottom = bottom;
  glyph.advance = advance;
  glyph.program = MvecProgram().End().Bytes();
  return glyph;
}

// 'W' reaches 10 above the baseline; 'g' 3 below it. The em is 13 / 0.8.
std::vector<MvecGlyph> Basic() {
  return {Glyph('A', -9, 0), Glyph('C', -9, 0), Glyph('W', -10, 0), Glyph('_', -1, 5), Glyph('g', -7, 3),
          Glyph(0xE9, -12, 7)};
}

TEST(VecFont, LooksUpExactCodesOnly) {
  TVecFont font(WriteMvec(Basic()));
  ASSERT_EQ(font.GetCount(), 6);
  EXPECT_EQ(font.FindGlyph('A'), 0);
  EXPECT_EQ(font.FindGlyph('C'), 1);
  EXPECT_EQ(font.FindGlyph('g'), 4);
  EXPECT_EQ(font.FindGlyph(0xE9), 5);
  for (uint32_t absent : {0u, 'A' - 1u, 'B' + 0u, 'X' + 0u, 0xEAu, 0xFFFFFFFFu}) {
    EXPECT_EQ(font.FindGlyph(absent), -1) << absent;
  }
}

TEST(VecFont, LineBoxComesFromWAndTheLowestAsciiGlyphButUnderscore) {
  TVecFont font(WriteMvec(Basic()));
  EXPECT_FLOAT_EQ(font.GetAscent(), 10.0f);
  EXPECT_FLOAT_EQ(font.GetDescent(), 3.0f);
  EXPECT_FLOAT_EQ(font.GetExtraAbove(), 0.15f * 13.0f / 0.8f);
  EXPECT_FLOAT_EQ(font.GetExtraBelow(), 0.05f * 13.0f / 0.8f);
  EXPECT_EQ(font.GetBold(), 0);
  EXPECT_FLOAT_EQ(font.GetWeight(), 1.0f);
}

TEST(VecFont, AccessorsAnswerInFontUnitsAndNeutrallyOutOfRange) {
  TVecFont font(WriteMvec(Basic()));
  EXPECT_FLOAT_EQ(font.GetLeftBearing(2), 0.5f);
  EXPECT_FLOAT_EQ(font.GetWidth(2), 4.25f);
  EXPECT_FLOAT_EQ(font.GetAdvance(2), 5.0f);
  EXPECT_EQ(font.GetProgram(2).size(), 6u - 2u);  // its own opcode 8 and the three after it
  for (int32_t out : {-1, 6, 1000}) {
    EXPECT_EQ(font.GetLeftBearing(out), 0.0f);
    EXPECT_EQ(font.GetWidth(out), 0.0f);
    EXPECT_EQ(font.GetAdvance(out), 0.0f);
    EXPECT_EQ(font.GetGlyphScale(out), 1.0f);
    EXPECT_EQ(font.GetProgram(out).data(), nullptr);
  }
}

TEST(VecFont, GlyphsThatLeaveTheLineBoxAreShrunk) {
  TVecFont font(WriteMvec(Basic()));
  for (uint32_t code : {'A', 'C', 'W', 'g'}) EXPECT_EQ(font.GetGlyphScale(font.FindGlyph(code)), 1.0f) << code;
  // '_' and 0xE9 reach below the descent, which ignores them: 5 and 7
  // against 3 + 0.05 em.
  const float below = 3.0f + 0.05f * 13.0f / 0.8f;
  EXPECT_FLOAT_EQ(font.GetGlyphScale(font.FindGlyph('_')), below / 5.0f);
  EXPECT_FLOAT_EQ(font.GetGlyphScale(font.FindGlyph(0xE9)), below / 7.0f);

  std::vector<MvecGlyph> tall = Basic();
  tall[0].top = -20;
  TVecFont tallFont(WriteMvec(tall));
  EXPECT_FLOAT_EQ(tallFont.GetGlyphScale(0), (10.0f + 0.15f * 13.0f / 0.8f) / 20.0f);
}

TEST(VecFont, MalformedDataGivesNoGlyphsWithoutFault) {
  std::vector<uint8_t> good = WriteMvec(Basic());
  std::vector<uint8_t> wrongMagic = good;
  wrongMagic[3] = '3';
  std::vector<uint8_t> emptyLineBox = WriteMvec({Glyph('A', 0, 0), Glyph('W', 0, 0)});
  const struct {
    const char* name;
    std::vector<uint8_t> data;
  } cases[] = {
      {"empty", {}},
      {"truncated header", {'M', 'V', 'C', '4', 6, 0}},
      {"wrong magic", wrongMagic},
      {"records cut off", std::vector<uint8_t>(good.begin(), good.begin() + 12 + 18 * 2 - 1)},
      {"ascent + descent 0", emptyLineBox},
  };
  for (const auto& c : cases) {
    TVecFont font(c.data);
    EXPECT_EQ(font.GetCount(), 0) << c.name;
    EXPECT_EQ(font.FindGlyph('W'), -1) << c.name;
    EXPECT_EQ(font.GetAscent(), 0.0f) << c.name;
    EXPECT_EQ(font.GetDescent(), 0.0f) << c.name;
    EXPECT_EQ(font.GetExtraAbove(), 0.0f) << c.name;
    EXPECT_EQ(font.GetAdvance(0), 0.0f) << c.name;
  }
}

TEST(VecFont, KeepsOnlyTheRecordsThatFitWithTheirProgramsInside) {
  std::vector<uint8_t> data = WriteMvec(Basic());
  // The count claims more records than the data holds.
  data[4] = 0xFF;
  data[5] = 0xFF;
  // 'C' has its program far past the end.
  const size_t cOffset = 12 + 18 * 1 + 14;
  data[cOffset + 3] = 0x7F;
  TVecFont font(data);
  EXPECT_LE(font.GetCount(), static_cast<int32_t>((data.size() - 12) / 18));
  EXPECT_EQ(font.FindGlyph('C'), -1);
  EXPECT_EQ(font.FindGlyph('W'), 1);
  EXPECT_FLOAT_EQ(font.GetAscent(), 10.0f);
  // Programs run to the end of the data.
  const std::span<const uint8_t> first = font.GetProgram(0), w = font.GetProgram(1);
  EXPECT_EQ(first.data() + first.size(), w.data() + w.size());
}

TEST(VecFont, TheGamesFontHoldsEveryPrintableAsciiCharacter) {
  std::ifstream in("assets/fonts/default.mvec", std::ios::binary);
  TVecFont font(std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  for (uint32_t code = 0x20; code <= 0x7E; ++code) EXPECT_GE(font.FindGlyph(code), 0) << code;
  EXPECT_GT(font.GetAscent(), 0.0f);
  EXPECT_GT(font.GetDescent(), 0.0f);
  EXPECT_FLOAT_EQ(font.GetGlyphScale(font.FindGlyph('W')), 1.0f);
}

TEST(VecFont, TheBuiltInFontIsTheGamesFont) {
  std::ifstream in("assets/fonts/default.mvec", std::ios::binary);
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::span<const uint8_t> builtIn = BuiltinFontImage();
  EXPECT_EQ(std::vector<uint8_t>(builtIn.begin(), builtIn.end()), file);
}

}  // namespace
