#include "script/lua/Collector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/Log.h"
#include "script/lua/Calls.h"
#include "script/lua/Debug.h"
#include "script/lua/Function.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/ScriptState.h"
#include "tests/support/TempFolder.h"

namespace {

class ScriptCollector : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  TObject Key(const char* name) {
    TObject k;
    setsvalue(&k, luaS_new(L, name));
    return k;
  }
  // Stores a value in the registry under a name, so it stays reachable.
  void Keep(const char* name, const TObject& value) {
    const TObject k = Key(name);
    setobj(luaH_set(L, hvalue(registry(L)), &k), &value);
  }
  TObject TableValue(Table* t) {
    TObject v;
    sethvalue(&v, t);
    return v;
  }
  TObject UdataValue(Udata* u) {
    TObject v;
    setuvalue(&v, u);
    return v;
  }
  void SetField(Table* t, const TObject& key, const TObject& value) {
    setobj(luaH_set(L, t, &key), &value);
  }
  Table* WeakTable(const char* mode) {
    Table* t = luaH_new(L, 0, 0);
    Table* mt = luaH_new(L, 0, 0);
    TObject m;
    setsvalue(&m, luaS_new(L, mode));
    SetField(mt, Key("__mode"), m);
    t->metatable = mt;
    return t;
  }
  // A userdata whose metatable has the given "__gc".
  Udata* Finalized(lua_CFunction gc) {
    Udata* u = luaS_newudata(L, 8);
    Table* mt = luaH_new(L, 0, 0);
    PushCFunction(L, gc);
    SetField(mt, Key("__gc"), *(L->top - 1));
    L->top--;
    u->metatable = mt;
    return u;
  }
  int Count(Table* t) {
    int n = 0;
    StkId slot = L->top;
    setnilvalue(slot);
    while (luaH_next(L, t, slot)) n++;
    return n;
  }
};

TEST_F(ScriptCollector, UnreachableObjectsAreFreedAndReachableOnesKept) {
  luaC_collectgarbage(L);
  const lu_mem baseline = G(L)->nblocks;
  Table* kept = luaH_new(L, 0, 0);
  Keep("kept", TableValue(kept));
  SetField(kept, Key("name"), Key("a string reached through a table"));
  for (int i = 0; i < 100; i++) {
    Table* t = luaH_new(L, 4, 2);
    const std::string text = "garbage" + std::to_string(i);
    luaS_newlstr(L, text.data(), text.size());
    luaS_newudata(L, 100);
    luaF_newCclosure(L, 2);
    (void)t;
  }
  setsvalue(L->top, luaS_new(L, "on the stack"));
  incr_top(L);
  const lu_mem before = G(L)->nblocks;
  luaC_collectgarbage(L);
  EXPECT_LT(G(L)->nblocks, before);
  EXPECT_LT(G(L)->nblocks, baseline + 2000) << "only the kept objects remain";
  EXPECT_EQ(G(L)->GCthreshold, 2 * G(L)->nblocks);
  EXPECT_STREQ(svalue(luaH_getstr(kept, luaS_new(L, "name"))), "a string reached through a table");
  EXPECT_STREQ(svalue(L->top - 1), "on the stack");
  EXPECT_EQ(hvalue(&G(L)->typemeta[LUA_TSTRING])->tt, LUA_TTABLE) << "per-type tables are roots";
}

TEST_F(ScriptCollector, WeakTablesLoseTheirDeadEntriesButNotStrings) {
  const struct {
    const char* mode;
    int left;  // of: dead table as key, dead table as value, string pair, live table as value
  } cases[] = {{"k", 3}, {"v", 3}, {"kv", 2}, {"", 4}};
  for (const auto& c : cases) {
    Table* weak = WeakTable(c.mode);
    Keep("weak", TableValue(weak));
    Table* live = luaH_new(L, 0, 0);
    Keep("live", TableValue(live));
    SetField(weak, TableValue(luaH_new(L, 0, 0)), Key("dead key"));
    SetField(weak, Key("dead value"), TableValue(luaH_new(L, 0, 0)));
    SetField(weak, Key("string"), Key("value"));
    SetField(weak, Key("live"), TableValue(live));
    luaC_collectgarbage(L);
    EXPECT_EQ(Count(weak), c.left) << c.mode;
    EXPECT_STREQ(svalue(luaH_getstr(weak, luaS_new(L, "string"))), "value") << c.mode;
    EXPECT_EQ(hvalue(luaH_getstr(weak, luaS_new(L, "live"))), live) << c.mode;
  }
}

int gCollectedFinalized;
std::vector<Udata*> gFinalizedObjects;

int CountCollectedFinalizer(lua_State* L) {
  gCollectedFinalized++;
  gFinalizedObjects.push_back(uvalue(L->base));
  return 0;
}

int FailingFinalizer(lua_State* L) {
  gCollectedFinalized++;
  PushString(L, "finalizer failed");
  luaG_errormsg(L);
}

