#include "system/window/CodePage1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodePage1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(sys::Cp1252FromUtf8(sys::Utf8FromCp1252(all)), all);
}

TEST(CodePage1252, TheHighControlRangeHoldsTypography) {
  struct Case {
    const char* cp1252;
    const char* utf8;
  } cases[] = {
      {"\x80", "\xE2\x82\xAC"},        // euro sign
      {"\x85", "\xE2\x80\xA6"},        // ellipsis
      {"\x99", "\xE2\x84\xA2"},        // trade mark
      {"\x9F", "\xC5\xB8"},            // Y with diaeresis
      {"\x81", "\xC2\x81"},            // undefined: the control character of that number
      {"\xA0\xE9\xFF", "\xC2\xA0\xC3\xA9\xC3\xBF"},
      {"plain", "plain"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sys::Utf8FromCp1252(c.cp1252), c.utf8) << c.cp1252;
    EXPECT_EQ(sys::Cp1252FromUtf8(c.utf8), c.cp1252) << c.cp1252;
  }
}

TEST(CodePage1252, WhatHasNoCodeBecomesAQuestionMark) {
  struct Case {
    const char* utf8;
    const char* cp1252;
  } cases[] = {
      {"\xE6\x97\xA5", "?"},                 // a CJK sign
      {"\xF0\x9F\x98\x80!", "?!"},           // an emoji, four bytes
      {"a\xC3", "a?"},                       // cut short
      {"\xC0\xAF", "??"},                    // an overlong slash
      {"\xED\xA0\x80", "???"},               // a surrogate
      {"\xF4\x90\x80\x80", "????"},          // above U+10FFFF
      {"\x80x", "?x"},                       // a stray continuation byte
  };
  for (const auto& c : cases) EXPECT_EQ(sys::Cp1252FromUtf8(c.utf8), c.cp1252) << c.utf8;
}

TEST(CodePage1252, CodePointsWithoutACodeAreMarked) {
  EXPECT_EQ(sys::Cp1252FromCodePoint(0x20AC), 0x80);
  EXPECT_EQ(sys::Cp1252FromCodePoint(0xFF), 0xFF);
  EXPECT_EQ(sys::Cp1252FromCodePoint(0x100), -1);
  EXPECT_EQ(sys::Cp1252FromCodePoint(0x85), -1) << "a C1 control that Windows-1252 gives a letter";
}

}  // namespace
