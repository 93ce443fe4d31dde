#include "script/lua/VirtualMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Debug.h"
#include "script/lua/Function.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/AssembledCode.h"
#include "tests/script/ScriptState.h"

// Compiled chunks run on the machine, with metatables set through a
// test-only global setmetatable(t, mt), since no library exists yet.

namespace {

int SetMetatable(lua_State* L) {
  hvalue(L->base)->metatable = hvalue(L->base + 1);
  L->top = L->base + 1;
  return 1;
}

class ScriptMachine : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  void SetUp() override { SetGlobal("setmetatable", SetMetatable); }

  void SetGlobal(const char* name, lua_CFunction f) {
    PushCFunction(L, f);
    const TObject key = StringValue(L, name);
    setobj(luaH_set(L, hvalue(gt(L)), &key), L->top - 1);
    L->top--;
  }

  std::string Run(const std::string& source) { return RunChunk(L, source); }
};

TEST_F(ScriptMachine, TypeErrorsNameTheVariableInvolved) {
  const struct {
    const char* source;
    const char* message;
  } cases[] = {
      {"local t; t.x = 1", "test:1: attempt to index local `t' (a nil value)"},
      {"x = {}\nx.y.z = 1", "test:2: attempt to index field `y' (a nil value)"},
      {"local t = {}; return t.a.b", "test:1: attempt to index field `a' (a nil value)"},
      {"return nothing.y", "test:1: attempt to index global `nothing' (a nil value)"},
      {"f()", "test:1: attempt to call global `f' (a nil value)"},
      {"local o = {}; o:m()", "test:1: attempt to call method `m' (a nil value)"},
      {"local o = {}; o.m()", "test:1: attempt to call field `m' (a nil value)"},
      {"local t = {}; t[1]()", "test:1: attempt to call field `?' (a nil value)"},
      {"local f = 1; f()", "test:1: attempt to call local `f' (a number value)"},
      {"return ('x')()", "test:1: attempt to call a string value"},
      {"local u; (function() u.x = 1 end)()", "test:1: attempt to index a nil value"},
      {"local w = L\"a\"; w = w + 1",
       "test:1: attempt to perform arithmetic on local `w' (a wstring value)"},
      {"return L\"5\" + {}", "test:1: attempt to perform arithmetic on a table value"},
      {"return {} - 1", "test:1: attempt to perform arithmetic on a table value"},
      {"local s = '5'; return s & 1",
       "test:1: attempt to perform arithmetic on local `s' (a string value)"},
      {"local n = 1; return n | missing",
       "test:1: attempt to perform arithmetic on global `missing' (a nil value)"},
      {"return -{}", "test:1: attempt to perform arithmetic on a table value"},
      {"return {} ^ 1", "test:1: attempt to perform arithmetic on a table value"},
      {"return '2' ^ '3'", "test:1: `__pow' (`^' operator) is not a function"},
      {"return L\"a\" .. 'b'", "test:1: attempt to concatenate a wstring value"},
      {"local w = L\"a\"; return 'b' .. w",
       "test:1: attempt to concatenate local `w' (a wstring value)"},
      {"local t = {}; return 'b' .. t .. 'c'",
       "test:1: attempt to concatenate local `t' (a table value)"},
      {"local a, b = 1, '2'; return a < b", "test:1: attempt to compare number with string"},
      {"return nil < nil", "test:1: attempt to compare two nil values"},
      {"return {} <= {}", "test:1: attempt to compare two table values"},
      {"return L\"a\" < L\"b\"", "test:1: attempt to call a table value"},
      {"for i = 1, {} do end", "test:1: `for' limit must be a number"},
      {"local s = setmetatable({}, {__sub = function() return 0 end})\n"
       "for i = 1, 2, s do end",
       "test:2: `for' step must be a number"},
      {"local t = setmetatable({}, {__sub = function() return 'x' end})\n"
       "for i = t, 2 do end",
       "test:2: `for' initial value must be a number"},
      {"local t = {}; setmetatable(t, {__index = t}); return t.x",
       "test:1: loop in gettable"},
      {"local t = {}; setmetatable(t, {__newindex = t}); t.x = 1",
       "test:1: loop in settable"},
      {"local t = {}; t[nil] = 1", "test:1: table index is nil"},
      {"local t = setmetatable({}, {__index = function(t, k) return t[k] end})\n"
       "return t.x",
       "test:1: C stack overflow"},
  };
  for (const auto& c : cases) {
    const std::string result = Run(c.source);
    EXPECT_EQ(result.rfind("error: ", 0) == 0 ? result.substr(7) : "<no error>", c.message)
        << c.source;
  }
}