TEST_F(ScriptCollector, FinalizersRunOnceAfterTheSweepAndTheObjectGoesLater) {
  gCollectedFinalized = 0;
  gFinalizedObjects.clear();
  Udata* u = Finalized(CountCollectedFinalizer);
  Table* weak = WeakTable("v");
  Keep("weak", TableValue(weak));
  SetField(weak, Key("u"), UdataValue(u));
  luaC_collectgarbage(L);
  EXPECT_EQ(gCollectedFinalized, 1);
  EXPECT_EQ(gFinalizedObjects, std::vector<Udata*>{u}) << "called with the userdata";
  EXPECT_EQ(Count(weak), 0) << "weak values let go before the finalizer runs";
  EXPECT_EQ(G(L)->tmudata, nullptr);
  luaC_collectgarbage(L);
  EXPECT_EQ(gCollectedFinalized, 1) << "never twice";
  for (GCObject* o = G(L)->rootudata; o != nullptr; o = o->next) EXPECT_NE(o, u) << "freed";
}

TEST_F(ScriptCollector, AFailingFinalizerIsLoggedAndTheAllocationGoesOn) {
  TempFolder folder;
  SetLogFolder(folder.Path().c_str());
  gCollectedFinalized = 0;
  Finalized(FailingFinalizer);
  Finalized(CountCollectedFinalizer);
  // A C function that allocates at a collection point in stress mode.
  PushCFunction(L, [](lua_State* L) {
    luaC_setstress(L, true);
    lua_State* co = lua_newthread(L);
    luaC_setstress(L, false);
    PushNumber(L, co != nullptr ? 1 : 0);
    return 1;
  });
  ASSERT_EQ(PCall(L, 0, 1), 0);
  EXPECT_EQ(nvalue(L->top - 1), 1);
  EXPECT_EQ(gCollectedFinalized, 2) << "the other finalizer still ran";
  const std::string log = ReadWholeFile(GetLogPath().CStr());
  EXPECT_NE(log.find("Lua Error: finalizer failed"), std::string::npos) << log;
}

TEST_F(ScriptCollector, StressModeCollectsAtEveryCheckPoint) {
  Table* t = luaH_new(L, 0, 0);
  (void)t;
  const lu_mem before = G(L)->nblocks;
  luaC_checkGC(L);
  EXPECT_EQ(G(L)->nblocks, before) << "below the threshold nothing happens";
  luaC_setstress(L, true);
  luaC_checkGC(L);
  luaC_setstress(L, false);
  EXPECT_LT(G(L)->nblocks, before);
}

TEST_F(ScriptCollector, ClearingDuringATraversalSurvivesACollection) {
  Table* t = luaH_new(L, 0, 0);
  Keep("t", TableValue(t));
  std::vector<Table*> keys;
  for (int i = 0; i < 20; i++) {
    keys.push_back(luaH_new(L, 0, 0));
    SetField(t, TableValue(keys.back()), Key("x"));
  }
  // The traversal holds its current key on the stack, as `next` callers do.
  const ptrdiff_t slot = savestack(L, L->top);
  setnilvalue(L->top);
  L->top += 2;
  int visited = 0;
  while (luaH_next(L, t, restorestack(L, slot))) {
    visited++;
    setnilvalue(luaH_set(L, t, restorestack(L, slot)));
    luaC_collectgarbage(L);  // the cleared keys become dead keys
  }
  EXPECT_EQ(visited, 20);
  EXPECT_EQ(Count(t), 0);
  SetField(t, TableValue(keys[0]), Key("again"));  // may be freed already; only its address counts
  EXPECT_EQ(Count(t), 1);
}

TEST_F(ScriptCollector, TheStringTableShrinksWhenStringsDie) {
  for (int i = 0; i < 2000; i++) {
    const std::string text = "s" + std::to_string(i);
    luaS_newlstr(L, text.data(), text.size());
  }
  const int grown = G(L)->strt.size;
  EXPECT_GE(grown, 2048);
  luaC_collectgarbage(L);
  EXPECT_EQ(G(L)->strt.size, grown / 2) << "halved once per collection";
  for (int i = 0; i < 8; i++) luaC_collectgarbage(L);
  const stringtable& tb = G(L)->strt;
  EXPECT_LE(tb.size, grown / 8);
  EXPECT_GE(tb.nuse, static_cast<uint32_t>(tb.size / 4)) << "down to where a quarter is in use";
  EXPECT_EQ(luaS_new(L, "__index"), G(L)->tmname[TM_INDEX]) << "fixed strings stay";
}

TEST(ScriptClosing, ClosingRunsPendingFinalizersAndAlwaysEnds) {
  TestAllocator allocator;
  lua_State* L = luaE_open(TestAllocator::Alloc, &allocator);
  ASSERT_NE(L, nullptr);
  gCollectedFinalized = 0;
  for (lua_CFunction gc : {FailingFinalizer, CountCollectedFinalizer, FailingFinalizer}) {
    Udata* u = luaS_newudata(L, 4);
    Table* mt = luaH_new(L, 0, 0);
    PushCFunction(L, gc);
    TObject key;
    setsvalue(&key, luaS_new(L, "__gc"));
    setobj(luaH_set(L, mt, &key), L->top - 1);
    u->metatable = mt;
    setuvalue(L->top - 1, u);  // reachable until closing
  }
  lua_close(L);
  EXPECT_EQ(gCollectedFinalized, 3);
  EXPECT_EQ(allocator.liveBytes, 0u);
}

}  // namespace
