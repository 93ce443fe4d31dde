// Reading marked-up text: tags, their names and attributes, numbers and
// colours, UTF-8 characters; and the mark-up state the tags change.
#include "media/text/MarkupText.h"

#include <gtest/gtest.h>

#include <string>

#include "media/text/TMarkupState.h"

namespace {

struct Read {
  int32_t taken;
  std::string tag;
};

Read ReadAt(const std::string& text, int32_t at = 0) {
  TTagBuffer tag;
  const int32_t taken = ReadTag(text.data(), static_cast<int32_t>(text.size()), at, tag);
  return {taken, std::string(tag.text, tag.length)};
}

TTagBuffer Tag(const std::string& text) {
  TTagBuffer tag;
  EXPECT_GT(ReadTag(text.data(), static_cast<int32_t>(text.size()), 0, tag), 0) << text;
  return tag;
}

TEST(MarkupText, ATagRunsToItsFirstCloserWithoutTheBlanksOutsideQuotes) {
  const struct {
    std::string text;
    int32_t taken;
    std::string tag;
  } cases[] = {
      {"<b>rest", 3, "<b>"},
      {"< font  size = '20' >x", 21, "<fontsize='20'>"},
      {"<a id=\"a b\" color='c d'>", 24, "<aid=\"a b\"color='c d'>"},
      {"<a id='x>y'>", 9, "<aid='x>"},  // the first '>' ends it, quoted or not
      {"<b", 0, ""},                    // the text ends first: no tag
      {"<", 0, ""},
      {"<" + std::string(126, 'x') + ">", 128, "<" + std::string(126, 'x') + ">"},
      {"<" + std::string(127, 'x') + ">", 0, ""},  // no '>' within the buffer: no tag
      {"<" + std::string(300, ' ') + "b>", 303, "<b>"},
  };
  for (const auto& c : cases) {
    const Read read = ReadAt(c.text);
    EXPECT_EQ(read.taken, c.taken) << c.text;
    EXPECT_EQ(read.tag, c.tag) << c.text;
  }
  EXPECT_EQ(ReadAt("ab<i>", 2).taken, 3);
}

TEST(MarkupText, ATagIsTheFirstNameThatBeginsIt) {
  const struct {
    const char* text;
    TMarkupTag tag;
  } cases[] = {
      {"<br>", TMarkupTag::LineBreak},      {"<br pad='3'>", TMarkupTag::LineBreak},
      {"<brick>", TMarkupTag::LineBreak},   {"</p>", TMarkupTag::EndParagraph},
      {"<p>", TMarkupTag::Unknown},         {"<a id='x'>", TMarkupTag::Link},
      {"</a>", TMarkupTag::EndLink},        {"<b>", TMarkupTag::Bold},
      {"<bold>", TMarkupTag::Bold},         {"</b>", TMarkupTag::EndBold},
      {"</br>", TMarkupTag::EndBold},       {"<i>", TMarkupTag::Italic},
      {"</i>", TMarkupTag::EndItalic},      {"<u>", TMarkupTag::Underline},
      {"</u>", TMarkupTag::EndUnderline},   {"<cursor>", TMarkupTag::Cursor},
      {"<center>", TMarkupTag::Center},     {"</center>", TMarkupTag::EndCenter},
      {"<left>", TMarkupTag::Left},         {"</left>", TMarkupTag::EndLeft},
      {"<right>", TMarkupTag::Right},       {"</right>", TMarkupTag::EndRight},
      {"<font size='2'>", TMarkupTag::Font}, {"</font>", TMarkupTag::EndFont},
      {"<outline>", TMarkupTag::Outline},   {"</outline>", TMarkupTag::EndOutline},
      {"<tab pos='9'>", TMarkupTag::Tab},   {"<B>", TMarkupTag::Unknown},
      {"<>", TMarkupTag::Unknown},          {"<c>", TMarkupTag::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(IdentifyTag(Tag(c.text)), c.tag) << c.text;
}

TEST(MarkupText, AttributesAreTheQuotedTextAfterTheirFirstName) {
  const struct {
    const char* text;
    const char* name;
    bool found;
    const char* value;
  } cases[] = {
      {"<font size='20'>", "size", true, "20"},
      {"<font size=\"20\">", "size", true, "20"},
      {"<font color='#ff0000' size='7'>", "size", true, "7"},
      {"<font size='a b'>", "size", true, "a b"},
      {"<font face='mysize' size='3'>", "size", true, "size="},  // the first occurrence, anywhere
      {"<font size=20>", "size", false, ""},
      {"<font size='20>", "size", false, ""},
      {"<font>", "size", false, ""},
  };
  for (const auto& c : cases) {
    TString value("unchanged");
    EXPECT_EQ(GetTagAttribute(Tag(c.text), c.name, value), c.found) << c.text;
    if (c.found) {
      EXPECT_STREQ(value.CStr(), c.value) << c.text;
    }
  }
}

TEST(MarkupText, NumbersAreLeadingDecimalDigits) {
  const struct {
    const char* text;
    int32_t number;
  } cases[] = {
      {"12", 12}, {"  12", 12}, {"12px", 12}, {"px", 0}, {"", 0}, {"-5", 0}, {"65535", 65535}, {"99999999999", 65535},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadMarkupNumber(c.text), c.number) << c.text;
}

TEST(MarkupText, ColoursAreOpaqueHexadecimalWithOrWithoutHash) {
  const struct {
    const char* text;
    float r, g, b;
  } cases[] = {
      {"#ff8000", 1.0f, 128 / 255.0f, 0.0f}, {"ff8000", 1.0f, 128 / 255.0f, 0.0f}, {"#0000FF", 0, 0, 1.0f},
      {"0x00ff00", 0, 1.0f, 0},              {"#12ff8000", 1.0f, 128 / 255.0f, 0},  {"#zz", 0, 0, 0},
      {"", 0, 0, 0},
  };
  for (const auto& c : cases) {
    const TColor colour = ReadMarkupColour(c.text);
    EXPECT_FLOAT_EQ(colour.r, c.r) << c.text;
    EXPECT_FLOAT_EQ(colour.g, c.g) << c.text;
    EXPECT_FLOAT_EQ(colour.b, c.b) << c.text;
    EXPECT_EQ(colour.a, 1.0f) << c.text;
  }
}

TEST(MarkupText, Utf8CharactersDecodeWithinTheText) {
  const struct {
    std::string text;
    uint32_t code;
    int32_t bytes;
  } cases[] = {
      {"A", 'A', 1},
      {"\xC3\xA9", 0xE9, 2},
      {"\xE2\x82\xAC", 0x20AC, 3},
      {"\xF0\x9D\x84\x9E", 0x1D11E, 4},
      {"\xE2\x82", 0xE2, 1},     // cut short by the text's end
      {"\xC3" "A", 0xC3, 1},     // not followed by a continuation byte
      {"\x80", 0x80, 1},         // a continuation byte alone
      {"\xFF\x80\x80", 0xFF, 1},
  };
  for (const auto& c : cases) {
    int32_t bytes = 0;
    EXPECT_EQ(DecodeUtf8Char(c.text.data(), static_cast<int32_t>(c.text.size()), 0, bytes), c.code) << c.text;
    EXPECT_EQ(bytes, c.bytes) << c.text;
  }
}

// ---- The mark-up state.

class MarkupStateTest : public testing::Test {
 protected:
  MarkupStateTest() { state.Reset({"base", 5, TColor(1.0f, 1.0f, 1.0f, 1.0f)}); }
  void Apply(const std::string& text) {
    const TTagBuffer tag = Tag(text);
    state.Apply(IdentifyTag(tag), tag);
  }
  TMarkupState state;
};

TEST_F(MarkupStateTest, FontsBeyondTheStackChangeNothingButStillCount) {
  for (int32_t i = 1; i <= 33; ++i) Apply("<font size='" + std::to_string(100 + i) + "'>");
  EXPECT_EQ(state.Font().size, 131) << "the 32nd and 33rd change nothing";
  Apply("</font>");
  Apply("</font>");
  EXPECT_EQ(state.Font().size, 131) << "back at the 31st";
  Apply("</font>");
  EXPECT_EQ(state.Font().size, 130);
}

TEST_F(MarkupStateTest, ClosingMoreFontsThanOpenKeepsTheBase) {
  Apply("</font>");
  Apply("<font face='Other' color='#00ff00'>");
  EXPECT_STREQ(state.Font().name.CStr(), "Other");
  EXPECT_EQ(state.Font().size, 5) << "copied from the entry below";
  EXPECT_EQ(state.Font().color.g, 1.0f);
  EXPECT_EQ(state.Font().color.r, 0.0f);
  Apply("</font>");
  Apply("</font>");
  EXPECT_STREQ(state.Font().name.CStr(), "base");
  EXPECT_EQ(state.fontIndex, 0);
}

TEST_F(MarkupStateTest, AlignmentsStackLikeFonts) {
  EXPECT_EQ(state.Alignment(), TMarkupState::kNoAlignment);
  Apply("<center>");
  Apply("<right>");
  EXPECT_EQ(state.Alignment(), TMarkupState::kRight);
  for (int32_t i = 0; i < 40; ++i) Apply("<left>");
  EXPECT_EQ(state.Alignment(), TMarkupState::kLeft);
  for (int32_t i = 0; i < 40; ++i) Apply("</left>");
  EXPECT_EQ(state.Alignment(), TMarkupState::kRight);
  for (int32_t i = 0; i < 5; ++i) Apply("</center>");
  EXPECT_EQ(state.Alignment(), TMarkupState::kNoAlignment);
  EXPECT_EQ(state.alignmentIndex, 0);
}

TEST_F(MarkupStateTest, LinksStylesAndOutlinesUntilTheirCloser) {
  Apply("<a id='next'>");
  EXPECT_STREQ(state.linkId.CStr(), "next");
  EXPECT_EQ(state.color.r, 1.0f) << "a link without colour takes the font's";
  Apply("<a id='other' color='#0000ff'>");
  EXPECT_EQ(state.color.r, 0.0f);
  EXPECT_EQ(state.color.b, 1.0f);
  Apply("</a>");
  EXPECT_STREQ(state.linkId.CStr(), "");
  EXPECT_EQ(state.color.r, 1.0f);
  Apply("<b>");
  Apply("<i>");
  Apply("<u>");
  EXPECT_TRUE(state.bold && state.italic && state.underline);
  Apply("</i>");
  EXPECT_FALSE(state.italic);
  Apply("<outline color='#ff0000'>");
  EXPECT_EQ(state.outlineWidth, 2.0f);
  EXPECT_EQ(state.outlineColor.r, 1.0f);
  Apply("<outline size='5'>");
  EXPECT_EQ(state.outlineWidth, 5.0f);
  Apply("</outline>");
  EXPECT_EQ(state.outlineWidth, 0.0f);
  EXPECT_EQ(state.outlineColor.a, 0.0f);
}

TEST_F(MarkupStateTest, ResetStartsAfresh) {
  Apply("<font size='9'>");
  Apply("<b>");
  Apply("<center>");
  Apply("<a id='x' color='#ff0000'>");
  Apply("<outline>");
  state.Reset({"again", 7, TColor(0.0f, 1.0f, 0.0f, 1.0f)});
  EXPECT_STREQ(state.Font().name.CStr(), "again");
  EXPECT_EQ(state.Font().size, 7);
  EXPECT_EQ(state.fontIndex, 0);
  EXPECT_FALSE(state.bold);
  EXPECT_EQ(state.Alignment(), TMarkupState::kNoAlignment);
  EXPECT_TRUE(state.linkId.IsEmpty());
  EXPECT_EQ(state.color.r, 0.0f);
  EXPECT_EQ(state.color.a, 0.0f);
  EXPECT_EQ(state.outlineWidth, 0.0f);
}

TEST(MarkupText, EscapingPutsABackslashBeforeEveryTagStartAndBackslash) {
  const struct {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"", ""},
      {"plain > text", "plain > text"},
      {"<b>", "\\<b>"},
      {"a\\", "a\\\\"},
      {"\\<\\<", "\\\\\\<\\\\\\<"},
      {"caf\xE9 <3", "caf\xE9 \\<3"},
  };
  for (const auto& c : cases) EXPECT_STREQ(EscapeMarkup(c.text).CStr(), c.escaped) << c.text;
}

TEST(FontState, StartsAtSixteenPixelsWithoutColour) {
  const TFontState font;
  EXPECT_TRUE(font.name.IsEmpty());
  EXPECT_EQ(font.size, 16);
  EXPECT_EQ(font.color.r, 0.0f);
  EXPECT_EQ(font.color.a, 0.0f);
}

}  // namespace
