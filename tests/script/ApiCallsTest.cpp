#include <gtest/gtest.h>

#include <string>

#include "script/lua/Auxlib.h"
#include "script/lua/Calls.h"
#include "script/lua/Lua.h"
#include "tests/script/ChunkBuilder.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptApiCalls : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();
};

// --- Calls and errors -----------------------------------------------------------------

int AddTwo(lua_State* L) {
  lua_pushnumber(L, lua_tonumber(L, 1) + lua_tonumber(L, 2));
  return 1;
}

int RaiseTable(lua_State* L) {
  lua_newtable(L);
  lua_pushstring(L, "why");
  lua_pushstring(L, "because");
  lua_rawset(L, -3);
  lua_error(L);
}

int RaiseText(lua_State* L) {
  lua_pushstring(L, "failed");
  lua_error(L);
}

int PrefixMessage(lua_State* L) {
  lua_pushfstring(L, "handled: %s", lua_tostring(L, 1));
  return 1;
}

TEST_F(ScriptApiCalls, CallLeavesTheWantedResults) {
  lua_pushcfunction(L, AddTwo);
  lua_pushnumber(L, 2);
  lua_pushnumber(L, 3);
  lua_call(L, 2, 3);
  ASSERT_EQ(lua_gettop(L), 3);
  EXPECT_EQ(lua_tonumber(L, 1), 5);
  EXPECT_TRUE(lua_isnil(L, 2));
  EXPECT_TRUE(lua_isnil(L, 3));
}

TEST_F(ScriptApiCalls, ManyWantedResultsArePaddedWithinTheStack) {
  lua_pushcfunction(L, AddTwo);
  lua_call(L, 0, 500);
  ASSERT_EQ(lua_gettop(L), 500);
  EXPECT_EQ(lua_tonumber(L, 1), 0);
  EXPECT_TRUE(lua_isnil(L, 500));
}

TEST_F(ScriptApiCalls, AnErrorObjectOfAnyKindReachesThePcall) {
  lua_pushcfunction(L, RaiseTable);
  ASSERT_EQ(lua_pcall(L, 0, 0, 0), LUA_ERRRUN);
  ASSERT_EQ(lua_gettop(L), 1);
  ASSERT_TRUE(lua_istable(L, 1));
  lua_pushstring(L, "why");
  lua_rawget(L, 1);
  EXPECT_STREQ(lua_tostring(L, -1), "because");
}

TEST_F(ScriptApiCalls, TheHandlerAtAStackIndexRewritesTheMessage) {
  for (int handlerIndex : {1, -2}) {
    lua_settop(L, 0);
    lua_pushcfunction(L, PrefixMessage);
    lua_pushcfunction(L, RaiseText);
    ASSERT_EQ(lua_pcall(L, 0, 0, handlerIndex), LUA_ERRRUN);
    EXPECT_STREQ(lua_tostring(L, -1), "handled: failed") << handlerIndex;
    EXPECT_EQ(lua_gettop(L), 2) << "the handler stays below the message";
  }
  lua_settop(L, 0);
  lua_pushnumber(L, 1);  // a handler that is no function
  lua_pushcfunction(L, RaiseText);
  EXPECT_EQ(lua_pcall(L, 0, 0, 1), LUA_ERRERR);
  EXPECT_STREQ(lua_tostring(L, -1), "error in error handling");
}

// --- Loading and dumping ------------------------------------------------------------

struct Block {
  const char* bytes;
  size_t size;
};

const char* ReadBlock(lua_State*, void* ud, size_t* size) {
  Block* block = static_cast<Block*>(ud);
  if (block->size == 0) return nullptr;
  *size = block->size;
  block->size = 0;
  return block->bytes;
}

// Compiles text under the name "=text" and pushes the chunk.
void PushCompiled(lua_State* L, const std::string& text) {
  ASSERT_EQ(luaL_loadbuffer(L, text.data(), text.size(), "=text"), 0) << lua_tostring(L, -1);
}

