// Laying out marked-up text into lines and runs, placing them, and hit
// testing links; with the synthetic font, at 5 pixels one font unit is one
// pixel (4 quarter pixels), so every figure is exact.
#include "media/text/TTextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FakePlatform.h"
#include "tests/support/SyntheticFont.h"

namespace {

const TColor kWhiteText(1.0f, 1.0f, 1.0f, 1.0f);

// A line as "x0 h5 a15", then each run as "| first-last startX:endX sSize"
// with " b", " i", " u", " c" for its styles and cursor, " fb" for a run
// drawn from the default font, " t" and the tab, " @" and the link id, and
// " #rrggbb" for a colour other than the layout's.
std::string Describe(const TTextLine& line, const TColor& base) {
  std::string text = "x" + std::to_string(line.x) + " h" + std::to_string(line.height) + " a" +
                     std::to_string(line.ascent);
  for (const TGlyphRun& run : line.runs) {
    text += " | " + std::to_string(run.first) + "-" + std::to_string(run.last) + " " + std::to_string(run.startX) +
            ":" + std::to_string(run.endX) + " s" + std::to_string(run.size);
    if (run.bold) text += " b";
    if (run.italic) text += " i";
    if (run.underline) text += " u";
    if (run.cursor) text += " c";
    if (run.preferredFont) text += " fb";
    if (run.tab) text += " t" + std::to_string(run.tab);
    if (!run.linkId.IsEmpty()) text += std::string(" @") + run.linkId.CStr();
    if (run.color.r != base.r || run.color.g != base.g || run.color.b != base.b) {
      char hex[16];
      std::snprintf(hex, sizeof hex, " #%02x%02x%02x", static_cast<int>(run.color.r * 255 + 0.5f),
                    static_cast<int>(run.color.g * 255 + 0.5f), static_cast<int>(run.color.b * 255 + 0.5f));
      text += hex;
    }
  }
  return text;
}

std::vector<std::string> Describe(const TTextLayout& layout) {
  std::vector<std::string> lines;
  for (const auto& line : layout.GetLines()) lines.push_back(Describe(*line, layout.GetColor()));
  return lines;
}

class TextLayoutTest : public testing::Test {
 protected:
  TextLayoutTest() { fonts.InstallOn(platform); }

  std::unique_ptr<TTextLayout> Make(const std::string& text, int32_t width = 100, int32_t flags = 0,
                                    int32_t height = 100, int32_t size = 5) {
    return TTextLayout::Create(text.c_str(), width, height, flags, SyntheticFonts::kName, size, kWhiteText);
  }

  int LayoutPasses() const { return platform.journal.Count("GetFont fonts/default.mvec"); }

