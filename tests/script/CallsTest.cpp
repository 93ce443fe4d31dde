#include "script/lua/Calls.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "script/lua/Debug.h"
#include "script/lua/Function.h"
#include "script/lua/Metamethods.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/ChunkText.h"
#include "tests/script/Disassembler.h"
#include "tests/script/ScriptState.h"

namespace {

int ArgCount(lua_State* L) { return static_cast<int>(L->top - L->base); }

// Returns its arguments' count, then the arguments.
int Echo(lua_State* L) {
  const int n = ArgCount(L);
  PushNumber(L, n);
  for (int i = 0; i < n; i++) {
    setobj(L->top, L->base + i);
    incr_top(L);
  }
  return n + 1;
}

int RaiseMessage(lua_State* L) {
  PushString(L, "boom");
  luaG_errormsg(L);
}

class ScriptCalls : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();
};

TEST_F(ScriptCalls, ResultsAreAdjustedToTheWantedCount) {
  const struct {
    int wanted;
    int expected;  // values left
  } cases[] = {{0, 0}, {1, 1}, {5, 5}, {LUA_MULTRET, 3}};
  for (const auto& c : cases) {
    const StkId top = L->top;
    PushCFunction(L, Echo);
    PushNumber(L, 7);
    PushNumber(L, 8);
    ASSERT_EQ(PCall(L, 2, c.wanted), 0);
    ASSERT_EQ(L->top - top, c.expected) << c.wanted;
    if (c.expected >= 3) {
      EXPECT_EQ(nvalue(top), 2);
      EXPECT_EQ(nvalue(top + 1), 7);
      EXPECT_EQ(nvalue(top + 2), 8);
    }
    for (int i = 3; i < c.expected; i++) EXPECT_TRUE(ttisnil(top + i)) << "padded with nil";
    L->top = top;
  }
}

TEST_F(ScriptCalls, CallingANonFunctionUsesItsCallMetamethod) {
  Table* callable = luaH_new(L, 0, 0);
  Table* mt = luaH_new(L, 0, 0);
  callable->metatable = mt;
  TObject key, echo;
  setsvalue(&key, luaS_new(L, "__call"));
  PushCFunction(L, Echo);
  echo = *(L->top - 1);
  L->top--;
  setobj(luaH_set(L, mt, &key), &echo);
  const StkId top = L->top;
  sethvalue(L->top, callable);
  incr_top(L);
  PushNumber(L, 5);
  ASSERT_EQ(PCall(L, 1, LUA_MULTRET), 0);
  ASSERT_EQ(L->top - top, 3);
  EXPECT_EQ(nvalue(top), 2) << "the table comes first";
  EXPECT_EQ(hvalue(top + 1), callable);
  EXPECT_EQ(nvalue(top + 2), 5);
}

TEST_F(ScriptCalls, CallingAValueWithoutFunctionIsATypeError) {
  // A number's per-type table stands for its "__call" and is no function.
  const struct {
    void (*push)(lua_State*);
    const char* message;
  } cases[] = {
      {[](lua_State* L) { PushNumber(L, 1); }, "attempt to call a number value"},
      {[](lua_State* L) { setnilvalue(L->top++); }, "attempt to call a nil value"},
      {[](lua_State* L) { PushString(L, "f"); }, "attempt to call a string value"},
  };
  for (const auto& c : cases) {
    c.push(L);
    EXPECT_EQ(PCall(L, 0, 0), LUA_ERRRUN);
    EXPECT_EQ(TopString(L), c.message);
    L->top--;
  }
}

int RecurseInC(lua_State* L) {
  PushCFunction(L, RecurseInC);
  luaD_call(L, L->top - 1, 0);
  return 0;
}

TEST_F(ScriptCalls, CRecursionEndsInCStackOverflowAndTheStateRecovers) {
  for (int round = 0; round < 2; round++) {
    const ptrdiff_t top = savestack(L, L->top);
    PushCFunction(L, RecurseInC);
    EXPECT_EQ(PCall(L, 0, 0), LUA_ERRRUN);
    EXPECT_EQ(TopString(L), "C stack overflow");
    EXPECT_EQ(L->top, restorestack(L, top) + 1) << "the error object replaces the function";
    EXPECT_EQ(L->nCcalls, 0);
    EXPECT_EQ(G(L)->cdepth, 0);
    EXPECT_EQ(L->ci, L->base_ci);
    L->top = restorestack(L, top);
  }
  PushCFunction(L, Echo);
  EXPECT_EQ(PCall(L, 0, 1), 0);
}

TEST_F(ScriptCalls, LuaRecursionEndsInStackOverflowAndTheStateRecovers) {
  for (int round = 0; round < 2; round++) {
    const ptrdiff_t top = savestack(L, L->top);
    ASSERT_EQ(LoadSource(L, "local function f() f() end\nf()"), 0);
    EXPECT_EQ(PCall(L, 0, 0), LUA_ERRRUN);
    EXPECT_EQ(TopString(L), "test:1: stack overflow");
    EXPECT_EQ(L->size_ci, LUA_MAXCALLS) << "call records shrink back to the limit";
    EXPECT_EQ(L->ci, L->base_ci);
    L->top = restorestack(L, top);
  }
}

