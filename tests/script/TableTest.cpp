#include "script/lua/Table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "script/lua/State.h"
#include "script/lua/Strings.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptTable : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();
  Table* t = luaH_new(L, 0, 0);

  TObject Num(lua_Number n) { return NumberValue(n); }
  TObject Str(const std::string& text) { return StringValue(L, text); }
  TObject WStr(const std::u16string& text) { return WideValue(L, text); }
  void Set(const TObject& key, lua_Number value) {
    TObject v = Num(value);
    setobj(luaH_set(L, t, &key), &v);
  }
  void Clear(const TObject& key) { setnilvalue(luaH_set(L, t, &key)); }
  // The value at key, or -1 when absent.
  lua_Number Get(const TObject& key) {
    const TObject* v = luaH_get(t, &key);
    return ttisnil(v) ? -1 : nvalue(v);
  }
  // The keys in the order `next` gives them, as text.
  std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    StkId slot = L->top;
    setnilvalue(slot);
    while (luaH_next(L, t, slot)) {
      if (ttisstring(slot)) {
        keys.push_back(svalue(slot));
      } else if (ttisnumber(slot)) {
        char text[32];
        snprintf(text, sizeof text, "%g", nvalue(slot));
        keys.push_back(text);
      } else {
        keys.push_back(ttiswstring(slot) ? "<wide>" : "<other>");
      }
    }
    return keys;
  }

};

// The orders below follow from the hashes ("a" 128, "ab" 5161, "b" 131,
// "c" 130, "i" 136, "f" 135), the node counts a rehash picks (the smallest
// power of two above the key count) and the collision rule.
TEST_F(ScriptTable, StringKeysTraverseInTheirFixedOrder) {
  for (const char* key : {"a", "ab", "b", "c"}) Set(Str(key), 1);
  // Rehashed to 8 nodes; each key sits in its main position.
  EXPECT_EQ(t->lsizenode, 3);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"a", "ab", "c", "b"}));
  // "i" collides with "a" (node 0) and goes to the last free node, 7; "f"
  // belongs in node 7, so "i" moves on to the next free node, 6.
  Set(Str("i"), 2);
  Set(Str("f"), 3);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"a", "ab", "c", "b", "i", "f"}));
  EXPECT_EQ(Get(Str("i")), 2);
  EXPECT_EQ(Get(Str("f")), 3);
  EXPECT_EQ(Get(Str("a")), 1);
}

TEST_F(ScriptTable, NumberKeysTraverseInTheirFixedOrder) {
  // 2.5 and -1 share node 0 of two; the rehash to four nodes reinserts -1
  // (node 0) before 2.5 (node 1); 10 collides with -1 and takes node 3.
  for (lua_Number key : {2.5, -1.0, 10.0}) Set(Num(key), key);
  EXPECT_EQ(t->sizearray, 0);
  EXPECT_EQ(t->lsizenode, 2);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"-1", "2.5", "10"}));
}

TEST_F(ScriptTable, ArrayPartTakesDenseIntegerKeys) {
  std::vector<int> sizes;
  for (int key = 1; key <= 5; key++) {
    Set(Num(key), key);
    sizes.push_back(t->sizearray);
  }
  EXPECT_EQ(sizes, (std::vector<int>{1, 2, 4, 4, 8}));
  EXPECT_EQ(sizenode(t), 1) << "no hash part";
  Set(Num(100), 100);  // too sparse for the array part
  EXPECT_EQ(t->sizearray, 8);
  EXPECT_EQ(Get(Num(100)), 100);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"1", "2", "3", "4", "5", "100"}));
}

TEST_F(ScriptTable, AnArrayPartThatShrinksMovesItsOtherKeysToTheHashPart) {
  for (int key = 1; key <= 8; key++) Set(Num(key), key);
  ASSERT_EQ(t->sizearray, 8);
  for (int key = 2; key <= 7; key++) Clear(Num(key));
  Set(Str("a"), 10);
  Set(Str("b"), 11);  // the rehash for it counts keys 1 and 8 only
  EXPECT_LT(t->sizearray, 8);
  EXPECT_EQ(Get(Num(1)), 1);
  EXPECT_EQ(Get(Num(8)), 8);
  EXPECT_EQ(Get(Str("a")), 10);
  EXPECT_EQ(Get(Str("b")), 11);
  EXPECT_EQ(Keys().size(), 4u);
}

TEST_F(ScriptTable, AFailedGrowthOfTheArrayPartLeavesTheTableAsItWas) {
  for (int key = 1; key <= 4; key++) Set(Num(key), key);
  ASSERT_EQ(t->sizearray, 4);
  state.Allocator().failAll = true;
  const int status = RunProtected(L, [&](lua_State*) { Set(Num(5), 5); });
  state.Allocator().failAll = false;
  EXPECT_EQ(status, LUA_ERRMEM);
  EXPECT_EQ(t->sizearray, 4);
  EXPECT_EQ(Get(Num(5)), -1);
  for (int key = 1; key <= 4; key++) EXPECT_EQ(Get(Num(key)), key);
  Set(Num(5), 5);
  EXPECT_EQ(Get(Num(5)), 5);
}

