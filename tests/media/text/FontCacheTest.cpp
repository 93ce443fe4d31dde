// The font cache: fonts by name from files, the default font file and the
// font built into the program.
#include "media/text/TFontCache.h"

#include <gtest/gtest.h>

#include <string>

#include "media/text/BuiltinFont.h"
#include "media/text/TVecFont.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

namespace {

std::string Bytes(const std::vector<uint8_t>& image) { return std::string(image.begin(), image.end()); }

class FontCacheTest : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mLogs.Path().c_str()); }

  void WriteFonts(bool withDefault) {
    files.WriteAsset("fonts/other.mvec", Bytes(SyntheticFontImage({0x20AC})));
    files.WriteAsset("fonts/broken.mvec", "not a font");
    if (withDefault) files.WriteAsset("fonts/default.mvec", Bytes(SyntheticFontImage()));
    BuildFileIndex();
  }

  bool Logged(const std::string& text) const {
    return ReadWholeFile(GetLogPath().CStr()).find(text) != std::string::npos;
  }

  TempFolder mLogs;
  TestFileLayer files;
  TFontCache cache;
  const int32_t syntheticGlyphs = TVecFont(SyntheticFontImage()).GetCount();
  const int32_t builtinGlyphs =
      TVecFont(std::vector<uint8_t>(BuiltinFontImage().begin(), BuiltinFontImage().end())).GetCount();
};

TEST_F(FontCacheTest, FontsComeFromTheirFilesOrTheDefaultFile) {
  WriteFonts(true);
  ASSERT_NE(syntheticGlyphs, builtinGlyphs);
  const struct {
    const char* name;
    int32_t glyphs;
  } cases[] = {
      {"fonts/other.mvec", syntheticGlyphs + 1},
      {"fonts/missing.mvec", syntheticGlyphs},
      {"fonts/broken.mvec", syntheticGlyphs},
      {"", syntheticGlyphs},
      {"__DEFAULT", builtinGlyphs},
  };
  for (const auto& c : cases) {
    TVecFont* font = cache.GetFont(c.name);
    ASSERT_NE(font, nullptr) << c.name;
    EXPECT_EQ(font->GetCount(), c.glyphs) << c.name;
    EXPECT_EQ(cache.GetFont(c.name), font) << "kept under its own name: " << c.name;
  }
  EXPECT_TRUE(Logged("Font file fonts/broken.mvec holds no usable glyph"));
}

TEST_F(FontCacheTest, WithoutTheDefaultFileTheBuiltInFontStandsIn) {
  WriteFonts(false);
  EXPECT_EQ(cache.GetFont("fonts/missing.mvec")->GetCount(), builtinGlyphs);
  EXPECT_EQ(cache.GetFont("fonts/default.mvec")->GetCount(), builtinGlyphs);
  EXPECT_EQ(cache.GetFont("fonts/other.mvec")->GetCount(), syntheticGlyphs + 1);
  EXPECT_FALSE(Logged("Font not found"));
}

TEST_F(FontCacheTest, ClearingLoadsEachFontAfresh) {
  WriteFonts(true);
  EXPECT_EQ(cache.GetFont("fonts/other.mvec")->GetCount(), syntheticGlyphs + 1);
  files.WriteAsset("fonts/other.mvec", Bytes(SyntheticFontImage()));
  EXPECT_EQ(cache.GetFont("fonts/other.mvec")->GetCount(), syntheticGlyphs + 1) << "cached";
  cache.Clear();
  EXPECT_EQ(cache.GetFont("fonts/other.mvec")->GetCount(), syntheticGlyphs);
}

}  // namespace