TEST_F(ScriptMachine, AndOrGiveTheValueThatDecidedThem) {
  // A constant that makes `or` true is its value, not the boolean true.
  EXPECT_EQ(Run("return 1 or 7, 'a' or 'b', L\"w\" or 1, true or 1, nil or 'n', false or nil"),
            "1 \"a\" L\"w\" true \"n\" nil");
  EXPECT_EQ(Run("local c = true return c and 2 or 3, (not c) and 2 or 3, c and 'x' or 'y'"),
            "2 3 \"x\"");
  EXPECT_EQ(Run("local t = {1 == 1 and 'yes' or 'no', 1 or error()} return t[1], t[2]"),
            "\"yes\" 1");
  EXPECT_EQ(Run("return 1 and 2, nil and 1, 1 and nil, 'a' and false"), "2 nil nil false");
}

TEST_F(ScriptMachine, MetamethodsOfTheOperators) {
  const struct {
    const char* source;
    const char* results;
  } cases[] = {
      {"local v = setmetatable({}, {__add = function(a, b) return 'add' end})\n"
       "return v + 1, 1 + v, '1' + v",
       "\"add\" \"add\" \"add\""},
      {"local v = setmetatable({}, {__add = function() return '+' end,\n"
       "  __sub = function() return '-' end, __mul = function() return '*' end,\n"
       "  __div = function() return '/' end})\n"
       "return v + 1, v - 1, v * 1, v / 1",
       "\"+\" \"-\" \"*\" \"/\""},
      {"local v = setmetatable({}, {__unm = function(a, b) return b == nil end})\n"
       "return -v",
       "true"},
      {"local v = setmetatable({}, {__concat = function(a, b) return 'cat' end})\n"
       "return 'x' .. v, v .. 1, 'a' .. 'b' .. v",
       "\"cat\" \"cat\" \"acat\""},
      {"local v = setmetatable({}, {__pow = function(a, b) return 'pow' end})\n"
       "return v ^ 2, 2 ^ v",
       "\"pow\" \"pow\""},
      {"__pow = function(a, b) return a * 1000 + b end\n"
       "return '2' ^ '3', L\"4\" ^ 5, 6 ^ 3",
       "2003 4005 5"},
      {"local mt = {__eq = function() return 1 end}\n"
       "local a, b, c = setmetatable({}, mt), setmetatable({}, mt), {}\n"
       "return a == b, a ~= b, a == c",
       "true false false"},
      {"local mt = {__lt = function(a, b) return a.v < b.v end}\n"
       "local a, b = setmetatable({v = 1}, mt), setmetatable({v = 2}, mt)\n"
       "return a < b, b < a, a <= b, b <= a, a > b",
       "true false true false false"},
      {"local mt = {__le = function() return nil end}\n"
       "local a, b = setmetatable({}, mt), setmetatable({}, mt)\n"
       "return a <= b, a >= b",
       "false false"},
      {"local c = setmetatable({}, {__call = function(self, a) return a * 2 end})\n"
       "return c(21)",
       "42"},
      {"local c = setmetatable({}, {__call = function(self, a) return a end})\n"
       "local function tail() return c('tail') end\n"
       "return tail()",
       "\"tail\""},
      {"local t = setmetatable({}, {__index = function(t, k) return k .. '!' end})\n"
       "return t.a, t[1]",
       "\"a!\" \"1!\""},
      {"local base = {greet = function(self) return 'hi ' .. self.name end}\n"
       "local o = setmetatable({name = 'o'}, {__index = base})\n"
       "return o:greet()",
       "\"hi o\""},
      {"local log = {}\n"
       "local t = setmetatable({}, {__newindex = function(t, k, v) log[k] = v end})\n"
       "t.a = 1; t.b = nil\n"
       "return log.a, t.a",
       "1 nil"},
      {"local t = setmetatable({a = 1}, {__newindex = function() error() end})\n"
       "t.a = 2\n"
       "return t.a",
       "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.source), c.results) << c.source;
}

TEST_F(ScriptMachine, AnIndexMetamethodAddedAfterACachedMissIsSeen) {
  EXPECT_EQ(Run("mt = {}\n"
                "t = setmetatable({}, mt)\n"
                "return t.x, t.x"),
            "nil nil");
  EXPECT_EQ(Run("mt.__index = function(t, k) return 'found ' .. k end\n"
                "return t.x"),
            "\"found x\"");
  EXPECT_EQ(Run("mt2 = {}\n"
                "u = setmetatable({}, mt2)\n"
                "local miss = u.y\n"
                "mt2.__index = {y = 'late'}\n"
                "return miss, u.y"),
            "nil \"late\"");
}

TEST_F(ScriptMachine, DeepRecursionGrowsTheStackUnderLiveFrames) {
  EXPECT_EQ(Run("local function f(n)\n"
                "  local a, b, c, d, e, g, h, i = 1, 2, 3, 4, 5, 6, 7, 8\n"
                "  if n == 0 then return a + i end\n"
                "  local r = f(n - 1)\n"
                "  return r + a + b + c + d + e + g + h + i - 35\n"
                "end\n"
                "return f(2000)"),
            "2009");
  EXPECT_EQ(Run("local function loop(n, acc) if n == 0 then return acc end "
                "return loop(n - 1, acc + 1) end\n"
                "return loop(300000, 0)"),
            "300000")
      << "tail calls reuse their record";
}

// Code that passes the checker can still name values the instructions
// cannot work on; they fail as run-time errors.
TEST_F(ScriptMachine, ForgedCodeFailsCleanly) {
  const Instruction ret = CREATE_ABC(OP_RETURN, 0, 1, 0);
  const struct {
    const char* what;
    std::vector<Instruction> code;
    const char* message;
  } cases[] = {
      {"list store into nil",
       {CREATE_ABC(OP_LOADNIL, 0, 1, 0), CREATE_ABx(OP_SETLIST, 0, 0), ret},
       "forged:1: attempt to index a nil value"},
      {"list store into a number",
       {CREATE_ABx(OP_LOADK, 0, 0), CREATE_ABx(OP_SETLIST, 0, 0), ret},
       "forged:1: attempt to index a number value"},
      {"array part beyond the limit", {CREATE_ABC(OP_NEWTABLE, 0, MAXARG_B, 0), ret},
       "forged:1: table overflow"},
      {"hash part beyond the limit", {CREATE_ABC(OP_NEWTABLE, 0, 0, MAXBITS + 1), ret},
       "forged:1: table overflow"},
      {"largest hash part hint", {CREATE_ABC(OP_NEWTABLE, 0, 0, MAXARG_C), ret},
       "forged:1: table overflow"},
  };
  for (const auto& c : cases) {
    Proto* p = Assemble(L, {.code = c.code, .constants = {NumberValue(1)}});
    ASSERT_TRUE(luaG_checkcode(p)) << c.what;
    LClosure* cl = static_cast<LClosure*>(luaF_newLclosure(L, 0, gt(L)));
    cl->p = p;
    setclvalue(L->top, cl);
    incr_top(L);
    EXPECT_EQ(PCall(L, 0, 0), LUA_ERRRUN) << c.what;
    EXPECT_EQ(TopString(L), c.message) << c.what;
    L->top--;
  }
}

TEST_F(ScriptMachine, EveryCheckPointCanCollect) {
  luaC_setstress(L, true);
  EXPECT_EQ(Run("local parts = {}\n"
                "for i = 1, 40 do\n"
                "  local s, w = 'n' .. i .. ':' .. i, L\"w\" .. i .. L\"!\"\n"
                "  parts[i] = function() return s, w end\n"
                "end\n"
                "local t = {parts[1](), {1, 2, {3}}, parts[40]()}\n"
                "return t[1], t[3], t[4], t[2][3][1]"),
            "\"n1:1\" \"n40:40\" L\"w40!\" 3");
  luaC_setstress(L, false);
}

}  // namespace
