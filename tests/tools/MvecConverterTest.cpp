#include "tools/mvec/MvecConverter.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <fstream>
#include <iterator>

#include "media/text/TVecFont.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/BufferTextures.h"
#include "tests/support/TextureHandle.h"

namespace {

const char* const kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
constexpr int32_t kPixelsPerEm = 32;
constexpr int32_t kSide = 64;

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> Convert(const char* font) {
  std::vector<uint8_t> image;
  std::string error;
  EXPECT_TRUE(ConvertToMvec(font, GameFontCodes(), image, error)) << error;
  return image;
}

TEST(MvecConverter, RemakesTheCommittedFontsByteForByte) {
  EXPECT_EQ(Convert(kSans), ReadFile("assets/fonts/default.mvec"));
  EXPECT_EQ(Convert(kSerifBold), ReadFile("assets/fonts/palabi.mvec"));
}

TEST(MvecConverter, RefusesWhatIsNoFontAndAFontWithoutW) {
  std::vector<uint8_t> image;
  std::string error;
  EXPECT_FALSE(ConvertToMvec("assets/fonts/default.mvec", GameFontCodes(), image, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ConvertToMvec(kSans, {'A', 'B'}, image, error));
  EXPECT_EQ(error, "the font has no 'W'");
}

// Our coverage of the converted glyph and FreeType's own anti-aliased
// rendering, at the same pixels per font unit, with the pens on the same
// pixel corner.
TEST(MvecConverter, ConvertedGlyphsCoverWhatFreeTypeRenders) {
  TVecFont font(Convert(kSans));
  FT_Library library;
  FT_Face face;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  ASSERT_EQ(FT_New_Face(library, kSans, 0, &face), 0);
  ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, kPixelsPerEm), 0);
  // Glyph coordinates are the font's units, 1/128 of a font unit of the image.
  const float quarterPixelsPerUnit = 4.0f * kPixelsPerEm * 128.0f / face->units_per_EM;
  constexpr int32_t kPen = 16;
  for (uint32_t code : {uint32_t{'O'}, uint32_t{'B'}, uint32_t{'%'}, uint32_t{0xC5}}) {
    ASSERT_EQ(FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_NO_HINTING), 0);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    auto owned = std::make_unique<BufferTextures>(kSide, kSide);
    BufferTextures& canvas = *owned;
    TVqMiniVecDraw renderer(std::move(owned));
    renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
    renderer.SetCopyAlpha(true);
    ASSERT_TRUE(renderer.Begin(kPen, kPen + 24, TextureHandle(), nullptr));
    renderer.DrawOutline(font.GetProgram(font.FindGlyph(code)), quarterPixelsPerUnit, quarterPixelsPerUnit);
    renderer.End();

    std::vector<int32_t> theirs(kSide * kSide, 0);
    for (uint32_t row = 0; row < bitmap.rows; ++row) {
      for (uint32_t column = 0; column < bitmap.width; ++column) {
        const int32_t x = kPen + face->glyph->bitmap_left + static_cast<int32_t>(column);
        const int32_t y = kPen + 24 - face->glyph->bitmap_top + static_cast<int32_t>(row);
        ASSERT_TRUE(x >= 0 && x < kSide && y >= 0 && y < kSide);
        theirs[y * kSide + x] = bitmap.buffer[row * bitmap.pitch + column];
      }
    }
    int64_t total = 0, difference = 0;
    for (int32_t i = 0; i < kSide * kSide; ++i) {
      total += theirs[i];
      difference += std::abs(static_cast<int32_t>(canvas.pixels[i] >> 24) - theirs[i]);
    }
    EXPECT_GT(total, 255 * 40) << code;
    EXPECT_LE(difference, total * 3 / 100) << code << ": " << difference << " of " << total;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

}  // namespace
