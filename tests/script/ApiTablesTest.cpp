#include <gtest/gtest.h>

#include <string>

#include "script/lua/Lua.h"
#include "script/lua/State.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptApiTables : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  const void* TypeMetatable(int tag) { return hvalue(&G(L)->typemeta[tag]); }
  const void* DefaultMetatable() { return hvalue(defaultmeta(L)); }
};

// --- Raw access and traversal ------------------------------------------------------

TEST_F(ScriptApiTables, RawAccessStoresAndReadsKeysOfEveryKind) {
  lua_newtable(L);
  lua_pushstring(L, "key");
  lua_pushnumber(L, 1);
  lua_rawset(L, 1);
  lua_pushboolean(L, 1);
  lua_rawseti(L, 1, 3);
  lua_pushlightuserdata(L, L);
  lua_pushstring(L, "by pointer");
  lua_rawset(L, -3);
  EXPECT_EQ(lua_gettop(L), 1);
  lua_pushstring(L, "key");
  lua_rawget(L, 1);
  EXPECT_EQ(lua_tonumber(L, -1), 1);
  lua_rawgeti(L, 1, 3);
  EXPECT_EQ(lua_toboolean(L, -1), 1);
  lua_pushlightuserdata(L, L);
  lua_rawget(L, 1);
  EXPECT_STREQ(lua_tostring(L, -1), "by pointer");
  lua_rawgeti(L, 1, 4);
  EXPECT_TRUE(lua_isnil(L, -1));
}

TEST_F(ScriptApiTables, NextVisitsEveryEntryOnceAndSurvivesClearing) {
  lua_newtable(L);
  for (int i = 1; i <= 20; i++) {
    lua_pushnumber(L, i * 10);
    lua_rawseti(L, 1, i);
    lua_pushfstring(L, "k%d", i);
    lua_pushnumber(L, i);
    lua_rawset(L, 1);
  }
  int visited = 0;
  lua_pushnil(L);
  while (lua_next(L, 1)) {
    visited++;
    lua_pop(L, 1);
    lua_pushvalue(L, -1);
    lua_pushnil(L);
    lua_rawset(L, 1);  // clearing the current key keeps the traversal going
  }
  EXPECT_EQ(visited, 40);
  EXPECT_EQ(lua_gettop(L), 1) << "the last lua_next popped the key";
  lua_pushnil(L);
  EXPECT_EQ(lua_next(L, 1), 0) << "nothing is left";
}

int RawgetOnANumber(lua_State* L) {
  lua_pushnumber(L, 1);
  lua_pushstring(L, "k");
  lua_rawget(L, -2);
  return 0;
}

TEST_F(ScriptApiTables, RawAccessToANonTableIsAnError) {
  EXPECT_EQ(CallFailure(L, RawgetOnANumber), "attempt to index a number value");
}

// --- Metatables -----------------------------------------------------------------------

TEST_F(ScriptApiTables, GetmetatableReportsOwnDefaultAndPerTypeMetatables) {
  lua_newtable(L);                  // 1: no metatable of its own
  lua_pushnumber(L, 1);             // 2
  lua_pushstring(L, "s");           // 3
  lua_pushnil(L);                   // 4
  lua_pushboxedpointer(L, nullptr); // 5
  const struct {
    int idx;
    int result;
    const void* metatable;
  } cases[] = {
      {1, 1, DefaultMetatable()},
      {2, 1, TypeMetatable(LUA_TNUMBER)},
      {3, 1, TypeMetatable(LUA_TSTRING)},
      {4, 0, nullptr},
      {5, 1, TypeMetatable(LUA_TUSERDATA)},
      {6, 0, nullptr},  // no value there
      {lua_upvalueindex(1), 0, nullptr},
  };
  for (const auto& c : cases) {
    const int top = lua_gettop(L);
    ASSERT_EQ(lua_getmetatable(L, c.idx), c.result) << c.idx;
    if (c.result == 0) {
      EXPECT_EQ(lua_gettop(L), top) << "nothing pushed for " << c.idx;
      continue;
    }
    EXPECT_EQ(lua_topointer(L, -1), c.metatable) << c.idx;
    lua_pop(L, 1);
  }
}

