#include <gtest/gtest.h>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Debug.h"
#include "script/lua/Function.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/ScriptState.h"

namespace {

int Yield(lua_State* L) { return lua_yield(L, static_cast<int>(L->top - L->base)); }

int Sum(lua_State* L) {
  lua_Number sum = 0;
  for (StkId o = L->base; o < L->top; o++) sum += nvalue(o);
  PushNumber(L, sum);
  return 1;
}

int Fail(lua_State* L) {
  PushString(L, "failed");
  luaG_errormsg(L);
}

class ScriptCoroutines : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();
  lua_State* NewThread() { return lua_newthread(L); }
  // A new thread whose body is the function the compiled chunk returns.
  lua_State* NewThread(const char* chunk) {
    lua_State* co = NewThread();
    EXPECT_EQ(LoadSource(L, chunk), 0) << TopString(L);
    EXPECT_EQ(PCall(L, 0, 1), 0) << TopString(L);
    setobj(co->top, L->top - 1);
    incr_top(co);
    L->top--;
    return co;
  }
  int Count(lua_State* co) { return static_cast<int>(co->top - co->base); }
};

TEST_F(ScriptCoroutines, ACFunctionBodyRunsToItsEndAndTheCoroutineIsDead) {
  lua_State* co = NewThread();
  EXPECT_EQ(G(co), G(L));
  EXPECT_EQ(hvalue(gt(co)), hvalue(gt(L))) << "globals are shared";
  PushCFunction(co, Sum);
  PushNumber(co, 2);
  PushNumber(co, 3);
  ASSERT_EQ(lua_resume(co, 2), 0);
  ASSERT_EQ(Count(co), 1);
  EXPECT_EQ(nvalue(co->top - 1), 5);
  co->top = co->base;
  EXPECT_EQ(lua_resume(co, 0), LUA_ERRRUN);
  EXPECT_EQ(TopString(co), "cannot resume dead coroutine");
}

TEST_F(ScriptCoroutines, ALuaBodyYieldsAndResumesWithTheValuesPassed) {
  lua_State* co = NewThread("return function(yield, a) local r, s = yield(a); return r, s end");
  PushCFunction(co, Yield);
  PushNumber(co, 10);
  ASSERT_EQ(lua_resume(co, 2), 0);
  ASSERT_EQ(Count(co), 1) << "the yielded value";
  EXPECT_EQ(nvalue(co->top - 1), 10);
  EXPECT_TRUE(co->ci->state & CI_YIELD);
  co->top -= 1;
  PushNumber(co, 20);
  PushNumber(co, 30);
  PushNumber(co, 40);  // one more than the call wants
  ASSERT_EQ(lua_resume(co, 3), 0);
  ASSERT_EQ(Count(co), 2);
  EXPECT_EQ(nvalue(co->top - 2), 20);
  EXPECT_EQ(nvalue(co->top - 1), 30);
  EXPECT_EQ(co->ci, co->base_ci) << "finished";
  co->top = co->base;
  EXPECT_EQ(lua_resume(co, 0), LUA_ERRRUN);
  EXPECT_EQ(TopString(co), "cannot resume dead coroutine");
}

TEST_F(ScriptCoroutines, AYieldDeepInLuaCallsResumesEveryFrame) {
  lua_State* co = NewThread(
      "return function(yield)\n"
      "  local function inner(x) local y = yield(x) return y * 2 end\n"
      "  local function middle(x) return 1 + inner(x + 1) end\n"
      "  return middle(1) + 100\n"
      "end");
  PushCFunction(co, Yield);
  ASSERT_EQ(lua_resume(co, 1), 0);
  ASSERT_EQ(Count(co), 1);
  EXPECT_EQ(nvalue(co->top - 1), 2);
  co->top -= 1;
  PushNumber(co, 5);
  ASSERT_EQ(lua_resume(co, 1), 0);
  ASSERT_EQ(Count(co), 1);
  EXPECT_EQ(nvalue(co->top - 1), 111);
}

TEST_F(ScriptCoroutines, AnErrorLeavesADeadThreadWithItsErrorObject) {
  lua_State* co = NewThread("return function(f) f() end");
  PushCFunction(co, Fail);
  UpVal* up = luaF_findupval(co, co->top - 1);
  EXPECT_EQ(lua_resume(co, 1), LUA_ERRRUN);
  EXPECT_EQ(TopString(co), "failed");
  EXPECT_EQ(co->ci, co->base_ci);
  EXPECT_EQ(co->top, co->base + 1);
  EXPECT_EQ(co->openupval, nullptr) << "upvalues were closed";
  EXPECT_EQ(up->v, &up->value);
}

