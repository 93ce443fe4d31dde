#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "script/lua/Lua.h"
#include "script/lua/Object.h"
#include "script/lua/State.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptApiValues : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();
};

std::vector<lua_WChar> Units(const char16_t* text) {
  std::vector<lua_WChar> units;
  for (; *text != 0; text++) units.push_back(static_cast<lua_WChar>(*text));
  return units;
}

void PushWide(lua_State* L, const char16_t* text) {
  const std::vector<lua_WChar> units = Units(text);
  lua_pushlwstring(L, units.data(), units.size());
}

std::u16string WideAt(lua_State* L, int idx) {
  const lua_WChar* units = lua_towstring(L, idx);
  if (units == nullptr) return u"<null>";
  return std::u16string(units, units + lua_strlen(L, idx));
}

// --- Types and conversions -------------------------------------------------------

struct ValueCase {
  const char* name;
  std::function<void(lua_State*)> push;
  int type;
  int isnumber;
  int isstring;
  lua_Number number;
  int boolean;
  const char* text;  // lua_tostring, null for none
  size_t length;     // lua_strlen
};

const ValueCase kValueCases[] = {
    {"nil", lua_pushnil, LUA_TNIL, 0, 0, 0, 0, nullptr, 0},
    {"false", [](lua_State* L) { lua_pushboolean(L, 0); }, LUA_TBOOLEAN, 0, 0, 0, 0, nullptr, 0},
    {"true", [](lua_State* L) { lua_pushboolean(L, 7); }, LUA_TBOOLEAN, 0, 0, 0, 1, nullptr, 0},
    {"number", [](lua_State* L) { lua_pushnumber(L, 12.5); }, LUA_TNUMBER, 1, 1, 12.5, 1, "12.5", 4},
    {"numeric text", [](lua_State* L) { lua_pushstring(L, " 42 "); }, LUA_TSTRING, 1, 1, 42, 1,
     " 42 ", 4},
    {"hexadecimal byte text", [](lua_State* L) { lua_pushstring(L, "0x10"); }, LUA_TSTRING, 0, 1,
     0, 1, "0x10", 4},
    {"hexadecimal wide text", [](lua_State* L) { PushWide(L, u"0x10"); }, LUA_TWSTRING, 1, 1, 16,
     1, nullptr, 4},
    {"wide text", [](lua_State* L) { PushWide(L, u"abc"); }, LUA_TWSTRING, 0, 1, 0, 1, nullptr, 3},
    {"table", lua_newtable, LUA_TTABLE, 0, 0, 0, 1, nullptr, 0},
    {"light userdata", [](lua_State* L) { lua_pushlightuserdata(L, L); }, LUA_TLIGHTUSERDATA, 0,
     0, 0, 1, nullptr, 0},
};

TEST_F(ScriptApiValues, TypeTestsAndConversionsFollowTheValueKind) {
  for (const ValueCase& c : kValueCases) {
    c.push(L);
    EXPECT_EQ(lua_type(L, -1), c.type) << c.name;
    EXPECT_EQ(lua_isnumber(L, -1), c.isnumber) << c.name;
    EXPECT_EQ(lua_isstring(L, -1), c.isstring) << c.name;
    EXPECT_EQ(lua_tonumber(L, -1), c.number) << c.name;
    EXPECT_EQ(lua_toboolean(L, -1), c.boolean) << c.name;
    EXPECT_EQ(lua_strlen(L, -1), c.length) << c.name;
    const char* text = lua_tostring(L, -1);
    if (c.text == nullptr) {
      EXPECT_EQ(text, nullptr) << c.name;
    } else {
      EXPECT_STREQ(text, c.text) << c.name;
    }
    lua_pop(L, 1);
  }
}

TEST_F(ScriptApiValues, IndicesWithoutAValueReadAsAbsent) {
  EXPECT_EQ(lua_type(L, 1), LUA_TNONE);
  EXPECT_STREQ(lua_typename(L, LUA_TNONE), "no value");
  EXPECT_STREQ(lua_typename(L, LUA_TWSTRING), "wstring");
  EXPECT_STREQ(lua_typename(L, 42), "no value");
  EXPECT_EQ(lua_isnumber(L, 1), 0);
  EXPECT_EQ(lua_tonumber(L, 1), 0);
  EXPECT_EQ(lua_toboolean(L, 1), 0);
  EXPECT_EQ(lua_tostring(L, 1), nullptr);
  EXPECT_EQ(lua_towstring(L, 1), nullptr);
  EXPECT_EQ(lua_strlen(L, 1), 0u);
  EXPECT_EQ(lua_touserdata(L, 1), nullptr);
  EXPECT_EQ(lua_topointer(L, 1), nullptr);
  EXPECT_EQ(lua_tothread(L, 1), nullptr);
  EXPECT_EQ(lua_rawequal(L, 1, 1), 0);
}

