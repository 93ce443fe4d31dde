#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/lua/Auxlib.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptAuxBuffer : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  std::u16string WideTop() {
    const lua_WChar* units = lua_towstring(L, -1);
    if (units == nullptr) return u"<not wide>";
    return std::u16string(units, units + lua_strlen(L, -1));
  }
};

TEST_F(ScriptAuxBuffer, ByteTextAcrossManyFlushesComesOutWhole) {
  std::string expected;
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  for (int i = 0; i < 1500; i++) {
    const char c = static_cast<char>('a' + i % 26);
    luaL_putchar(&b, c);
    expected += c;
  }
  luaL_addstring(&b, "end");
  luaL_addlstring(&b, "\0z", 2);
  expected += std::string("end\0z", 5);
  luaL_pushresult(&b);
  ASSERT_EQ(lua_gettop(L), 1);
  EXPECT_EQ(std::string(lua_tostring(L, 1), lua_strlen(L, 1)), expected);
}

TEST_F(ScriptAuxBuffer, WideUnitsAcrossAFlushMakeOneWideString) {
  std::u16string expected;
  std::vector<lua_WChar> units;
  for (int i = 0; i < 300; i++) {
    units.push_back(static_cast<lua_WChar>(0x2600 + i));
    expected += static_cast<char16_t>(0x2600 + i);
  }
  luaL_Buffer b;
  luaL_wbuffinit(L, &b);
  for (size_t i = 0; i < units.size(); i += 7) {
    luaL_addlwstring(&b, units.data() + i, std::min<size_t>(7, units.size() - i));
  }
  luaL_pushresult(&b);
  ASSERT_EQ(lua_gettop(L), 1);
  ASSERT_EQ(lua_type(L, 1), LUA_TWSTRING);
  EXPECT_EQ(lua_strlen(L, 1), 300u);
  EXPECT_EQ(WideTop(), expected);
}

TEST_F(ScriptAuxBuffer, AnEmptyBufferGivesAnEmptyStringOfItsKind) {
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  luaL_pushresult(&b);
  EXPECT_EQ(lua_type(L, -1), LUA_TSTRING);
  EXPECT_EQ(lua_strlen(L, -1), 0u);
  luaL_wbuffinit(L, &b);
  luaL_pushresult(&b);
  EXPECT_EQ(lua_type(L, -1), LUA_TWSTRING);
  EXPECT_EQ(lua_strlen(L, -1), 0u);
}

TEST_F(ScriptAuxBuffer, ValuesOnTheStackJoinInOrder) {
  const std::string small(100, 's');
  const std::string large(600, 'L');
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  luaL_addlstring(&b, small.data(), small.size());
  lua_pushnumber(L, 12);
  luaL_addvalue(&b);
  lua_pushlstring(L, large.data(), large.size());  // too large for the block
  luaL_addvalue(&b);
  luaL_addstring(&b, "tail");
  luaL_pushresult(&b);
  ASSERT_EQ(lua_gettop(L), 1);
  EXPECT_EQ(std::string(lua_tostring(L, 1)), small + "12" + large + "tail");
}

TEST_F(ScriptAuxBuffer, NumbersJoinAWideBufferAsWideText) {
  const lua_WChar start[] = {'n', '='};
  luaL_Buffer b;
  luaL_wbuffinit(L, &b);
  luaL_addlwstring(&b, start, 2);
  lua_pushnumber(L, 2.5);
  luaL_addvalue(&b);
  luaL_pushresult(&b);
  EXPECT_EQ(WideTop(), u"n=2.5");
}

TEST_F(ScriptAuxBuffer, PendingResultsStayFewWhateverTheirLengths) {
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  int highest = 0;
  size_t total = 0;
  for (int i = 0; i < 200; i++) {
    const std::string piece(600 + (i % 7) * 100, static_cast<char>('a' + i % 26));
    total += piece.size();
    lua_pushlstring(L, piece.data(), piece.size());
    luaL_addvalue(&b);
    highest = std::max(highest, lua_gettop(L));
  }
  luaL_pushresult(&b);
  EXPECT_LE(highest, LUA_MINSTACK / 2 + 1);
  ASSERT_EQ(lua_gettop(L), 1);
  EXPECT_EQ(lua_strlen(L, 1), total);
}

int AddWideToByteBuffer(lua_State* L) {
  const lua_WChar wide[] = {'w', 0};
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  lua_pushwstring(L, wide);
  luaL_addvalue(&b);
  return 0;
}

int AddByteToWideBuffer(lua_State* L) {
  luaL_Buffer b;
  luaL_wbuffinit(L, &b);
  lua_pushstring(L, "b");
  luaL_addvalue(&b);
  return 0;
}

int AddTableToByteBuffer(lua_State* L) {
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  lua_newtable(L);
  luaL_addvalue(&b);
  return 0;
}

TEST_F(ScriptAuxBuffer, AValueOfTheOtherKindIsAnError) {
  EXPECT_EQ(CallFailure(L, AddWideToByteBuffer), "string expected, got wstring");
  EXPECT_EQ(CallFailure(L, AddByteToWideBuffer), "wstring expected, got string");
  EXPECT_EQ(CallFailure(L, AddTableToByteBuffer), "string expected, got table");
}

}  // namespace