TEST_F(ScriptCoroutines, YieldingIsRefusedWhereItCannotBeResumed) {
  // From a C function that lua_resume called directly.
  lua_State* co = NewThread();
  PushCFunction(co, Yield);
  EXPECT_EQ(lua_resume(co, 0), LUA_ERRRUN);
  EXPECT_EQ(TopString(co), "cannot yield a C function");
  // From inside a nested C call.
  lua_State* co2 = NewThread();
  PushCFunction(co2, [](lua_State* L) {
    PushCFunction(L, Yield);
    luaD_call(L, L->top - 1, 0);
    return 0;
  });
  EXPECT_EQ(lua_resume(co2, 0), LUA_ERRRUN);
  EXPECT_EQ(TopString(co2), "attempt to yield across metamethod/C-call boundary");
}

TEST_F(ScriptCoroutines, ARunningCoroutineCannotBeResumed) {
  static lua_State* self;
  self = NewThread();
  PushCFunction(self, [](lua_State* L) {
    const int status = lua_resume(self, 0);
    PushNumber(L, status);
    return 2;  // the message and the status
  });
  ASSERT_EQ(lua_resume(self, 0), 0);
  EXPECT_EQ(nvalue(self->top - 1), LUA_ERRRUN);
  setobj(self->top, self->top - 2);
  self->top++;
  EXPECT_EQ(TopString(self), "cannot resume non-suspended coroutine");
}

TEST_F(ScriptCoroutines, NestedResumesStopAtTheCStackLimit) {
  // Each coroutine resumes a new one inside it.
  static int depth;
  static int deepeststatus;
  depth = 0;
  deepeststatus = 0;
  lua_CFunction nest = [](lua_State* L) -> int {
    depth++;
    lua_State* inner = lua_newthread(L);
    PushCFunction(inner, clvalue(L->base - 1) != nullptr
                             ? static_cast<CClosure*>(clvalue(L->base - 1))->f
                             : nullptr);
    const int status = lua_resume(inner, 0);
    if (status != 0 && deepeststatus == 0) deepeststatus = status;
    return 0;
  };
  lua_State* co = NewThread();
  PushCFunction(co, nest);
  EXPECT_EQ(lua_resume(co, 0), 0);
  EXPECT_EQ(deepeststatus, LUA_ERRRUN);
  EXPECT_LE(depth, LUA_MAXCCALLS);
  EXPECT_EQ(G(L)->cdepth, 0);
}

// The coroutine yields a closure over its own local and is dropped; after
// full collections the closure still reaches the local's table.
TEST_F(ScriptCoroutines, AClosureOutlivesTheCoroutineWhoseLocalItHolds) {
  lua_State* co = NewThread("return function(yield) local t = {42}; yield(function() return t end) end");
  PushCFunction(co, Yield);
  ASSERT_EQ(lua_resume(co, 1), 0);
  ASSERT_TRUE(co->ci->state & CI_YIELD);
  ASSERT_EQ(Count(co), 1);
  ASSERT_TRUE(ttisfunction(co->top - 1));
  LClosure* closure = static_cast<LClosure*>(clvalue(co->top - 1));
  EXPECT_NE(closure->upvals()[0]->v, &closure->upvals()[0]->value) << "open on the coroutine";
  TObject key;
  setsvalue(&key, luaS_new(L, "keep"));
  setclvalue(luaH_set(L, hvalue(registry(L)), &key), closure);

  L->top--;  // the thread is gone
  luaC_collectgarbage(L);
  luaC_collectgarbage(L);
  setclvalue(L->top, closure);
  incr_top(L);
  ASSERT_EQ(PCall(L, 0, 1), 0);
  ASSERT_TRUE(ttistable(L->top - 1));
  EXPECT_EQ(nvalue(luaH_getnum(hvalue(L->top - 1), 1)), 42);
  EXPECT_EQ(closure->upvals()[0]->v, &closure->upvals()[0]->value) << "closed with the thread";
}

TEST(ScriptClosing, ClosingThroughACoroutineClosesTheWholeInterpreter) {
  TestAllocator allocator;
  lua_State* L = luaE_open(TestAllocator::Alloc, &allocator);
  ASSERT_NE(L, nullptr);
  lua_State* co = lua_newthread(L);
  PushString(co, "on the coroutine");
  luaF_findupval(co, co->top - 1);
  lua_close(co);
  EXPECT_EQ(allocator.liveBytes, 0u);
}

}  // namespace
