#include "script/lua/Function.h"

#include <gtest/gtest.h>

#include "script/lua/Calls.h"
#include "script/lua/Memory.h"
#include "script/lua/State.h"
#include "script/lua/Strings.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptUpvalues : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  // Pushes n numbers 1..n and returns the first slot.
  StkId PushNumbers(int n) {
    StkId first = L->top;
    for (int i = 1; i <= n; i++) {
      setnvalue(L->top, i);
      incr_top(L);
    }
    return first;
  }
  std::vector<StkId> OpenLevels() {
    std::vector<StkId> levels;
    for (GCObject* o = L->openupval; o != nullptr; o = o->next) {
      levels.push_back(static_cast<UpVal*>(o)->v);
    }
    return levels;
  }
};

TEST_F(ScriptUpvalues, OpenUpvaluesAreSharedAndKeptHighestFirst) {
  StkId slots = PushNumbers(4);
  UpVal* second = luaF_findupval(L, slots + 1);
  UpVal* fourth = luaF_findupval(L, slots + 3);
  UpVal* first = luaF_findupval(L, slots);
  EXPECT_EQ(luaF_findupval(L, slots + 1), second);
  EXPECT_EQ(OpenLevels(), (std::vector<StkId>{slots + 3, slots + 1, slots}));
  EXPECT_EQ(nvalue(fourth->v), 4);
  EXPECT_EQ(nvalue(first->v), 1);
}

TEST_F(ScriptUpvalues, ClosingKeepsTheValuesOfTheSlotsAtOrAbove) {
  StkId slots = PushNumbers(3);
  UpVal* low = luaF_findupval(L, slots);
  UpVal* high = luaF_findupval(L, slots + 2);
  luaF_close(L, slots + 1);
  setnvalue(slots + 2, 99);  // the slot changes after closing
  EXPECT_EQ(high->v, &high->value);
  EXPECT_EQ(nvalue(high->v), 3);
  EXPECT_EQ(G(L)->rootgc, high) << "a closed upvalue joins the collector's list";
  EXPECT_EQ(low->v, slots) << "the lower one stays open";
  EXPECT_EQ(OpenLevels(), (std::vector<StkId>{slots}));
}

TEST_F(ScriptUpvalues, GrowingTheStackMovesOpenUpvaluesAlong) {
  StkId slots = PushNumbers(3);
  const ptrdiff_t offset = savestack(L, slots + 2);
  UpVal* up = luaF_findupval(L, slots + 2);
  const ptrdiff_t top = savestack(L, L->top);
  luaD_growstack(L, 500);
  EXPECT_GE(L->stacksize, 500);
  EXPECT_EQ(up->v, restorestack(L, offset));
  EXPECT_EQ(nvalue(up->v), 3);
  EXPECT_EQ(L->top, restorestack(L, top));
  EXPECT_EQ(L->base, L->ci->base);
  EXPECT_EQ(L->stack_last, L->stack + L->stacksize - 1 - EXTRA_STACK);
}

TEST(ScriptClosures, ClosuresHoldTheirUpvaluesAndEnvironment) {
  ScriptState state;
  lua_State* L = state.L();
  Closure* c = luaF_newCclosure(L, 3);
  EXPECT_EQ(c->isC, 1);
  EXPECT_EQ(c->nupvalues, 3);
  EXPECT_EQ(c->tt, LUA_TFUNCTION);
  for (int i = 0; i < 3; i++) EXPECT_TRUE(ttisnil(&static_cast<CClosure*>(c)->upvalues()[i]));
  Closure* l = luaF_newLclosure(L, 2, gt(L));
  EXPECT_EQ(l->isC, 0);
  EXPECT_EQ(hvalue(&static_cast<LClosure*>(l)->g), hvalue(gt(L)));
  EXPECT_EQ(static_cast<LClosure*>(l)->upvals()[1], nullptr);
}

TEST(ScriptPrototypes, LocalNamesFollowTheirActiveRanges) {
  ScriptState state;
  lua_State* L = state.L();
  Proto* f = luaF_newproto(L);
  EXPECT_EQ(f->tt, LUA_TPROTO);
  f->sizelocvars = 3;
  f->locvars = luaM_newvector<LocVar>(L, 3);
  f->locvars[0] = {luaS_new(L, "a"), 0, 10};
  f->locvars[1] = {luaS_new(L, "b"), 2, 5};
  f->locvars[2] = {luaS_new(L, "c"), 6, 10};
  const struct {
    int local, pc;
    const char* name;
  } cases[] = {{1, 0, "a"}, {2, 0, nullptr}, {2, 3, "b"}, {2, 5, nullptr},
               {2, 7, "c"}, {1, 10, nullptr}, {3, 3, nullptr}};
  for (const auto& c : cases) {
    const char* name = luaF_getlocalname(f, c.local, c.pc);
    if (c.name == nullptr) {
      EXPECT_EQ(name, nullptr) << c.local << "@" << c.pc;
    } else {
      EXPECT_STREQ(name, c.name) << c.local << "@" << c.pc;
    }
  }
}

}  // namespace
