#include "script/lua/Object.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "script/lua/State.h"
#include "script/lua/Strings.h"
#include "tests/script/ScriptState.h"

namespace {

TEST(ScriptObject, NumbersBecome32BitIntegersOneWay) {
  const struct {
    lua_Number n;
    uint32_t bits;
  } cases[] = {
      {5, 5},
      {2.9, 2},
      {-2.5, 4294967294u},
      {-1, 4294967295u},
      {4294967296.0, 0},
      {4294967297.0, 1},
      {2147483648.0, 2147483648u},
      {-9223372036854775808.0, 0},
      {9223372036854775808.0, 0},  // outside the 64-bit range
      {1e300, 0},
      {-1e300, 0},
      {HUGE_VAL, 0},
      {std::nan(""), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(luaO_num2bits(c.n), c.bits) << c.n;
}

TEST(ScriptObject, FloatingBytesEncodeTableSizeHints) {
  const struct {
    unsigned size;
    int byte;
    size_t decoded;
  } cases[] = {{0, 0, 0}, {7, 7, 7}, {8, 12, 8}, {9, 13, 10}, {100, 39, 112}, {1000, 68, 1024}};
  for (const auto& c : cases) {
    EXPECT_EQ(luaO_int2fb(c.size), c.byte) << c.size;
    EXPECT_EQ(luaO_fb2int(c.byte), c.decoded) << c.size;
  }
  EXPECT_GT(luaO_fb2int(511), static_cast<size_t>(MAXASIZE)) << "saturates instead of wrapping";
  EXPECT_EQ(luaO_log2(0), -1);
  EXPECT_EQ(luaO_log2(1), 0);
  EXPECT_EQ(luaO_log2(16), 4);
  EXPECT_EQ(luaO_log2(17), 4);
}

TEST(ScriptObject, RawEqualityComparesTagsThenValuesOrIdentity) {
  ScriptState state;
  lua_State* L = state.L();
  TObject a, b;
  setnvalue(&a, 1);
  setbvalue(&b, 1);
  EXPECT_FALSE(luaO_rawequalObj(&a, &b)) << "different tags";
  setnvalue(&b, 1.0);
  EXPECT_TRUE(luaO_rawequalObj(&a, &b));
  setnvalue(&a, std::nan(""));
  setnvalue(&b, std::nan(""));
  EXPECT_FALSE(luaO_rawequalObj(&a, &b));
  EXPECT_TRUE(luaO_rawequalObj(&luaO_nilobject, &luaO_nilobject));
  const lua_WChar units[] = {'a'};
  setwsvalue(&a, luaS_newlwstr(L, units, 1));
  setwsvalue(&b, luaS_newlwstr(L, units, 1));
  EXPECT_TRUE(luaO_rawequalObj(&a, &b));
  setsvalue(&b, luaS_newlstr(L, "a", 1));
  EXPECT_FALSE(luaO_rawequalObj(&a, &b));
}

TEST(ScriptObject, FormattedStringsArePushed) {
  ScriptState state;
  lua_State* L = state.L();
  const StkId top = L->top;
  EXPECT_STREQ(luaO_pushfstring(L, "%s:%d: %s", "chunk", 12, "boom"), "chunk:12: boom");
  EXPECT_EQ(L->top, top + 1);
  EXPECT_EQ(TopString(L), "chunk:12: boom");
  const char* nulltext = nullptr;
  EXPECT_STREQ(luaO_pushfstring(L, "[%s]", nulltext), "[(null)]");
  EXPECT_STREQ(luaO_pushfstring(L, "%f|%f|%d", 0.5, 1e15, -7), "0.5|1e+15|-7");
  EXPECT_STREQ(luaO_pushfstring(L, "100%% %c%c", 'o', 'k'), "100% ok");
  EXPECT_STREQ(luaO_pushfstring(L, "plain"), "plain");
  const std::string longtext(5000, 'x');
  EXPECT_EQ(std::string(luaO_pushfstring(L, "%s!", longtext.c_str())), longtext + "!");
}

TEST(ScriptObject, ManyPushesGrowTheStack) {
  ScriptState state;
  lua_State* L = state.L();
  for (int i = 0; i < 200; i++) luaO_pushfstring(L, "%d", i);
  EXPECT_GE(L->stacksize, 200);
  EXPECT_EQ(TopString(L), "199");
  EXPECT_STREQ(svalue(L->base), "0");
}

TEST(ScriptObject, ChunkIdsAreShortenedForMessages) {
  const std::string longname(100, 'n');
  const struct {
    std::string source;
    std::string id;
  } cases[] = {
      {"=stdin", "stdin"},
      {"=" + longname, longname.substr(0, LUA_IDSIZE - 1)},
      {"@scripts/main.lua", "scripts/main.lua"},
      {"@" + longname + ".lua", "..." + (longname + ".lua").substr(104 - 52)},
      {"x = 1", "[string \"x = 1\"]"},
      {"x = 1\ny = 2", "[string \"x = 1...\"]"},
      {longname, "[string \"" + longname.substr(0, 43) + "...\"]"},
  };
  for (const auto& c : cases) {
    char out[LUA_IDSIZE];
    luaO_chunkid(out, c.source.c_str(), sizeof out);
    EXPECT_EQ(std::string(out), c.id) << c.source;
    EXPECT_LT(strlen(out), sizeof out);
  }
}

}  // namespace