TEST_F(ScriptApiValues, NumbersTurnIntoTextInTheirSlot) {
  lua_pushnumber(L, 12.5);
  lua_pushnumber(L, 12.5);
  EXPECT_EQ(lua_strlen(L, 1), 4u);
  EXPECT_EQ(lua_type(L, 1), LUA_TSTRING) << "lua_strlen converts too";
  EXPECT_EQ(WideAt(L, 2), u"12.5");
  EXPECT_EQ(lua_type(L, 2), LUA_TWSTRING);
  EXPECT_EQ(lua_tostring(L, 2), nullptr) << "a wide string is not converted back";
  lua_pushstring(L, "abc");
  EXPECT_EQ(lua_towstring(L, 3), nullptr) << "nor a byte string to wide";
  EXPECT_EQ(lua_type(L, 3), LUA_TSTRING);
}

TEST_F(ScriptApiValues, WideStringsKeepEveryUnitAndEqualOnlyTheirTwin) {
  const lua_WChar units[] = {0x263A, 0, 0x41, 0};
  lua_pushlwstring(L, units, 3);
  lua_pushwstring(L, units + 2);
  lua_pushwstring(L, nullptr);
  EXPECT_EQ(lua_strlen(L, 1), 3u);
  EXPECT_EQ(lua_towstring(L, 1)[0], 0x263A);
  EXPECT_EQ(lua_towstring(L, 1)[2], 0x41);
  EXPECT_EQ(lua_towstring(L, 1)[3], 0) << "terminated";
  EXPECT_EQ(lua_wstrlen(lua_towstring(L, 2)), 1u);
  EXPECT_TRUE(lua_isnil(L, 3));
  PushWide(L, u"abc");
  PushWide(L, u"abc");
  lua_pushstring(L, "abc");
  EXPECT_EQ(lua_rawequal(L, 4, 5), 1);
  EXPECT_EQ(lua_rawequal(L, 4, 6), 0);
}

TEST_F(ScriptApiValues, PushesMakeTheValuesAsked) {
  lua_pushstring(L, nullptr);
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_pushlstring(L, "a\0b", 3);
  EXPECT_EQ(lua_strlen(L, -1), 3u);
  EXPECT_STREQ(lua_pushfstring(L, "%s=%d (%f)%%", "x", 3, 2.5), "x=3 (2.5)%");
  EXPECT_STREQ(lua_tostring(L, -1), "x=3 (2.5)%");
}

// --- Userdata and pointers ---------------------------------------------------------

TEST_F(ScriptApiValues, ABoxedPointerGivesBackThePointerItHolds) {
  int target = 0;
  lua_pushboxedpointer(L, &target);
  EXPECT_EQ(lua_type(L, -1), LUA_TUSERDATA);
  EXPECT_EQ(lua_touserdata(L, -1), &target);
  EXPECT_EQ(lua_topointer(L, -1), &target);
  Udata* u = uvalue(L->top - 1);
  EXPECT_EQ(u->len, 1u) << "the boxed-pointer mark";
  EXPECT_EQ(u->metatable, hvalue(&G(L)->typemeta[LUA_TUSERDATA]));
}

TEST_F(ScriptApiValues, NewUserdataGetsAnEvenLengthAndTheUserdataMetatable) {
  const struct {
    size_t size;
    size_t len;
  } cases[] = {{0, 0}, {5, 6}, {8, 8}};
  for (const auto& c : cases) {
    void* block = lua_newuserdata(L, c.size);
    Udata* u = uvalue(L->top - 1);
    EXPECT_EQ(u->len, c.len) << c.size;
    EXPECT_EQ(lua_touserdata(L, -1), block) << "the data block, not a boxed pointer";
    EXPECT_EQ(u->metatable, hvalue(&G(L)->typemeta[LUA_TUSERDATA]));
  }
}

TEST_F(ScriptApiValues, PointersOfEachKind) {
  int target = 0;
  lua_pushlightuserdata(L, &target);
  lua_newtable(L);
  lua_pushstring(L, "text");
  PushWide(L, u"text");
  lua_State* co = lua_newthread(L);
  EXPECT_EQ(lua_touserdata(L, 1), &target);
  EXPECT_EQ(lua_topointer(L, 1), &target);
  EXPECT_EQ(lua_touserdata(L, 2), nullptr);
  EXPECT_EQ(lua_topointer(L, 2), hvalue(L->base + 1));
  EXPECT_EQ(lua_topointer(L, 3), nullptr);
  EXPECT_EQ(lua_topointer(L, 4), nullptr);
  EXPECT_EQ(lua_topointer(L, 5), co);
  EXPECT_EQ(lua_tothread(L, 5), co);
  EXPECT_EQ(lua_tothread(L, 2), nullptr);
}

}  // namespace
