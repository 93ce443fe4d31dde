#include <gtest/gtest.h>

#include <string>

#include "script/lua/Lua.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptApiOperations : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  // Gives the table at idx a metatable whose field `event` is the function
  // compiled from `source`.
  void SetMetamethod(int idx, const char* event, const char* source) {
    idx = idx > 0 ? idx : lua_gettop(L) + idx + 1;
    lua_newtable(L);
    lua_pushstring(L, event);
    ASSERT_EQ(LoadSource(L, source), 0) << lua_tostring(L, -1);
    lua_call(L, 0, 1);
    lua_rawset(L, -3);
    lua_setmetatable(L, idx);
  }
};

// --- Indexing and assignment -----------------------------------------------------------

TEST_F(ScriptApiOperations, GettableAndSettableRunMetamethods) {
  lua_newtable(L);  // 1: the proxy
  lua_newtable(L);  // 2: where the proxy's stores land
  lua_setglobal(L, "store");
  SetMetamethod(1, "__index", "return function(t, k) return k .. '!' end");
  lua_pushstring(L, "key");
  lua_gettable(L, 1);
  EXPECT_STREQ(lua_tostring(L, -1), "key!");
  lua_pop(L, 1);
  SetMetamethod(1, "__newindex", "return function(t, k, v) store[k] = v end");
  lua_pushstring(L, "x");
  lua_pushnumber(L, 5);
  lua_settable(L, 1);
  EXPECT_EQ(lua_gettop(L), 1);
  lua_pushstring(L, "x");
  lua_rawget(L, 1);
  EXPECT_TRUE(lua_isnil(L, -1)) << "the proxy itself stays empty";
  EXPECT_EQ(RunChunk(L, "return store.x"), "5");
}

TEST_F(ScriptApiOperations, OtherValuesAreIndexedThroughTheirTypeMetatable) {
  lua_gettypemetatable(L, LUA_TSTRING);
  lua_pushstring(L, "size");
  lua_pushnumber(L, 3);
  lua_settable(L, -3);
  lua_pushstring(L, "abc");
  lua_pushstring(L, "size");
  lua_gettable(L, -2);
  EXPECT_EQ(lua_tonumber(L, -1), 3);
}

int IndexNil(lua_State* L) {
  lua_pushnil(L);
  lua_pushstring(L, "k");
  lua_gettable(L, -2);
  return 0;
}

int StoreIntoNil(lua_State* L) {
  lua_pushstring(L, "k");
  lua_pushnumber(L, 1);
  lua_settable(L, 5);  // no value there
  return 0;
}

TEST_F(ScriptApiOperations, IndexingNilIsAnError) {
  EXPECT_EQ(CallFailure(L, IndexNil), "attempt to index a nil value");
  EXPECT_EQ(CallFailure(L, StoreIntoNil), "attempt to index a nil value");
}

// --- Order ------------------------------------------------------------------------------

TEST_F(ScriptApiOperations, LessthanComparesAsTheScriptDoes) {
  lua_pushnumber(L, 1);     // 1
  lua_pushnumber(L, 2);     // 2
  lua_pushstring(L, "a");   // 3
  lua_pushstring(L, "b");   // 4
  lua_newtable(L);          // 5
  lua_newtable(L);          // 6
  lua_newtable(L);          // 7: the shared metatable
  lua_pushstring(L, "__lt");
  ASSERT_EQ(LoadSource(L, "return function(a, b) return rawb == b end"), 0);
  lua_call(L, 0, 1);
  lua_rawset(L, 7);
  lua_pushvalue(L, 7);
  lua_setmetatable(L, 5);
  lua_pushvalue(L, 7);
  lua_setmetatable(L, 6);
  lua_pushvalue(L, 6);
  lua_setglobal(L, "rawb");
  const struct {
    int a, b, result;
  } cases[] = {{1, 2, 1}, {2, 1, 0}, {3, 4, 1}, {4, 3, 0}, {5, 6, 1}, {6, 5, 0}, {1, 9, 0}, {0, 1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(lua_lessthan(L, c.a, c.b), c.result) << c.a << " < " << c.b;
  }
}

int CompareNumberWithString(lua_State* L) {
  lua_pushnumber(L, 1);
  lua_pushstring(L, "2");
  lua_lessthan(L, 1, 2);
  return 0;
}

TEST_F(ScriptApiOperations, OrderOfDifferentTypesIsAnError) {
  EXPECT_EQ(CallFailure(L, CompareNumberWithString), "attempt to compare number with string");
}

// --- Concatenation --------------------------------------------------------------------

TEST_F(ScriptApiOperations, ConcatJoinsByteOrWideTextAndNumbers) {
  const lua_WChar wideA[] = {'a', 0};
  const lua_WChar wideB[] = {'b', 0};
  lua_concat(L, 0);
  EXPECT_STREQ(lua_tostring(L, -1), "") << "nothing joined is the empty string";
  lua_pushstring(L, "x");
  lua_concat(L, 1);
  EXPECT_STREQ(lua_tostring(L, -1), "x") << "one value stays as it is";
  EXPECT_EQ(lua_gettop(L), 2);
  lua_settop(L, 0);
  lua_pushstring(L, "a");
  lua_pushnumber(L, 1);
  lua_pushstring(L, "b");
  lua_concat(L, 3);
  EXPECT_EQ(lua_gettop(L), 1);
  EXPECT_STREQ(lua_tostring(L, -1), "a1b");
  lua_pushwstring(L, wideA);
  lua_pushnumber(L, 2);
  lua_pushwstring(L, wideB);
  lua_concat(L, 3);
  EXPECT_EQ(lua_gettop(L), 2);
  ASSERT_EQ(lua_type(L, -1), LUA_TWSTRING);
  const std::u16string joined(lua_towstring(L, -1), lua_towstring(L, -1) + lua_strlen(L, -1));
  EXPECT_EQ(joined, u"a2b");
}

int ConcatByteAndWide(lua_State* L) {
  const lua_WChar wide[] = {'w', 0};
  lua_pushstring(L, "a");
  lua_pushwstring(L, wide);
  lua_concat(L, 2);
  return 0;
}

TEST_F(ScriptApiOperations, ConcatOfByteAndWideTextIsAnError) {
  EXPECT_EQ(CallFailure(L, ConcatByteAndWide), "attempt to concatenate a wstring value");
}

}  // namespace
