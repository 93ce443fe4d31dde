#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/lua/Api.h"
#include "script/lua/Lua.h"
#include "script/lua/Table.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptApiStack : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  // The stack's numbers and strings, bottom first, separated by blanks.
  std::string Stack() {
    std::string text;
    for (int i = 1; i <= lua_gettop(L); i++) {
      if (i > 1) text += ' ';
      const char* s = lua_type(L, i) == LUA_TNIL ? "nil" : lua_tostring(L, i);
      text += s != nullptr ? s : "?";
    }
    return text;
  }

  void PushNumbers(int first, int last) {
    for (int i = first; i <= last; i++) lua_pushnumber(L, i);
  }
};

// --- Indices ---------------------------------------------------------------------

struct IndexCase {
  int idx;
  int type;
};

// Seen from a C closure with the upvalues true and "up", called with the
// arguments 10 and "arg"; registry[1] holds 7.
const IndexCase kIndexCases[] = {
    {1, LUA_TNUMBER},
    {2, LUA_TSTRING},
    {3, LUA_TNONE},  // at the top
    {-1, LUA_TSTRING},
    {-2, LUA_TNUMBER},
    {-3, LUA_TNONE},  // below the frame
    {0, LUA_TNONE},
    {LUA_REGISTRYINDEX, LUA_TTABLE},
    {LUA_GLOBALSINDEX, LUA_TTABLE},
    {lua_upvalueindex(1), LUA_TBOOLEAN},
    {-10003, LUA_TSTRING},
    {lua_upvalueindex(3), LUA_TNONE},  // beyond the closure's upvalues
    {-40000, LUA_TNONE},               // the last upvalue index
    {-40001, LUA_TNUMBER},             // registry[1]
    {-40099, LUA_TNIL},                // an absent registry entry reads as nil
};

std::vector<int> gSeenTypes;

int RecordTypes(lua_State* L) {
  for (const IndexCase& c : kIndexCases) gSeenTypes.push_back(lua_type(L, c.idx));
  return 0;
}

TEST_F(ScriptApiStack, IndicesNameFrameSlotsRegistryGlobalsUpvaluesAndRegistryEntries) {
  lua_pushnumber(L, 7);
  lua_rawseti(L, LUA_REGISTRYINDEX, 1);
  lua_pushboolean(L, 1);
  lua_pushstring(L, "up");
  lua_pushcclosure(L, RecordTypes, 2);
  lua_pushnumber(L, 10);
  lua_pushstring(L, "arg");
  gSeenTypes.clear();
  ASSERT_EQ(lua_pcall(L, 2, 0, 0), 0);
  ASSERT_EQ(gSeenTypes.size(), std::size(kIndexCases));
  for (size_t i = 0; i < gSeenTypes.size(); i++) {
    EXPECT_EQ(gSeenTypes[i], kIndexCases[i].type) << "index " << kIndexCases[i].idx;
  }
}

TEST_F(ScriptApiStack, RegistryEntryIndicesReadWithoutMetamethods) {
  lua_pushstring(L, "one");
  lua_rawseti(L, LUA_REGISTRYINDEX, 1);
  EXPECT_STREQ(lua_tostring(L, -40001), "one");
  lua_pushvalue(L, lua_registryindex(1));
  EXPECT_STREQ(lua_tostring(L, -1), "one");
  lua_pushvalue(L, lua_registryindex(2));
  EXPECT_TRUE(lua_isnil(L, -1));
}

TEST_F(ScriptApiStack, StoresThroughRegistryEntryIndicesLandInTheRegistry) {
  lua_pushstring(L, "stored");
  lua_replace(L, lua_registryindex(5));  // absent until now
  EXPECT_TRUE(ttisnil(&luaO_nilobject)) << "the shared nil object stays nil";
  EXPECT_EQ(lua_gettop(L), 0);
  lua_rawgeti(L, LUA_REGISTRYINDEX, 5);
  EXPECT_STREQ(lua_tostring(L, -1), "stored");
  lua_pushnumber(L, 2);
  lua_replace(L, lua_registryindex(5));  // present: replaced
  EXPECT_EQ(lua_tonumber(L, lua_registryindex(5)), 2);
}

TEST_F(ScriptApiStack, ConversionsInPlaceReachRegistryEntries) {
  lua_pushnumber(L, 12);
  lua_rawseti(L, LUA_REGISTRYINDEX, 3);
  EXPECT_STREQ(lua_tostring(L, lua_registryindex(3)), "12");
  EXPECT_EQ(lua_type(L, lua_registryindex(3)), LUA_TSTRING) << "converted where it is stored";
  EXPECT_EQ(lua_tostring(L, lua_registryindex(4)), nullptr) << "absent";
  EXPECT_EQ(lua_strlen(L, lua_registryindex(4)), 0u);
}

TEST_F(ScriptApiStack, ReplacingTheRegistryOrGlobalsTakesOnlyTables) {
  Table* registryTable = hvalue(registry(L));
  Table* globals = hvalue(gt(L));
  for (int idx : {LUA_REGISTRYINDEX, LUA_GLOBALSINDEX}) {
    lua_pushnumber(L, 1);
    lua_replace(L, idx);
    EXPECT_EQ(lua_gettop(L), 0) << "popped";
  }
  EXPECT_EQ(hvalue(registry(L)), registryTable);
  EXPECT_EQ(hvalue(gt(L)), globals);
  lua_newtable(L);
  const void* replacement = lua_topointer(L, -1);
  lua_replace(L, LUA_GLOBALSINDEX);
  EXPECT_EQ(lua_topointer(L, LUA_GLOBALSINDEX), replacement);
}