TEST_F(ScriptApiCalls, LoadReadsTextOrPrecompiledChunksByTheFirstByte) {
  PushCompiled(L, "return 'dumped'");
  const std::string chunk = DumpChunk(L, TopProto(L));
  lua_pop(L, 1);
  const struct {
    std::string bytes;
    const char* name;
    int status;
    const char* message;  // the start of the error message
  } cases[] = {
      {"return 1", "=text", 0, ""},
      {chunk, "=binary", 0, ""},
      {"return +", nullptr, LUA_ERRSYNTAX, "[string \"?\"]:1:"},
      {"return +", "=named", LUA_ERRSYNTAX, "named:1:"},
      {chunk.substr(0, 10), "=cut", LUA_ERRRUN, "unexpected end of file in cut"},
  };
  for (const auto& c : cases) {
    Block block{c.bytes.data(), c.bytes.size()};
    ASSERT_EQ(lua_load(L, ReadBlock, &block, c.name), c.status) << c.bytes;
    EXPECT_EQ(lua_gettop(L), 1);
    if (c.status == 0) {
      EXPECT_TRUE(lua_isfunction(L, -1));
    } else {
      EXPECT_EQ(std::string(lua_tostring(L, -1)).rfind(c.message, 0), 0u) << lua_tostring(L, -1);
    }
    lua_pop(L, 1);
  }
}

int AppendPiece(lua_State*, const void* p, size_t size, void* ud) {
  static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
  return 0;
}

TEST_F(ScriptApiCalls, DumpWritesLuaFunctionsWithoutUpvaluesOnly) {
  PushCompiled(L, "return 'dumped'");
  std::string chunk;
  ASSERT_EQ(lua_dump(L, AppendPiece, &chunk), 1);
  EXPECT_EQ(chunk, DumpChunk(L, TopProto(L)));
  EXPECT_EQ(lua_gettop(L), 1) << "the function stays";
  ASSERT_EQ(luaL_loadbuffer(L, chunk.data(), chunk.size(), "=again"), 0);
  EXPECT_EQ(svalue(&TopProto(L)->k[0]), std::string("dumped"));
  chunk.clear();
  PushCompiled(L, "local x\nreturn function() return x end");
  lua_call(L, 0, 1);
  EXPECT_EQ(lua_dump(L, AppendPiece, &chunk), 0) << "a function with upvalues";
  lua_pushcfunction(L, AddTwo);
  EXPECT_EQ(lua_dump(L, AppendPiece, &chunk), 0) << "a C function";
  lua_settop(L, 0);
  EXPECT_EQ(lua_dump(L, AppendPiece, &chunk), 0) << "nothing at all";
  EXPECT_EQ(chunk, "") << "nothing written";
}

// --- The collector ----------------------------------------------------------------------

int gFinalized = 0;

int CountFinalizer(lua_State*) {
  gFinalized++;
  return 0;
}

// Leaves nothing behind but a userdata whose "__gc" counts.
void MakeGarbageWithFinalizer(lua_State* L) {
  lua_newuserdata(L, 4);
  lua_newtable(L);
  lua_pushstring(L, "__gc");
  lua_pushcfunction(L, CountFinalizer);
  lua_rawset(L, -3);
  lua_setmetatable(L, -2);
  lua_pop(L, 1);
}

TEST_F(ScriptApiCalls, CollectorCountsAreInKilobytes) {
  EXPECT_EQ(lua_getgccount(L), static_cast<int>(G(L)->nblocks / 1024));
  EXPECT_EQ(lua_getgcthreshold(L), static_cast<int>(G(L)->GCthreshold / 1024));
}

TEST_F(ScriptApiCalls, AThresholdAtOrBelowTheCountCollectsAtOnce) {
  gFinalized = 0;
  MakeGarbageWithFinalizer(L);
  lua_setgcthreshold(L, lua_getgccount(L));
  EXPECT_EQ(gFinalized, 1);
  EXPECT_GT(lua_getgcthreshold(L), lua_getgccount(L)) << "the threshold is set anew";
}

TEST_F(ScriptApiCalls, HugeOrNegativeThresholdsMeanNoLimit) {
  for (int threshold : {4194304, 2147483647, -1}) {
    gFinalized = 0;
    lua_setgcthreshold(L, threshold);
    EXPECT_EQ(lua_getgcthreshold(L), 4194303) << threshold;
    MakeGarbageWithFinalizer(L);
    for (int i = 0; i < 100; i++) lua_pushlstring(L, "collect?", 8);  // pushes check the collector
    EXPECT_EQ(gFinalized, 0) << threshold;
    lua_settop(L, 0);
  }
  lua_setgcthreshold(L, 0);
  EXPECT_EQ(gFinalized, 3) << "a limit again collects what waited";
}

}  // namespace