TEST_F(ScriptApiTables, SetmetatableChangesTablesAndUserdataOnly) {
  lua_newtable(L);                  // 1
  lua_pushboxedpointer(L, nullptr); // 2
  lua_pushnumber(L, 5);             // 3
  lua_newtable(L);                  // 4: the new metatable
  const void* meta = lua_topointer(L, 4);
  const struct {
    int idx;
    bool nilMeta;  // set nil (the default metatable) instead of meta
    int result;
    const void* expected;
  } cases[] = {
      {1, false, 1, meta},
      {2, false, 1, meta},
      {3, false, 0, TypeMetatable(LUA_TNUMBER)},
      {1, true, 1, DefaultMetatable()},
  };
  for (const auto& c : cases) {
    if (c.nilMeta) {
      lua_pushnil(L);
    } else {
      lua_pushvalue(L, 4);
    }
    EXPECT_EQ(lua_setmetatable(L, c.idx), c.result) << c.idx;
    EXPECT_EQ(lua_gettop(L), 4) << "popped";
    ASSERT_EQ(lua_getmetatable(L, c.idx), 1);
    EXPECT_EQ(lua_topointer(L, -1), c.expected) << c.idx;
    lua_pop(L, 1);
  }
  lua_pushnumber(L, 1);  // not a metatable at all
  EXPECT_EQ(lua_setmetatable(L, 1), 0);
  EXPECT_EQ(lua_gettop(L), 4);
}

TEST_F(ScriptApiTables, TypeMetatablesExistForTags1To10Only) {
  for (int tag : {-1, 0, 11, 100}) {
    lua_gettypemetatable(L, tag);
    EXPECT_TRUE(lua_isnil(L, -1)) << tag;
    lua_pop(L, 1);
  }
  for (int tag = 1; tag <= 10; tag++) {
    lua_gettypemetatable(L, tag);
    EXPECT_EQ(lua_topointer(L, -1), TypeMetatable(tag)) << tag;
    lua_pop(L, 1);
  }
}

TEST_F(ScriptApiTables, SettypemetatableTakesATableForTags1To10) {
  lua_newtable(L);
  const void* replacement = lua_topointer(L, 1);
  const void* numbers = TypeMetatable(LUA_TNUMBER);
  for (int tag : {0, 11, -3}) {
    lua_pushvalue(L, 1);
    lua_settypemetatable(L, tag);
  }
  EXPECT_TRUE(ttisnil(&G(L)->typemeta[LUA_TNIL])) << "nil has no per-type metatable";
  lua_pushnumber(L, 7);
  lua_settypemetatable(L, LUA_TNUMBER);
  EXPECT_EQ(TypeMetatable(LUA_TNUMBER), numbers) << "a number is no metatable";
  EXPECT_EQ(lua_gettop(L), 1) << "every value was popped";
  lua_pushvalue(L, 1);
  lua_settypemetatable(L, LUA_TSTRING);
  lua_pushstring(L, "s");
  ASSERT_EQ(lua_getmetatable(L, -1), 1);
  EXPECT_EQ(lua_topointer(L, -1), replacement);
}

// --- Environments ----------------------------------------------------------------------

int Nothing(lua_State*) { return 0; }

TEST_F(ScriptApiTables, EnvironmentsBelongToLuaFunctionsOnly) {
  ASSERT_EQ(LoadSource(L, "return x"), 0);  // 1: a Lua function over the globals
  lua_pushcfunction(L, Nothing);  // 2
  lua_newtable(L);              // 3: an environment
  const void* env = lua_topointer(L, 3);
  const void* globals = lua_topointer(L, LUA_GLOBALSINDEX);
  lua_getfenv(L, 1);
  EXPECT_EQ(lua_topointer(L, -1), globals);
  lua_pop(L, 1);
  lua_pushvalue(L, 3);
  EXPECT_EQ(lua_setfenv(L, 1), 1);
  lua_pushvalue(L, 3);
  EXPECT_EQ(lua_setfenv(L, 2), 0) << "a C function has none of its own";
  lua_pushnumber(L, 1);
  EXPECT_EQ(lua_setfenv(L, 1), 0) << "only a table can be one";
  EXPECT_EQ(lua_gettop(L), 3) << "popped in every case";
  lua_getfenv(L, 1);
  EXPECT_EQ(lua_topointer(L, -1), env);
  lua_getfenv(L, 2);
  EXPECT_EQ(lua_topointer(L, -1), globals) << "the thread's globals for a C function";
}

}  // namespace