int CountCalls(lua_State* L) {
  lua_pushnumber(L, lua_tonumber(L, lua_upvalueindex(1)) + 1);
  lua_pushvalue(L, -1);
  lua_replace(L, lua_upvalueindex(1));
  lua_pushstring(L, "dropped");
  lua_replace(L, lua_upvalueindex(2));  // the closure has one upvalue
  return 1;
}

TEST_F(ScriptApiStack, ACClosureKeepsWhatIsStoredInItsUpvalues) {
  lua_pushnumber(L, 0);
  lua_pushcclosure(L, CountCalls, 1);
  for (int expected = 1; expected <= 3; expected++) {
    lua_pushvalue(L, 1);
    ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
    EXPECT_EQ(lua_tonumber(L, -1), expected);
    lua_pop(L, 1);
  }
}

// --- Stack operations -------------------------------------------------------------

TEST_F(ScriptApiStack, SettopInsertRemoveAndReplaceRearrangeTheFrame) {
  PushNumbers(1, 5);
  lua_insert(L, 2);
  EXPECT_EQ(Stack(), "1 5 2 3 4");
  lua_remove(L, -2);
  EXPECT_EQ(Stack(), "1 5 2 4");
  lua_pushnumber(L, 9);
  lua_replace(L, 1);
  EXPECT_EQ(Stack(), "9 5 2 4");
  lua_pushnumber(L, 7);
  lua_replace(L, -2);  // counted with the value still on top
  EXPECT_EQ(Stack(), "9 5 2 7");
  lua_pushnumber(L, 4);
  lua_replace(L, -2);
  lua_settop(L, 6);
  EXPECT_EQ(Stack(), "9 5 2 4 nil nil");
  lua_pop(L, 3);
  EXPECT_EQ(Stack(), "9 5 2");
  lua_pushvalue(L, -3);
  EXPECT_EQ(Stack(), "9 5 2 9");
  lua_settop(L, -10);  // more than there is: the frame is emptied
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(ScriptApiStack, IndicesWithoutAValueAreHarmless) {
  PushNumbers(1, 2);
  lua_remove(L, 5);
  lua_insert(L, -7);
  lua_pushvalue(L, 4);
  EXPECT_EQ(Stack(), "1 2 nil");
  lua_pushvalue(L, lua_upvalueindex(1));  // no C closure runs
  EXPECT_TRUE(lua_isnil(L, -1));
}

// --- The push rule ------------------------------------------------------------------

constexpr int kManyValues = 10000;

// Argument 1: a function returning a captured value. Pushes kManyValues
// numbers without lua_checkstack, checks them, calls the function and returns
// its result.
int PushManyThenCall(lua_State* L) {
  const StkId frameLimit = L->ci->top;
  const ptrdiff_t frameLimitOffset = savestack(L, frameLimit);
  for (int i = 0; i < kManyValues; i++) lua_pushnumber(L, i);
  if (L->ci->top != restorestack(L, frameLimitOffset)) {
    lua_pushstring(L, "the frame limit moved");
    lua_error(L);
  }
  for (int i = 0; i < kManyValues; i++) {
    if (lua_tonumber(L, i + 2) != i) {
      lua_pushstring(L, "a pushed value was lost");
      lua_error(L);
    }
  }
  lua_pushstring(L, "a string push after the frame's end");
  lua_pushvalue(L, 1);
  lua_call(L, 0, 1);
  return 1;
}

// A script function that returns the value of a local of its enclosing chunk.
void PushUpvalueGetter(lua_State* L) {
  ASSERT_EQ(LoadSource(L, "local x = 'captured'\nreturn function() return x end"), 0);
  lua_call(L, 0, 1);
}

TEST_F(ScriptApiStack, ACFunctionPushesPastItsFrameAndStillCallsAFunctionWithUpvalues) {
  const int sizeBefore = L->stacksize;
  lua_pushcfunction(L, PushManyThenCall);
  PushUpvalueGetter(L);
  ASSERT_EQ(lua_pcall(L, 1, 1, 0), 0) << lua_tostring(L, -1);
  EXPECT_STREQ(lua_tostring(L, -1), "captured");
  EXPECT_GT(L->stacksize, sizeBefore + kManyValues) << "the stack grew by itself";
}

TEST_F(ScriptApiStack, CheckstackRefusesFramesBeyond2048Slots) {
  lua_pushnumber(L, 1);
  EXPECT_EQ(lua_checkstack(L, 2048), 0);
  EXPECT_EQ(lua_checkstack(L, 2047), 1);
  EXPECT_GE(L->ci->top - L->top, 2047) << "the frame was raised";
  EXPECT_GE(L->stack_last - L->top, 2047);
}

TEST_F(ScriptApiStack, XmoveCarriesValuesToAnotherThreadBeyondItsFrame) {
  lua_State* co = lua_newthread(L);
  const int count = 3 * LUA_MINSTACK;
  PushNumbers(1, count);
  lua_pushstring(L, "last");
  lua_xmove(L, co, count + 1);
  EXPECT_EQ(lua_gettop(L), 1) << "only the thread stays";
  ASSERT_EQ(lua_gettop(co), count + 1);
  for (int i = 1; i <= count; i++) EXPECT_EQ(lua_tonumber(co, i), i);
  EXPECT_STREQ(lua_tostring(co, -1), "last");
  lua_xmove(co, L, 1);
  EXPECT_STREQ(lua_tostring(L, -1), "last");
  EXPECT_EQ(lua_gettop(co), count);
}

}  // namespace
