#include "script/lua/State.h"

#include <gtest/gtest.h>

#include <new>
#include <set>

#include "script/lua/Calls.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/ScriptState.h"

namespace {

TEST(ScriptState, OpeningBuildsStackTablesAndStrings) {
  ScriptState state;
  lua_State* L = state.L();
  global_State* g = G(L);
  EXPECT_EQ(g->mainthread, L);
  EXPECT_EQ(L->stacksize, 45);
  EXPECT_EQ(L->stack_last, L->stack + 39);
  EXPECT_EQ(L->size_ci, 8);
  EXPECT_EQ(L->ci, L->base_ci);
  EXPECT_TRUE(L->ci->state & CI_C);
  EXPECT_EQ(L->base, L->stack + 1);
  EXPECT_EQ(L->top, L->base);

  Table* meta = hvalue(defaultmeta(L));
  EXPECT_EQ(meta->metatable, meta) << "the default metatable is its own";
  EXPECT_TRUE(ttisnil(&g->typemeta[LUA_TNIL]));
  std::set<Table*> typetables;
  for (int tag = 1; tag < NUM_TYPEMETA; tag++) {
    ASSERT_TRUE(ttistable(&g->typemeta[tag])) << tag;
    Table* t = hvalue(&g->typemeta[tag]);
    EXPECT_EQ(t->metatable, meta);
    typetables.insert(t);
  }
  EXPECT_EQ(typetables.size(), 10u) << "one table per type";
  EXPECT_EQ(sizenode(hvalue(gt(L))), 16);
  EXPECT_EQ(hvalue(registry(L))->sizearray, 4);
  EXPECT_EQ(sizenode(hvalue(registry(L))), 16);
  EXPECT_EQ(g->strt.size, 64) << "32 chains, doubled by the 38 names fixed at opening";
  EXPECT_TRUE(luaS_new(L, "while")->reserved == 22 && luaS_new(L, "and")->reserved == 1);
  EXPECT_TRUE(g->tmname[TM_CALL]->marked & FIXEDBIT);
  EXPECT_STREQ(getstr(g->tmname[TM_INDEX]), "__index");
  LString* memerr = luaS_new(L, "not enough memory");
  EXPECT_TRUE(memerr->marked & FIXEDBIT);
  EXPECT_EQ(g->GCthreshold, 4 * g->nblocks);
}

TEST(ScriptState, TwoInterpretersAreIndependent) {
  lua_State* a = lua_open();
  lua_State* b = lua_open();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(G(a), G(b));
  EXPECT_NE(luaS_new(a, "shared?"), luaS_new(b, "shared?"));
  lua_close(a);
  luaS_new(b, "still usable");
  lua_close(b);
}

TEST(ScriptState, OpeningFailsCleanlyWhereverMemoryRunsOut) {
  int opened = 0;
  for (int failAt = 1; opened == 0; failAt++) {
    TestAllocator allocator;
    allocator.failAt = failAt;
    lua_State* L = luaE_open(TestAllocator::Alloc, &allocator);
    if (L != nullptr) {
      opened = failAt;
      lua_close(L);
    }
    EXPECT_EQ(allocator.liveBytes, 0u) << "allocation " << failAt << " failed";
    ASSERT_LT(failAt, 1000);
  }
  EXPECT_GT(opened, 10) << "opening takes many allocations";
}

TEST(ScriptErrors, AnErrorReachesTheInnermostProtectedCall) {
  ScriptState state;
  lua_State* L = state.L();
  int inner = -1;
  const int outer = RunProtected(L, [&](lua_State* L) {
    inner = RunProtected(L, [](lua_State* L) { luaD_throw(L, LUA_ERRSYNTAX); });
    EXPECT_EQ(L->errorJmp->status, 0) << "the outer recovery point is current again";
  });
  EXPECT_EQ(inner, LUA_ERRSYNTAX);
  EXPECT_EQ(outer, 0);
  EXPECT_EQ(L->errorJmp, nullptr);
}

TEST(ScriptErrors, AnErrorAimedFurtherOutPassesInnerProtectedCalls) {
  ScriptState state;
  lua_State* L = state.L();
  lua_State* other = lua_open();
  int inner = -1;
  const int status = RunProtected(L, [&](lua_State* L) {
    // A protected call on another interpreter is innermost on the C++ stack,
    // but the error belongs to L.
    inner = RunProtected(other, [L](lua_State*) { luaD_throw(L, LUA_ERRRUN); });
  });
  EXPECT_EQ(status, LUA_ERRRUN);
  EXPECT_EQ(inner, -1);
  EXPECT_EQ(other->errorJmp, nullptr);
  lua_close(other);
}

TEST(ScriptErrors, BadAllocBecomesTheMemoryError) {
  ScriptState state;
  lua_State* L = state.L();
  EXPECT_EQ(RunProtected(L, [](lua_State*) { throw std::bad_alloc(); }), LUA_ERRMEM);
  EXPECT_EQ(L->errorJmp, nullptr);
}

TEST(ScriptErrorsDeathTest, AnUnprotectedErrorEndsTheProcess) {
  EXPECT_EXIT(
      {
        lua_State* L = lua_open();
        luaD_throw(L, LUA_ERRRUN);
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
