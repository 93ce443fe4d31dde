#include "script/lua/Strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "script/lua/Collector.h"
#include "script/lua/State.h"
#include "tests/script/ScriptState.h"

namespace {

std::vector<lua_WChar> Units(const std::u16string& text) {
  return std::vector<lua_WChar>(text.begin(), text.end());
}

LString* Wide(lua_State* L, const std::u16string& text) {
  const std::vector<lua_WChar> units = Units(text);
  return luaS_newlwstr(L, units.data(), units.size());
}

TEST(ScriptStrings, HashSamplesTheTextFromTheEnd) {
  EXPECT_EQ(luaS_hash("", 0), 0u);
  EXPECT_EQ(luaS_hash("a", 1), 128u);
  EXPECT_EQ(luaS_hash("ab", 2), 5161u);
  const lua_WChar ab[] = {'a', 'b'};
  EXPECT_EQ(luaS_whash(ab, 2), 5161u) << "wide text hashes its units the same way";
  // Long texts are sampled: of 64 characters every third one from the end
  // counts (indexes 63, 60, ..., 6, 3).
  std::string a(64, 'x'), b(64, 'x');
  b[1] = 'y';  // not sampled
  EXPECT_EQ(luaS_hash(a.data(), a.size()), luaS_hash(b.data(), b.size()));
  b[3] = 'y';  // sampled
  EXPECT_NE(luaS_hash(a.data(), a.size()), luaS_hash(b.data(), b.size()));
}

TEST(ScriptStrings, EqualTextOfOneKindIsOneObject) {
  ScriptState state;
  lua_State* L = state.L();
  LString* abc = luaS_newlstr(L, "abc", 3);
  EXPECT_EQ(luaS_newlstr(L, "abcdef", 3), abc);
  EXPECT_EQ(std::string(getstr(abc)), "abc") << "terminated";
  LString* wabc = Wide(L, u"abc");
  EXPECT_EQ(Wide(L, u"abc"), wabc);
  EXPECT_NE(wabc, abc) << "a wide string never matches a byte string";
  EXPECT_EQ(wabc->tt, LUA_TWSTRING);
  EXPECT_EQ(wabc->len, 3u);
  EXPECT_EQ(getwstr(wabc)[3], 0) << "terminated by a zero unit";
  // Same bytes as the units of L"ab" on a little-endian host.
  LString* bytes = luaS_newlstr(L, "a\0b\0", 4);
  EXPECT_NE(bytes, Wide(L, u"ab"));
  // Texts with zeros inside are whole texts.
  EXPECT_NE(luaS_newlstr(L, "a\0b", 3), luaS_newlstr(L, "a\0c", 3));
  LString* emptywide = Wide(L, u"");
  EXPECT_EQ(emptywide->len, 0u);
  EXPECT_EQ(Wide(L, u""), emptywide);
  EXPECT_NE(luaS_newlstr(L, "", 0), emptywide);
}

TEST(ScriptStrings, InterningSurvivesTheGrowthOfTheStringTable) {
  ScriptState state;
  lua_State* L = state.L();
  stringtable* tb = &G(L)->strt;
  const int initial = tb->size;  // 32, doubled once by the names fixed at opening
  std::vector<LString*> strings, wides;
  std::vector<int> sizes;
  for (int i = 0; i < 300; i++) {
    const std::string text = "key" + std::to_string(i);
    strings.push_back(luaS_newlstr(L, text.data(), text.size()));
    wides.push_back(Wide(L, std::u16string(text.begin(), text.end())));
    if (sizes.empty() || sizes.back() != tb->size) sizes.push_back(tb->size);
    EXPECT_LE(tb->nuse, static_cast<uint32_t>(tb->size));
  }
  EXPECT_EQ(sizes, (std::vector<int>{initial, initial * 2, initial * 4, initial * 8, initial * 16}));
  for (int i = 0; i < 300; i++) {
    const std::string text = "key" + std::to_string(i);
    EXPECT_EQ(luaS_newlstr(L, text.data(), text.size()), strings[i]);
    EXPECT_EQ(Wide(L, std::u16string(text.begin(), text.end())), wides[i]);
  }
}

TEST(ScriptStrings, StringsThatOutliveACollectionAreFoundAgain) {
  ScriptState state;
  lua_State* L = state.L();
  // Names that differ in their last characters share neighbouring chains,
  // and chains hold both kept and dropped ones.
  std::vector<LString*> kept;
  lua_newtable(L);
  for (int i = 0; i < 5000; i++) {
    const std::string text = "name" + std::to_string(i);
    if (i % 3 == 0) {
      lua_pushlstring(L, text.data(), text.size());
      kept.push_back(tsvalue(L->top - 1));
      lua_rawseti(L, -2, static_cast<int>(kept.size()));
    } else {
      luaS_newlstr(L, text.data(), text.size());
    }
  }
  lua_setglobal(L, "kept");
  const uint32_t before = G(L)->strt.nuse;
  luaC_collectgarbage(L);
  EXPECT_LT(G(L)->strt.nuse, before - 3000) << "the dropped ones went";
  for (size_t k = 0; k < kept.size(); k++) {
    const std::string text = "name" + std::to_string(3 * k);
    EXPECT_EQ(luaS_newlstr(L, text.data(), text.size()), kept[k]) << text;
  }
  const uint32_t after = G(L)->strt.nuse;
  luaS_new(L, "name1");
  EXPECT_EQ(G(L)->strt.nuse, after + 1) << "a dropped one is made anew";
}

TEST(ScriptStrings, AStringWrittenInPlaceIsInternedOnceAdopted) {
  ScriptState state;
  lua_State* L = state.L();
  LString* existing = luaS_new(L, "joined,text");
  const uint32_t interned = G(L)->strt.nuse;
  LString* blank = luaS_newblank(L, 11);
  memcpy(getstr(blank), "joined,text", 11);
  EXPECT_EQ(luaS_adopt(L, blank), existing) << "the equal string stands; the copy is freed";
  EXPECT_EQ(G(L)->strt.nuse, interned);
  blank = luaS_newblank(L, 4);
  memcpy(getstr(blank), "new!", 4);
  LString* adopted = luaS_adopt(L, blank);
  EXPECT_EQ(adopted, blank);
  EXPECT_STREQ(getstr(adopted), "new!");
  EXPECT_EQ(luaS_new(L, "new!"), adopted);
  EXPECT_EQ(G(L)->strt.nuse, interned + 1);
}

TEST(ScriptStrings, LengthsBeyondTheLimitAreRefused) {
  ScriptState state;
  lua_State* L = state.L();
  const lua_WChar unit = 'x';
  for (size_t len : {MAX_SIZET, SIZE_MAX, SIZE_MAX / 2 + 1}) {
    EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaS_newlstr(L, "x", len); }), LUA_ERRRUN);
    EXPECT_EQ(TopString(L), "memory allocation error: block too big");
    EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaS_newlwstr(L, &unit, len); }), LUA_ERRRUN);
    EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaS_newudata(L, len); }), LUA_ERRRUN);
  }
}

