#include "script/lua/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "script/lua/State.h"
#include "tests/script/ScriptState.h"

namespace {

struct TextCase {
  const char* text;
  bool converts;
  lua_Number value;
};

TEST(ScriptNumberText, ByteTextConvertsOnlyDecimalNumerals) {
  const TextCase cases[] = {
      {"12", true, 12},          {" 12 ", true, 12},       {"\t\n-1.5e2\r", true, -150},
      {"+.5", true, 0.5},        {"5.", true, 5},          {"1e+2", true, 100},
      {"1E-2", true, 0.01},      {"1e400", true, HUGE_VAL}, {"1e-400", true, 0},
      {"0x10", false, 0},        {"inf", false, 0},        {"nan", false, 0},
      {"-infinity", false, 0},   {"", false, 0},           {"  ", false, 0},
      {".", false, 0},           {"-", false, 0},          {"e5", false, 0},
      {"1e", false, 0},          {"1e+", false, 0},        {"1 2", false, 0},
      {"12a", false, 0},         {"1..2", false, 0},       {"\xA0" "1", false, 0},
  };
  for (const TextCase& c : cases) {
    lua_Number n = -7;
    EXPECT_EQ(luaO_str2d(c.text, &n), c.converts ? 1 : 0) << '"' << c.text << '"';
    if (c.converts) {
      EXPECT_EQ(n, c.value) << '"' << c.text << '"';
    }
  }
}

TEST(ScriptNumberText, TextInOtherBasesGivesUnsigned32BitValues) {
  struct BaseCase {
    const char* text;
    int base;
    bool converts;
    uint32_t value;
  };
  const BaseCase cases[] = {
      {"ff", 16, true, 255},
      {"0xFF", 16, true, 255},
      {"0x", 16, false, 0},
      {"0x10", 10, false, 0},
      {" \t101 \n", 2, true, 5},
      {"Zz", 36, true, 1295},
      {"ffffffff", 16, true, 4294967295u},
      // Past 32 bits the value saturates, as where unsigned long has 32 bits.
      {"100000000", 16, true, 4294967295u},
      {"99999999999999999999999", 10, true, 4294967295u},
      // A minus negates modulo 2^32.
      {"-1", 16, true, 4294967295u},
      {"-10", 2, true, 4294967294u},
      {"+7", 8, true, 7},
      {"8", 8, false, 0},
      {"12", 2, false, 0},
      {"", 10, false, 0},
      {"-", 10, false, 0},
      {"1 2", 10, false, 0},
  };
  for (const BaseCase& c : cases) {
    uint32_t value = 7;
    EXPECT_EQ(luaO_str2u32(c.text, c.base, &value), c.converts ? 1 : 0) << c.text;
    if (c.converts) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(ScriptNumberText, WideTextConvertsDecimalAndHexadecimal) {
  const struct {
    std::u16string text;
    bool converts;
    lua_Number value;
  } cases[] = {
      {u"0x1F", true, 31},         {u"0X1f", true, 31},        {u"0x.8", true, 0.5},
      {u"0x1.8p1", true, 3},       {u"0x1.p-1", true, 0.5},    {u"0x10  ", true, 16},
      {u"0x1.0p+4", true, 16},     {u"0x1p4", false, 0},       {u"-0x10", false, 0},
      {u"0x", true, 0},            {u"0X.", true, 0},          {u"0x  ", true, 0},
      {u"0x.p1", true, 0},         {u"0xp1", false, 0},        {u"0xg", false, 0},
      {u"0x1.8p", false, 0},       {u"12  ", true, 12},        {u" 12", false, 0},
      {u"1e2", true, 100},         {u"-2.5", true, -2.5},      {u"+7", true, 7},
      {u"1e", false, 0},           {u"", false, 0},            {u"inf", false, 0},
      {u"1\u00A0", false, 0},      {u"\u0661", false, 0},      {u"1\u0130", false, 0},
      {u"0x1.0p99999999999", true, HUGE_VAL},                  {u"0x1.0p-4294967297", true, 0},
      {u"1e4294967297", true, HUGE_VAL},
  };
  for (const auto& c : cases) {
    std::vector<lua_WChar> units(c.text.begin(), c.text.end());
    units.push_back(0);
    lua_Number n = -7;
    const std::string shown(c.text.begin(), c.text.end());
    EXPECT_EQ(luaO_wstr2d(units.data(), &n), c.converts ? 1 : 0) << shown;
    if (c.converts) {
      EXPECT_EQ(n, c.value) << shown;
    }
  }
}

TEST(ScriptNumberText, WideAndByteDecimalTextGiveTheSameNumber) {
  for (const char* text : {"1.1", "0.1", "3.14159265358979", "1e-7", "123456789.123456789"}) {
    std::vector<lua_WChar> units(text, text + strlen(text) + 1);
    lua_Number narrow = 0, wide = 0;
    ASSERT_TRUE(luaO_str2d(text, &narrow));
    ASSERT_TRUE(luaO_wstr2d(units.data(), &wide));
    EXPECT_EQ(narrow, wide) << text;
  }
}

TEST(ScriptNumberText, NumbersAreWrittenWithFourteenSignificantDigits) {
  const struct {
    lua_Number n;
    const char* text;
  } cases[] = {
      {1, "1"},           {-0.5, "-0.5"},         {1e15, "1e+15"},     {0.1, "0.1"},
      {1.0 / 3, "0.33333333333333"}, {2147483648.0, "2147483648"}, {1e-5, "1e-05"},
      {HUGE_VAL, "inf"},  {-HUGE_VAL, "-inf"},
      {0, "0"},           {-0.0, "-0"},           {-42, "-42"},        {99999999999999, "99999999999999"},
      {1e14, "1e+14"},    {-1e14, "-1e+14"},      {123456789012345, "1.2345678901234e+14"},
  };
  for (const auto& c : cases) {
    char text[LUAI_MAXNUMBER2STR];
    EXPECT_EQ(luaO_number2str(c.n, text), strlen(c.text));
    EXPECT_STREQ(text, c.text);
  }
}

TEST(ScriptNumberText, NumbersTurnIntoTextInPlace) {
  ScriptState state;
  lua_State* L = state.L();
  TObject value;
  setnvalue(&value, 12.5);
  ASSERT_EQ(luaV_towstring(L, &value), 1);
  ASSERT_TRUE(ttiswstring(&value));
  EXPECT_EQ(std::u16string(wsvalue(&value), wsvalue(&value) + tsvalue(&value)->len), u"12.5");
  EXPECT_EQ(luaV_towstring(L, &value), 0) << "only numbers convert";
  setnvalue(&value, -3);
  ASSERT_EQ(luaV_tostring(L, &value), 1);
  EXPECT_STREQ(svalue(&value), "-3");
  EXPECT_EQ(luaV_tostring(L, &value), 0);
}

}  // namespace