  FakePlatform platform;
  SyntheticFonts fonts;
};

std::string NestedFonts(int32_t count) {
  std::string text;
  for (int32_t i = 1; i <= count; ++i) text += "<font size='" + std::to_string(5 + i) + "'>";
  return text;
}

TEST_F(TextLayoutTest, MarkupLaysOutIntoLinesAndRuns) {
  const struct {
    const char* name;
    std::string text;
    int32_t width;
    int32_t flags;
    std::vector<std::string> lines;
  } cases[] = {
      {"one run", "ab", 100, 0, {"x0 h5 a15 | 0-1 0:7 s5"}},
      {"wrap at a blank", "ab cd", 10, 0, {"x0 h5 a15 | 0-1 0:7 s5", "x0 h5 a15 | 3-4 0:7 s5"}},
      {"the last blank that fits",
       "a b cd",
       10,
       0,
       {"x0 h5 a15 | 0-2 0:9 s5", "x0 h5 a15 | 4-5 0:7 s5"}},
      {"forced break of a long word",
       "abcdef",
       8,
       0,
       {"x0 h5 a15 | 0-1 0:7 s5", "x0 h5 a15 | 2-3 0:7 s5", "x0 h5 a15 | 4-5 0:7 s5"}},
      {"a glyph wider than the box", "ab", 1, 0, {"x0 h5 a15 | 0-0 0:4 s5", "x0 h5 a15 | 1-1 0:4 s5"}},
      {"newline", "ab\ncd", 100, 0, {"x0 h5 a15 | 0-1 0:7 s5", "x0 h5 a15 | 3-4 0:7 s5"}},
      {"empty line between newlines",
       "a\n\nb",
       100,
       0,
       {"x0 h5 a15 | 0-0 0:4 s5", "x0 h5 a15 | 2-1 0:0 s5", "x0 h5 a15 | 3-3 0:4 s5"}},
      {"br with pad", "ab<br pad='3'>cd", 100, 0, {"x0 h8 a15 | 0-1 0:7 s5", "x0 h5 a15 | 14-15 0:7 s5"}},
      {"end of paragraph", "ab</p>cd", 100, 0, {"x0 h5 a15 | 0-1 0:7 s5", "x0 h5 a15 | 6-7 0:7 s5"}},
      {"tab", "a<tab pos='10'>b", 100, 0, {"x0 h5 a15 | 0-0 0:10 s5 t40 | 15-15 10:13 s5"}},
      {"styles and cursor",
       "<b>a</b><i>b</i><u>c</u>d<cursor>",
       100,
       0,
       {"x0 h5 a15 | 0--1 0:0 s0 | 3-3 0:4 s5 b | 8-7 4:4 s0 | 11-11 4:7 s5 i | 16-15 7:8 s0 | 19-19 8:11 s5 u"
        " | 24-24 11:14 s5 c"}},
      {"cursor alone", "<cursor>", 100, 0, {"x0 h5 a15 | 0--1 0:0 s5 c"}},
      {"alignment tags",
       "ab<center>cd</center>ef<right>gh",
       20,
       0,
       {"x0 h5 a15 | 0-1 0:7 s5", "x10 h5 a15 | 10-11 0:7 s5", "x0 h5 a15 | 21-22 0:7 s5",
        "x19 h5 a15 | 30-31 0:7 s5"}},
      {"centre flag", "ab", 20, TTextLayout::kCentreLines, {"x10 h5 a15 | 0-1 0:7 s5"}},
      {"right flag", "ab", 20, TTextLayout::kRightAlignLines, {"x19 h5 a15 | 0-1 0:7 s5"}},
      {"alignment tag over the flags",
       "<left>ab",
       20,
       TTextLayout::kRightAlignLines,
       {"x19 h0 a0 | 0--1 0:0 s0", "x0 h5 a15 | 6-7 0:7 s5"}},
      {"glyph missing from the run's font",
       "a\xC3\xA9" "b",
       100,
       0,
       {"x0 h5 a15 | 0-0 0:4 s5 | 1-2 4:8 s5 fb | 3-3 8:11 s5"}},
      {"character in no font", "a\xE2\x98\x83" "b", 100, 0, {"x0 h5 a15 | 0-4 0:7 s5"}},
      {"escapes", "\\<b>a\\\\", 100, 0, {"x0 h5 a15 | 0-6 0:16 s5"}},
      {"colours with and without '#'",
       "<font color='#ff8000'>a</font><font color='ff8000'>b",
       100,
       0,
       {"x0 h5 a15 | 0--1 0:0 s0 | 22-22 0:4 s5 #ff8000 | 30-29 4:4 s0 | 51-51 4:7 s5 #ff8000"}},
      {"blanks around '=' in a tag",
       "<font size = '10' >a",
       100,
       0,
       {"x0 h10 a30 | 0--1 0:0 s0 | 19-19 0:7 s10"}},
      {"bold acts as b", "<bold>a", 100, 0, {"x0 h5 a15 | 0--1 0:0 s0 | 6-6 0:4 s5 b"}},
      {"unterminated tag as text", "a<b", 100, 0, {"x0 h5 a15 | 0-2 0:10 s5"}},
      {"trailing backslash", "ab\\", 100, 0, {"x0 h5 a15 | 0-2 0:7 s5"}},
      {"link", "<a id='go'>ab</a> c", 100, 0, {"x0 h5 a15 | 0--1 0:0 s0 | 11-12 0:7 s5 @go | 17-18 7:12 s5"}},
      {"/font with nothing pushed", "a</font>b", 100, 0, {"x0 h5 a15 | 0-0 0:4 s5 | 8-8 4:7 s5"}},
      {"wrap back over a tag",
       "ab <font size='10'>cd</font>e",
       14,
       0,
       {"x0 h5 a15 | 0-1 0:7 s5", "x0 h10 a30 | 3-2 0:0 s0 | 19-20 0:13 s10 | 28-27 13:13 s0",
        "x0 h5 a15 | 28-28 0:4 s5"}},
  };
  for (const auto& c : cases) {
    const auto layout = Make(c.text, c.width, c.flags);
    EXPECT_EQ(Describe(*layout), c.lines) << c.name;
  }
}

// Fonts nested deeper than the stack: the 32nd and 33rd change nothing, and
// after their closers the 31st applies again.
TEST_F(TextLayoutTest, ThirtyThreeNestedFontsKeepTheThirtyFirst) {
  const std::string text = NestedFonts(33) + "a</font></font>b</font>c";
  const auto layout = Make(text, 1000);
  ASSERT_EQ(layout->GetLineCount(), 1);
  std::vector<int32_t> sizes;
  for (const TGlyphRun& run : layout->GetLines()[0]->runs) {
    if (run.last >= run.first) sizes.push_back(run.size);
  }
  EXPECT_EQ(sizes, (std::vector<int32_t>{36, 36, 35}));
}

TEST_F(TextLayoutTest, TheBlockIsPlacedByItsFlags) {
  const struct {
    int32_t flags;
    int32_t top, bottom;
    float verticalOffset;
    int32_t left, right;
  } cases[] = {
      {0, 0, 10, 0, 0, 10},
      {TTextLayout::kCentreBlock, 15, 15, -5, 0, 10},
      {TTextLayout::kBottomBlock, 30, 30, -10, 0, 10},
      {TTextLayout::kCentreLines | TTextLayout::kBottomBlock, 30, 30, -10, 10, 20},
  };
  for (const auto& c : cases) {
    const auto layout = TTextLayout::Create("ab<br>abc", 20, 30, c.flags, SyntheticFonts::kName, 5, kWhiteText);
    EXPECT_EQ(layout->GetTop(), c.top) << c.flags;
    EXPECT_EQ(layout->GetBottom(), c.bottom) << c.flags;
    EXPECT_EQ(layout->GetVerticalOffset(), c.verticalOffset) << c.flags;
    EXPECT_EQ(layout->GetLeft(), c.left) << c.flags;
    EXPECT_EQ(layout->GetRight(), c.right) << c.flags;
  }
  const auto empty = Make("");
  EXPECT_EQ(empty->GetLineCount(), 0);
  EXPECT_EQ(empty->GetLeft(), 0);
  EXPECT_EQ(empty->GetRight(), 0);
}

TEST_F(TextLayoutTest, OnlyARealChangeLaysOutAgain) {
  const auto layout = Make("ab");
  EXPECT_EQ(LayoutPasses(), 1);
  layout->SetText("ab");
  layout->SetColor(kWhiteText);
  EXPECT_EQ(LayoutPasses(), 1);
  layout->SetText("abc");
  EXPECT_EQ(LayoutPasses(), 2);
  EXPECT_EQ(layout->GetLines()[0]->runs[0].endX, 10);
  layout->SetColor(TColor(1.0f, 1.0f, 1.0f, 0.5f));
  EXPECT_EQ(LayoutPasses(), 3);
  EXPECT_EQ(layout->GetLines()[0]->runs[0].color.a, 0.5f);
  layout->SetRotation(90, 0, 0);
  EXPECT_EQ(LayoutPasses(), 4);
}

TEST_F(TextLayoutTest, AWholeTurnIsExactlyUpright) {
  const auto layout = Make("ab");
  layout->SetRotation(360, 5, 6);
  EXPECT_EQ(layout->GetCosine(), 1.0f);
  EXPECT_EQ(layout->GetSine(), 0.0f);
  layout->SetRotation(90, 0, 0);
  EXPECT_NEAR(layout->GetCosine(), 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(layout->GetSine(), 1.0f);
  layout->SetRotation(-720, 0, 0);
  EXPECT_EQ(layout->GetCosine(), 1.0f);
  EXPECT_EQ(layout->GetSine(), 0.0f);
}

TEST_F(TextLayoutTest, AnEmptyFontNameIsTheDefaultFont) {
  for (const char* name : {static_cast<const char*>(nullptr), ""}) {
    const auto layout = TTextLayout::Create("a", 100, 100, 0, name, 5, kWhiteText);
    EXPECT_STREQ(layout->GetFontName().CStr(), "__DEFAULT");
    ASSERT_EQ(layout->GetLineCount(), 1);
    EXPECT_EQ(layout->GetLines()[0]->runs[0].font, &fonts.fallback);
  }
}

TEST_F(TextLayoutTest, WithoutAnyFontCharactersTakeNoRoom) {
  platform.fonts.clear();
  const auto layout = Make("ab cd");
  ASSERT_EQ(layout->GetLineCount(), 1);
  const TGlyphRun& run = layout->GetLines()[0]->runs[0];
  EXPECT_EQ(run.font, nullptr);
  EXPECT_EQ(run.endX, 0);
  EXPECT_EQ(run.last, 4);
}

// Lines of heights 5, 10 and 5 (spacing between): the second line's links
// are "one" over x 0 to 7 and "two" over x 7 to 13, from 1.5 pixels into
// the line (the first glyph's room and half a pixel). A point on the edge
// of two lines belongs to the upper one, and the spacing above a line to
// that line.
TEST_F(TextLayoutTest, LinksAreFoundAtRunEdgesAndBetweenLines) {
  const auto layout = Make("ab<br><font size='10'><a id='one'>a</a><a id='two'>b</a></font><br>cd");
  ASSERT_EQ(layout->GetLineCount(), 3);
  const struct {
    float x, y, spacing;
    const char* link;
  } cases[] = {
      {3, 10, 0, "one"},    {1.5f, 10, 0, ""},    {1.6f, 10, 0, "one"}, {8.5f, 10, 0, "one"},
      {8.6f, 10, 0, "two"}, {14.5f, 10, 0, "two"}, {14.6f, 10, 0, ""},  {3, 5, 0, ""},
      {3, 5.1f, 0, "one"},  {3, 15, 0, "one"},    {3, 15.1f, 0, ""},    {3, 6, 2, "one"},
      {3, 17, 2, "one"},    {3, 17.1f, 2, ""},    {3, 30, 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(layout->GetLinkAt(TVec2(c.x, c.y), c.spacing).CStr(), c.link) << c.x << ", " << c.y;
  }
  layout->SetFirstLine(1);
  EXPECT_STREQ(layout->GetLinkAt(TVec2(3, 3), 0).CStr(), "one") << "scrolled up by a line";
}

TEST_F(TextLayoutTest, IsLinkAtHighlightsTheLinkUnderThePoint) {
  const auto layout = Make("<a id='go'>ab</a> c");
  const TVec2 onLink(3, 2), offLink(11, 2);
  EXPECT_TRUE(layout->IsLinkAt(&onLink, 0));
  EXPECT_STREQ(layout->GetHighlightLink().CStr(), "go");
  EXPECT_FALSE(layout->IsLinkAt(&offLink, 0));
  EXPECT_STREQ(layout->GetHighlightLink().CStr(), "");
  EXPECT_TRUE(layout->IsLinkAt(&onLink, 0));
  EXPECT_FALSE(layout->IsLinkAt(nullptr, 0));
  EXPECT_STREQ(layout->GetHighlightLink().CStr(), "");
}

// Five lines of 5 pixels in a box 12 high.
TEST_F(TextLayoutTest, CountLinesFromEndFindsTheLineThatNoLongerFits) {
  const auto layout = Make("a<br>b<br>c<br>d<br>e", 100, 0, 12);
  ASSERT_EQ(layout->GetLineCount(), 5);
  EXPECT_EQ(layout->CountLinesFromEnd(1, 0), 2);
  EXPECT_EQ(layout->CountLinesFromEnd(1, 2), 3);
  EXPECT_EQ(layout->CountLinesFromEnd(2, 0), 3);
  EXPECT_EQ(layout->CountLinesFromEnd(0.1f, 0), 0) << "everything fits";
  EXPECT_EQ(Make("", 100, 0, 12)->CountLinesFromEnd(1, 0), 0);
}

}  // namespace
