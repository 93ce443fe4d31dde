#include <gtest/gtest.h>

#include <string>

#include "script/lua/Calls.h"
#include "script/lua/Lualib.h"
#include "tests/script/ScriptState.h"

// What scripts do with these libraries is in the script cases
// (tests/script/cases/string_*.lua, pack_unpack.lua, table_library.lua); here
// is what only C code sees.

namespace {

class ScriptStringLib : public ::testing::Test {
 protected:
  ScriptStringLib() {
    luaopen_string(L);
    luaopen_table(L);
    lua_settop(L, 0);
  }

  ScriptState state;
  lua_State* L = state.L();
};

TEST_F(ScriptStringLib, ByteStringsHaveTheLibraryAsTheirMetatable) {
  lua_pushstring(L, "abc");
  ASSERT_EQ(lua_getmetatable(L, -1), 1);
  lua_getglobal(L, "string");
  EXPECT_TRUE(lua_rawequal(L, -1, -2));
  EXPECT_EQ(RunChunk(L, "return ('abc'):upper(), ('x').len == string.len, (L\"x\").len"),
            "\"ABC\" true nil");
}

TEST(ScriptPackLib, OpenedAloneMakesTheStringTableWithPackAndUnpack) {
  ScriptState state;
  lua_State* L = state.L();
  EXPECT_EQ(luaopen_pack(L), 1);
  ASSERT_TRUE(lua_istable(L, -1));
  EXPECT_EQ(RunChunk(L, "return string.pack('b', 65), string.unpack('A', 'A'), string.len"),
            "\"A\" 2 nil");
}

TEST_F(ScriptStringLib, RunningOutOfMemoryAnywhereRaisesTheMemoryErrorAndLeaksNothing) {
  const char* source =
      "local s = string.format('%5d %s %q %Q', 42, string.rep('ab', 400), 'q', L\"w\")\n"
      "local p = string.pack('@600:32A@wz', s, L\"wide\")\n"
      "local t = {}\n"
      "for w in string.gfind(s, 'a(b)') do table.insert(t, w) end\n"
      "table.sort(t)\n"
      "local r = string.gsub(s, '(a)', '%1-') .. table.concat(t, ',')\n"
      "return r .. string.unpack(p, 'A3') .. string.lualex('\\\\x41', 0)";
  ASSERT_EQ(LoadSource(L, source), 0) << TopString(L);
  TestAllocator& allocator = state.Allocator();
  bool finished = false;
  int failures = 0;
  for (int attempt = 1; !finished && attempt < 5000; attempt++) {
    lua_pushvalue(L, 1);
    allocator.failAt = allocator.allocations + attempt;
    const int status = PCall(L, 0, 0);
    allocator.failAt = 0;
    if (status == 0) {
      finished = true;
    } else {
      ASSERT_EQ(status, LUA_ERRMEM) << "attempt " << attempt << ": " << TopString(L);
      failures++;
      lua_pop(L, 1);
    }
  }
  EXPECT_TRUE(finished);
  EXPECT_GT(failures, 20) << "the libraries allocate at many points";
}

}  // namespace