TEST_F(ScriptCalls, VarargFunctionsGetTheirExtraArgumentsInATable) {
  const StkId top = L->top;
  ASSERT_EQ(LoadSource(L, "return function(a, ...) return a, arg end"), 0);
  ASSERT_EQ(PCall(L, 0, 1), 0);
  for (lua_Number n : {1, 2, 3}) PushNumber(L, n);
  ASSERT_EQ(PCall(L, 3, 2), 0);
  EXPECT_EQ(nvalue(top), 1);
  ASSERT_TRUE(ttistable(top + 1));
  Table* args = hvalue(top + 1);
  EXPECT_EQ(nvalue(luaH_getnum(args, 1)), 2);
  EXPECT_EQ(nvalue(luaH_getnum(args, 2)), 3);
  EXPECT_EQ(nvalue(luaH_getstr(args, luaS_new(L, "n"))), 2);
}

int Handler(lua_State* L) {
  const std::string message = "handled: " + TopString(L);
  PushString(L, message.c_str());
  return 1;
}

TEST_F(ScriptCalls, TheErrorHandlerReplacesTheErrorObject) {
  PushCFunction(L, Handler);
  const ptrdiff_t handler = savestack(L, L->top - 1);
  PushCFunction(L, RaiseMessage);
  EXPECT_EQ(PCall(L, 0, 0, handler), LUA_ERRRUN);
  EXPECT_EQ(TopString(L), "handled: boom");
  L->top--;
  PushNumber(L, 3);  // not a function
  const ptrdiff_t bad = savestack(L, L->top - 1);
  PushCFunction(L, RaiseMessage);
  EXPECT_EQ(PCall(L, 0, 0, bad), LUA_ERRERR);
  EXPECT_EQ(TopString(L), "error in error handling");
  L->top--;
  PushCFunction(L, RaiseMessage);  // a handler that fails in turn
  const ptrdiff_t failing = savestack(L, L->top - 1);
  PushCFunction(L, RaiseMessage);
  EXPECT_EQ(PCall(L, 0, 0, failing), LUA_ERRERR);
  EXPECT_EQ(L->errfunc, 0);
  EXPECT_EQ(G(L)->cdepth, 0);
}

int AllocateTooMuch(lua_State* L) {
  luaH_new(L, 1000, 10);
  return 0;
}

int ThrowBadAlloc(lua_State*) { throw std::bad_alloc(); }

TEST_F(ScriptCalls, MemoryErrorsLeaveTheirFixedMessage) {
  for (lua_CFunction f : {AllocateTooMuch, ThrowBadAlloc}) {
    PushCFunction(L, f);
    state.Allocator().failAll = true;
    EXPECT_EQ(PCall(L, 0, 0), LUA_ERRMEM);
    state.Allocator().failAll = false;
    EXPECT_EQ(TopString(L), "not enough memory");
    L->top--;
  }
}

TEST_F(ScriptCalls, ChunksStartingWithTheByteOrderMarkAreWide) {
  const struct {
    std::string bytes;
    int status;
    const char* result;  // the chunk's constants, or the message
  } cases[] = {
      {"\xFF\xFE" + Utf16(u"x = L'\u263a'"), 0, "\"x\" \"L\" \":\""},
      {"\xFF\xFE" + Utf16(u"x = L\"\u263a\""), 0, "\"x\" L\"\\u{263A}\""},
      {"x = 'a'", 0, "\"x\" \"a\""},
      {"\xFF", LUA_ERRSYNTAX, "chunk:1: invalid wide char near `char(255)'"},
      {"\xFE\xFF", LUA_ERRSYNTAX, "chunk:1: unexpected symbol near `\xFE'"},
  };
  for (const auto& c : cases) {
    ChunkText text({c.bytes});
    text.Stream()->name = "=chunk";
    const StkId top = L->top;
    ASSERT_EQ(luaD_protectedparser(L, text.Stream(), 0), c.status) << c.result;
    ASSERT_EQ(L->top, top + 1);
    if (c.status != 0) {
      EXPECT_EQ(TopString(L), c.result);
    } else {
      ASSERT_TRUE(ttisfunction(top));
      LClosure* cl = static_cast<LClosure*>(clvalue(top));
      EXPECT_EQ(cl->nupvalues, 0);
      EXPECT_EQ(hvalue(&cl->g), hvalue(gt(L)));
      std::string constants;
      for (int i = 0; i < cl->p->sizek; i++) {
        constants += (i > 0 ? " " : "") + ConstantText(&cl->p->k[i]);
      }
      EXPECT_EQ(constants, c.result);
    }
    L->top = top;
  }
}

}  // namespace
