#include <gtest/gtest.h>

#include <string>

#include "script/lua/Auxlib.h"
#include "tests/script/ScriptState.h"

namespace {

int CheckNumber(lua_State* L) {
  lua_pushnumber(L, luaL_checknumber(L, 1));
  return 1;
}

int CheckString(lua_State* L) {
  size_t len = 0;
  luaL_checklstring(L, 1, &len);
  lua_pushnumber(L, static_cast<lua_Number>(len));
  return 1;
}

int CheckWide(lua_State* L) {
  size_t len = 0;
  luaL_checkwstring(L, 1, &len);
  lua_pushnumber(L, static_cast<lua_Number>(len));
  return 1;
}

int CheckSecondAny(lua_State* L) {
  luaL_checkany(L, 2);
  return 0;
}

int CheckTable(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  return 0;
}

int CheckInt(lua_State* L) {
  lua_pushnumber(L, luaL_checkint(L, 1));
  return 1;
}

int Optional(lua_State* L) {
  lua_pushnumber(L, luaL_optnumber(L, 1, 7));
  lua_pushstring(L, luaL_optstring(L, 2, "def"));
  lua_pushnumber(L, luaL_optint(L, 3, -2));
  return 3;
}

int CheckHugeStack(lua_State* L) {
  luaL_checkstack(L, 5000, "too many values");
  return 0;
}

class ScriptAuxlib : public ::testing::Test {
 protected:
  ScriptAuxlib() {
    lua_register(L, "check_number", CheckNumber);
    lua_register(L, "check_string", CheckString);
    lua_register(L, "check_wide", CheckWide);
    lua_register(L, "check_any", CheckSecondAny);
    lua_register(L, "check_table", CheckTable);
    lua_register(L, "check_int", CheckInt);
    lua_register(L, "optional", Optional);
    lua_register(L, "check_huge_stack", CheckHugeStack);
  }

