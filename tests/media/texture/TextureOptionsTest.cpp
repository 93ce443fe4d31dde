#include <gtest/gtest.h>

#include <string>

#include "media/texture/TextureOptions.h"

namespace {

TEST(TextureOptionsTest, SplitsTheNameAndReadsTheOptionWords) {
  struct Case {
    const char* name;
    const char* fileName;
    const char* optionText;
    const char* paletteName;
    uint8_t set;
    uint8_t cleared;
  };
  const Case cases[] = {
      {"title", "title", "", "", 0, 0},
      {"title?alpha", "title", "?alpha", "", kTextureAlpha, kTextureAutoAlpha},
      {"a.png?palettized,palette=pal/night.pal,x", "a.png", "?palettized,palette=pal/night.pal,x",
       "pal/night.pal", kTexturePalettized, 0},
      {"sky.png?palette=pal/desert.pal", "sky.png", "?palette=pal/desert.pal", "pal/desert.pal", 0, 0},
      {"sky.png?palette:pal/alpha.pal,alpha", "sky.png", "?palette:pal/alpha.pal,alpha", "pal/alpha.pal",
       kTextureAlpha, kTextureAutoAlpha},
      {"b.png?rt,simple,slow", "b.png", "?rt,simple,slow", "",
       kTextureRenderTarget | kTextureSimple | kTextureSlow, 0},
      {"c.png?palettized", "c.png", "?palettized", "", kTexturePalettized, 0},
      {"c.png?palette", "c.png", "?palette", "", 0, 0},
      {"c.png?palette=", "c.png", "?palette=", "", 0, 0},
      {"cursor/cursor?colorkeyed", "cursor/cursor", "?colorkeyed", "", 0, 0},
  };
  for (const Case& c : cases) {
    const TTextureOptions options = ParseTextureOptions(c.name);
    EXPECT_STREQ(options.fileName.CStr(), c.fileName) << c.name;
    EXPECT_STREQ(options.optionText.CStr(), c.optionText) << c.name;
    EXPECT_STREQ(options.paletteName.CStr(), c.paletteName) << c.name;
    EXPECT_EQ(options.set, c.set) << c.name;
    EXPECT_EQ(options.cleared, c.cleared) << c.name;
  }
}

TEST(TextureOptionsTest, AlphaReplacesTheAutomaticChoice) {
  EXPECT_EQ(ParseTextureOptions("a?alpha").Apply(kTextureAutoAlpha | kTextureMipmap),
            kTextureAlpha | kTextureMipmap);
  EXPECT_EQ(ParseTextureOptions("a?rt").Apply(kTextureAutoAlpha), kTextureAutoAlpha | kTextureRenderTarget);
}

TEST(TextureOptionsTest, LongNamesAreKeptWhole) {
  const std::string folder(300, 'f');
  const std::string name = folder + "/image.png?palette=" + folder + "/x.pal";
  const TTextureOptions options = ParseTextureOptions(name.c_str());
  EXPECT_EQ(options.fileName.CStr(), folder + "/image.png");
  EXPECT_EQ(options.paletteName.CStr(), folder + "/x.pal");
}

}  // namespace