TEST_F(ScriptTable, KeysOfOneValueAreOneEntry) {
  Set(Num(1), 10);
  EXPECT_EQ(Get(Num(1.0)), 10);
  Set(Num(0.0), 20);
  EXPECT_EQ(Get(Num(-0.0)), 20);
  Set(Num(4294967296.0), 30);  // beyond int: through the hash part
  EXPECT_EQ(Get(Num(4294967296.0)), 30);
  EXPECT_EQ(Get(Num(1.5)), -1);
  Set(Str("abc"), 40);
  Set(WStr(u"abc"), 50);
  EXPECT_EQ(Get(Str("abc")), 40) << "byte and wide keys are different entries";
  EXPECT_EQ(Get(WStr(u"abc")), 50);
  const TObject bytekey = Str("abc");
  EXPECT_EQ(luaH_getwstr(t, tsvalue(&bytekey)), &luaO_nilobject);
  TObject yes, no;
  setbvalue(&yes, 1);
  setbvalue(&no, 0);
  Set(yes, 60);
  EXPECT_EQ(Get(no), -1);
  EXPECT_EQ(Get(yes), 60);
}

TEST_F(ScriptTable, ClearingEveryKeyDuringATraversalVisitsEachOnce) {
  std::vector<TObject> keys;
  for (int i = 1; i <= 40; i++) keys.push_back(Num(i));
  for (int i = 0; i < 60; i++) keys.push_back(Str("k" + std::to_string(i)));
  for (int i = 0; i < 10; i++) keys.push_back(Num(0.5 + i));
  keys.push_back(WStr(u"wide"));
  for (const TObject& key : keys) Set(key, 1);

  int visited = 0;
  StkId slot = L->top;
  setnilvalue(slot);
  while (luaH_next(L, t, slot)) {
    visited++;
    setnilvalue(luaH_set(L, t, slot));  // the idiom the window system uses to drain queues
  }
  EXPECT_EQ(visited, static_cast<int>(keys.size()));
  EXPECT_TRUE(Keys().empty());
  for (const TObject& key : keys) EXPECT_EQ(Get(key), -1);
}

TEST_F(ScriptTable, ClearedKeysAreReusedOrDroppedAtTheNextRehash) {
  for (int i = 0; i < 32; i++) Set(Str("old" + std::to_string(i)), i);
  EXPECT_EQ(t->lsizenode, 6);
  for (int i = 0; i < 32; i++) Clear(Str("old" + std::to_string(i)));
  Set(Str("old5"), 55);  // a cleared key takes its slot back
  EXPECT_EQ(Get(Str("old5")), 55);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"old5"}));
  for (int i = 0; i < 40; i++) Set(Str("new" + std::to_string(i)), i);
  // Only live keys count when the table is rehashed: 41 keys in 64 nodes.
  EXPECT_EQ(t->lsizenode, 6);
  EXPECT_EQ(Keys().size(), 41u);
  EXPECT_EQ(Get(Str("old6")), -1);
}

TEST_F(ScriptTable, BadKeysRaiseTheirErrors) {
  const struct {
    TObject key;
    const char* message;
  } cases[] = {
      {luaO_nilobject, "table index is nil"},
      {Num(std::nan("")), "table index is NaN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaH_set(L, t, &c.key); }), LUA_ERRRUN);
    EXPECT_EQ(TopString(L), c.message);
    EXPECT_EQ(luaH_get(t, &c.key), &luaO_nilobject) << "reading such a key is fine";
  }
  Set(Num(1), 1);
  TObject pair[2] = {Str("absent"), luaO_nilobject};
  EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaH_next(L, t, pair); }), LUA_ERRRUN);
  EXPECT_EQ(TopString(L), "invalid key for `next'");
}

TEST_F(ScriptTable, SizesBeyondTwoToThe24thOverflow) {
  struct SizeCase {
    size_t narray;
    int lnhash;
  };
  const SizeCase cases[] = {
      {static_cast<size_t>(MAXASIZE) + 1, 0},
      {luaO_fb2int(511), 0},  // the largest floating-byte hint
      {luaO_fb2int((25 << 3) | 1), 0},  // 2^25
      {0, 25},
      {0, 511},
  };
  for (const SizeCase& c : cases) {
    EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaH_new(L, c.narray, c.lnhash); }),
              LUA_ERRRUN)
        << c.narray << " " << c.lnhash;
    EXPECT_EQ(TopString(L), "table overflow");
  }
  Table* sized = luaH_new(L, 4, 4);
  EXPECT_EQ(sized->sizearray, 4);
  EXPECT_EQ(sizenode(sized), 16);
  EXPECT_EQ(sized->metatable, hvalue(defaultmeta(L)));
}

TEST_F(ScriptTable, AFailedRehashLeavesTheTableAsItWas) {
  std::vector<TObject> keys;
  for (int i = 0; i < 40; i++) keys.push_back(Str("s" + std::to_string(i)));
  Set(keys[0], 7);
  state.Allocator().failAll = true;
  // Keys go in without allocating until one needs a rehash, which fails.
  size_t failed = 1;
  for (; failed < keys.size(); failed++) {
    const int lsize = t->lsizenode;
    const int status = RunProtected(L, [&](lua_State*) { Set(keys[failed], 7); });
    if (status == 0) continue;
    EXPECT_EQ(status, LUA_ERRMEM);
    EXPECT_EQ(t->lsizenode, lsize);
    break;
  }
  state.Allocator().failAll = false;
  ASSERT_LT(failed, keys.size());
  EXPECT_EQ(Get(keys[failed]), -1) << "the key that needed the rehash is absent";
  EXPECT_EQ(Keys().size(), failed);
  for (size_t i = 0; i < failed; i++) EXPECT_EQ(Get(keys[i]), 7);
  Set(keys[failed], 8);  // and can be set once memory is back
  EXPECT_EQ(Get(keys[failed]), 8);
}

}  // namespace