  ScriptState state;
  lua_State* L = state.L();
};

// --- Argument checks ---------------------------------------------------------------------

struct ScriptCase {
  const char* source;
  const char* shown;  // RunChunk's result
};

const ScriptCase kCheckCases[] = {
    {"return check_number(' 5 ')", "5"},
    {"return check_number(L\"0x10\")", "16"},
    {"return check_number('x')",
     "error: test:1: bad argument #1 to `check_number' (number expected, got string)"},
    {"local a = 1\nreturn check_number()",
     "error: test:2: bad argument #1 to `check_number' (number expected, got no value)"},
    {"return check_string(12.5)", "4"},
    {"return check_string(L\"w\")",
     "error: test:1: bad argument #1 to `check_string' (string expected, got wstring)"},
    {"return check_wide(L\"wide\")", "4"},
    {"return check_wide(12.5)", "4"},
    {"return check_wide('s')",
     "error: test:1: bad argument #1 to `check_wide' (wstring expected, got string)"},
    {"return check_any(1, nil)", ""},
    {"return check_any(1)",
     "error: test:1: bad argument #2 to `check_any' (value expected)"},
    {"return check_table(true)",
     "error: test:1: bad argument #1 to `check_table' (table expected, got boolean)"},
    {"local f = check_number\nreturn f({})",
     "error: test:2: bad argument #1 to `f' (number expected, got table)"},
    {"return optional()", "7 \"def\" -2"},
    {"return optional(1, 'x', 3.9)", "1 \"x\" 3"},
    {"return optional(nil, nil, 'y')",
     "error: test:1: bad argument #3 to `optional' (number expected, got string)"},
    {"return check_int(4294967301)", "5"},
    {"return check_int(2147483648)", "-2147483648"},
    {"return check_int(-7.9)", "-7"},
    {"return check_int(0/0)", "0"},
    {"return check_huge_stack()", "error: test:1: stack overflow (too many values)"},
};

TEST_F(ScriptAuxlib, ChecksAcceptWhatTheyNameAndReportTheRest) {
  for (const ScriptCase& c : kCheckCases) EXPECT_EQ(RunChunk(L, c.source), c.shown) << c.source;
}

const ScriptCase kMethodCases[] = {
    {"local t = {m = check_number}\nreturn t:m()",
     "error: test:2: calling `m' on bad self (number expected, got table)"},
    {"local t = {m = check_any}\nreturn t:m()",
     "error: test:2: bad argument #1 to `m' (value expected)"},
    {"local t = {m = check_any}\nreturn t.m(1)",
     "error: test:2: bad argument #2 to `m' (value expected)"},
};

TEST_F(ScriptAuxlib, MethodCallsCountArgumentsAfterSelf) {
  for (const ScriptCase& c : kMethodCases) EXPECT_EQ(RunChunk(L, c.source), c.shown) << c.source;
}

TEST_F(ScriptAuxlib, ErrorsOutsideAScriptHaveNoPositionAndNoName) {
  lua_pushcfunction(L, CheckNumber);
  lua_pushstring(L, "x");
  ASSERT_EQ(lua_pcall(L, 1, 0, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "bad argument #1 to `?' (number expected, got string)");
}

int RaiseFormatted(lua_State* L) {
  luaL_error(L, "%s #%d", "failure", 3);
}

TEST_F(ScriptAuxlib, ErrorPrefixesThePositionOfTheCallingLine) {
  lua_register(L, "raise", RaiseFormatted);
  EXPECT_EQ(RunChunk(L, "\n\nraise()"), "error: test:3: failure #3");
  lua_pushcfunction(L, RaiseFormatted);
  ASSERT_EQ(lua_pcall(L, 0, 0, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "failure #3");
}

int WhereAtLevel(lua_State* L) {
  luaL_where(L, static_cast<int>(lua_tonumber(L, 1)));
  return 1;
}

TEST_F(ScriptAuxlib, WhereNamesLuaFunctionsWithALineOnly) {
  lua_register(L, "where", WhereAtLevel);
  EXPECT_EQ(RunChunk(L, "return where(0)"), "\"\"") << "the running C function";
  EXPECT_EQ(RunChunk(L, "local x\nreturn where(1)"), "\"test:2: \"");
  EXPECT_EQ(RunChunk(L, "local function f()\n local w = where(2)\n return w\nend\nreturn (f())"),
            "\"test:5: \"");
  EXPECT_EQ(RunChunk(L, "return where(5)"), "\"\"") << "no such level";
}

// --- Registration and metafields ------------------------------------------------------

int ReturnUpvalue(lua_State* L) {
  lua_pushvalue(L, lua_upvalueindex(1));
  return 1;
}

int ReturnThree(lua_State* L) {
  lua_pushnumber(L, 3);
  return 1;
}

TEST_F(ScriptAuxlib, OpenlibFillsANamedGlobalTableWithClosures) {
  const luaL_reg functions[] = {{"first", ReturnUpvalue}, {"second", ReturnUpvalue}, {nullptr, nullptr}};
  const luaL_reg more[] = {{"third", ReturnThree}, {nullptr, nullptr}};
  lua_pushstring(L, "shared");
  luaL_openlib(L, "lib", functions, 1);
  ASSERT_EQ(lua_gettop(L), 1) << "the library table, the upvalue popped";
  EXPECT_TRUE(lua_istable(L, 1));
  luaL_openlib(L, "lib", more, 0);
  EXPECT_TRUE(lua_rawequal(L, 1, 2)) << "the existing table is reused";
  EXPECT_EQ(RunChunk(L, "return lib.first(), lib.second(), lib.third()"),
            "\"shared\" \"shared\" 3");
  lua_newtable(L);
  luaL_openlib(L, nullptr, more, 0);
  lua_pushstring(L, "third");
  lua_rawget(L, -2);
  EXPECT_TRUE(lua_isfunction(L, -1)) << "an unnamed library fills the table below";
}

TEST_F(ScriptAuxlib, MetafieldsComeFromOwnAndPerTypeMetatables) {
  lua_gettypemetatable(L, LUA_TNUMBER);
  lua_pushstring(L, "__describe");
  ASSERT_EQ(LoadSource(L, "return function(n) return 'number ' .. n end"), 0);
  lua_call(L, 0, 1);
  lua_rawset(L, -3);
  lua_pop(L, 1);
  lua_pushnumber(L, 4);  // 1
  lua_newtable(L);       // 2: the default metatable has no such field
  lua_pushnil(L);        // 3: no metatable at all
  ASSERT_EQ(luaL_callmeta(L, 1, "__describe"), 1);
  EXPECT_STREQ(lua_tostring(L, -1), "number 4");
  lua_pop(L, 1);
  ASSERT_EQ(luaL_getmetafield(L, -3, "__describe"), 1) << "a relative index";
  EXPECT_TRUE(lua_isfunction(L, -1));
  lua_pop(L, 1);
  for (int idx : {2, 3, 9}) {
    EXPECT_EQ(luaL_getmetafield(L, idx, "__describe"), 0) << idx;
    EXPECT_EQ(luaL_callmeta(L, idx, "__describe"), 0) << idx;
    EXPECT_EQ(lua_gettop(L), 3) << "nothing pushed for " << idx;
  }
}

// --- Table sizes ---------------------------------------------------------------------------

TEST_F(ScriptAuxlib, SizesComeFromFieldNThenTheSizesTableThenCounting) {
  const struct {
    const char* table;
    int size;
  } cases[] = {
      {"{n = 5, 1}", 5},
      {"{n = 3.9}", 3},
      {"{n = '3'}", 0},
      {"{n = '3', 1, 2}", 2},
      {"{n = -1, 1, 2}", 2},
      {"{1, 2, 3}", 3},
      {"{1, 2, nil, 4}", 2},
      {"{}", 0},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(LoadSource(L, std::string("return ") + c.table), 0);
    lua_call(L, 0, 1);
    EXPECT_EQ(luaL_getn(L, -1), c.size) << c.table;
    lua_pop(L, 1);
  }
}

TEST_F(ScriptAuxlib, SetnWritesFieldNOrTheWeakSizesTable) {
  ASSERT_EQ(LoadSource(L, "t, u = {n = 1}, {1, 2}"), 0);
  lua_call(L, 0, 0);
  lua_getglobal(L, "t");
  luaL_setn(L, -1, 7);
  EXPECT_EQ(RunChunk(L, "return t.n"), "7");
  ASSERT_EQ(LoadSource(L, "return {n = '4', 1}"), 0);
  lua_call(L, 0, 1);
  luaL_setn(L, -1, 9);
  EXPECT_EQ(luaL_getn(L, -1), 9);
  lua_pushstring(L, "n");
  lua_rawget(L, -2);
  EXPECT_EQ(lua_type(L, -1), LUA_TSTRING) << "text in n is left alone";
  lua_pop(L, 2);
  lua_getglobal(L, "u");
  luaL_setn(L, -1, 10);
  EXPECT_EQ(luaL_getn(L, -1), 10);
  EXPECT_EQ(RunChunk(L, "return u.n"), "nil") << "u has no field n";
  lua_rawgeti(L, LUA_REGISTRYINDEX, 2);
  ASSERT_TRUE(lua_istable(L, -1)) << "the sizes table";
  ASSERT_EQ(luaL_getmetafield(L, -1, "__mode"), 1);
  EXPECT_STREQ(lua_tostring(L, -1), "k");
  lua_settop(L, 0);
  lua_pushnil(L);
  lua_setglobal(L, "u");
  lua_setgcthreshold(L, 0);  // u is gone; so is its entry
  lua_rawgeti(L, LUA_REGISTRYINDEX, 2);
  int tableKeys = 0;
  lua_pushnil(L);
  while (lua_next(L, -2)) {
    lua_pop(L, 1);
    if (lua_istable(L, -1)) tableKeys++;
  }
  EXPECT_EQ(tableKeys, 0);
}

}  // namespace