TEST(ScriptStrings, WideLengthCountsUnitsBeforeTheZero) {
  const lua_WChar text[] = {0x263A, 'a', 0};
  const lua_WChar empty[] = {0};
  EXPECT_EQ(lua_wstrlen(text), 2u);
  EXPECT_EQ(lua_wstrlen(empty), 0u);
}

TEST(ScriptUserdata, DataBlocksHaveEvenLengths) {
  ScriptState state;
  lua_State* L = state.L();
  const struct {
    size_t requested, stored;
  } cases[] = {{0, 0}, {1, 2}, {4, 4}, {5, 6}, {1001, 1002}};
  for (const auto& c : cases) {
    Udata* u = luaS_newudata(L, c.requested);
    EXPECT_EQ(u->len, c.stored) << c.requested;
    EXPECT_FALSE(isboxedpointer(u));
    EXPECT_EQ(udataaddress(u), getudata(u));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(getudata(u)) % alignof(std::max_align_t), 0u);
    EXPECT_EQ(u->metatable, hvalue(&G(L)->typemeta[LUA_TUSERDATA]));
    EXPECT_EQ(G(L)->rootudata, u) << "linked on the userdata list";
  }
}

TEST(ScriptUserdata, BoxedPointerStandsForThePointerItHolds) {
  ScriptState state;
  lua_State* L = state.L();
  int target = 0;
  Udata* u = luaS_newboxedpointer(L, &target);
  EXPECT_EQ(u->len, 1u);
  EXPECT_TRUE(isboxedpointer(u));
  EXPECT_EQ(udataaddress(u), &target);
  EXPECT_EQ(u->metatable, hvalue(&G(L)->typemeta[LUA_TUSERDATA]));
}

}  // namespace
