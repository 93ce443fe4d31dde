#include "script/lua/Debug.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "script/lua/Calls.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/AssembledCode.h"
#include "tests/script/ChunkText.h"
#include "tests/script/ScriptState.h"
#include "tests/support/TempFolder.h"

namespace {

// where(level): what lua_getinfo says of that level, as
// "what source line namewhat:name nups defined", or "none".
int Where(lua_State* L) {
  lua_Debug ar;
  std::string text = "none";
  if (lua_getstack(L, static_cast<int>(nvalue(L->base)), &ar)) {
    EXPECT_EQ(lua_getinfo(L, "Slnu", &ar), 1);
    text = std::string(ar.what) + " " + ar.short_src + " " + std::to_string(ar.currentline) +
           " " + ar.namewhat + ":" + (ar.name != nullptr ? ar.name : "") + " " +
           std::to_string(ar.nups) + " " + std::to_string(ar.linedefined);
  }
  PushString(L, text.c_str());
  return 1;
}

class ScriptDebug : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  void SetUp() override {
    PushCFunction(L, Where);
    const TObject key = StringValue(L, "where");
    setobj(luaH_set(L, hvalue(gt(L)), &key), L->top - 1);
    L->top--;
  }
};

TEST_F(ScriptDebug, StackLevelsDescribeTheirFunctions) {
  const struct {
    const char* source;
    const char* info;
  } cases[] = {
      {"local r = where(1)\nreturn r", "main test 1 : 0 0"},
      {"local r = where(0)\nreturn r", "C [C] -1 global:where 0 -1"},
      {"local function f() local r = where(1) return r end\nlocal r = f()\nreturn r",
       "Lua test 1 local:f 0 1"},
      {"\nfunction g()\n local r = where(1)\n return r\nend\nlocal r = g()\nreturn r",
       "Lua test 3 global:g 0 2"},
      {"local o = {}\nfunction o:m() local r = where(1) return r end\nlocal r = o:m()\nreturn r",
       "Lua test 2 method:m 0 2"},
      {"local t = {}\nfunction t.f() local r = where(1) return r end\nlocal r = t.f()\nreturn r",
       "Lua test 2 field:f 0 2"},
      {"local a = 1\nlocal function f() local r = where(1) return r, a end\nlocal r = f()\n"
       "return r",
       "Lua test 2 local:f 1 2"},
      {"local r = where(2)\nreturn r", "none"},
  };
  for (const auto& c : cases) EXPECT_EQ(RunChunk(L, c.source), std::string("\"") + c.info + "\"");
}

TEST_F(ScriptDebug, DroppedTailCallsCountAsLevels) {
  const std::string source =
      "function g(level) local r = where(level) return r end\n"
      "function h(level) return g(level) end\n"
      "local r = h(%d)\n"
      "return r";
  const std::pair<int, const char*> cases[] = {
      {1, "Lua test 1 global:g 0 1"},  // no caller's name: found among the globals
      {2, "tail (tail call) -1 : 0 -1"},
      {3, "main test 3 : 0 0"},
      {4, "none"},
  };
  for (const auto& [level, info] : cases) {
    std::string text = source;
    text.replace(text.find("%d"), 2, std::to_string(level));
    EXPECT_EQ(RunChunk(L, text), std::string("\"") + info + "\"") << level;
  }
}

TEST_F(ScriptDebug, InfoOfAFunctionValue) {
  ASSERT_EQ(LoadSource(L, "return function() end"), 0);
  ASSERT_EQ(PCall(L, 0, 1), 0);
  lua_Debug ar;
  const StkId top = L->top;
  setobj(L->top, top - 1);
  incr_top(L);
  ASSERT_EQ(lua_getinfo(L, ">Sf", &ar), 1);
  EXPECT_STREQ(ar.what, "Lua");
  EXPECT_STREQ(ar.source, "=test");
  EXPECT_EQ(ar.linedefined, 1);
  ASSERT_EQ(L->top, top + 1) << "the function was popped, then pushed by f";
  EXPECT_EQ(clvalue(L->top - 1), clvalue(top - 1));
  L->top = top;

  EXPECT_EQ(lua_getinfo(L, ">x", &ar), 0) << "an unknown letter";
  EXPECT_EQ(L->top, top - 1);

  PushNumber(L, 1);
  EXPECT_EQ(RunProtected(L, [](lua_State* L) {
              lua_Debug info;
              lua_getinfo(L, ">S", &info);
            }),
            LUA_ERRRUN);
  EXPECT_EQ(TopString(L), "value for `lua_getinfo' is not a function");
}

// --- Code checker -----------------------------------------------------------------

class ScriptCodeChecker : public ScriptDebug {
 protected:
  // A case file as the loader reads it: text without its carriage returns,
  // UTF-16LE text (marked by FF FE) as it is.
  static std::string SourceAsLoaded(std::string bytes) {
    if (bytes.rfind("\xFF\xFE", 0) == 0) return bytes;
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    return bytes;
  }

  // True when every prototype of the compiled chunk passes the checker.
  bool AllPass(const std::string& source) {
    ChunkText text({source});
    if (luaD_protectedparser(L, text.Stream(), 0) != 0) {
      ADD_FAILURE() << TopString(L);
      return false;
    }
    const bool passed = PassesWithNested(static_cast<LClosure*>(clvalue(L->top - 1))->p);
    L->top--;
    return passed;
  }

  bool PassesWithNested(const Proto* p) {
    if (!luaG_checkcode(p)) return false;
    for (int i = 0; i < p->sizep; i++) {
      if (!PassesWithNested(p->p[i])) return false;
    }
    return true;
  }
};

TEST_F(ScriptCodeChecker, CompiledCodePasses) {
  const char* sources[] = {
      "local a, b = 1, 2; return a + b, a & b, a ^ b, -a, not b, a .. b",
      "for i = 1, 3 do end for k, v in t do end for k in f() do end",
      "while a do if b then break end continue end repeat x = 1 until y",
      "local t = {1, 2, f()}; t.x = {g()}; return {a = 1, [2] = 3, h()}",
      "local o = {}; function o:m(...) return self, arg end; return o:m(f())",
      "local u = 1; return function() u = u + 1; return function() return u end end",
      "return f(g(h()))",
      "if a == b and c < d or e <= f then return end; return a ~= b",
      "local x = 1; x = nil; local y; return x or y and 1",
  };
  for (const char* source : sources) EXPECT_TRUE(AllPass(source)) << source;
  for (const auto& entry : std::filesystem::directory_iterator(SCRIPT_CASES_FOLDER)) {
    if (entry.path().extension() != ".lua") continue;
    EXPECT_TRUE(AllPass(SourceAsLoaded(ReadWholeFile(entry.path().string())))) << entry.path();
  }
}

Instruction ABC(OpCode op, int a, int b, int c) { return CREATE_ABC(op, a, b, c); }
Instruction ABx(OpCode op, int a, int bx) { return CREATE_ABx(op, a, bx); }

TEST_F(ScriptCodeChecker, ForgedCodeIsRejected) {
  const Instruction ret = ABC(OP_RETURN, 0, 1, 0);
  const TObject text = StringValue(L, "s");
  const TObject number = NumberValue(1);
  Proto* withUpvalue = Assemble(L, {.code = {ret}, .nups = 1});
  const struct {
    const char* what;
    Assembly code;
    bool passes;
  } cases[] = {
      {"a return alone", {.code = {ret}}, true},
      {"no code", {.code = {}}, false},
      {"no return at the end", {.code = {ABx(OP_LOADK, 0, 0)}, .constants = {number}}, false},
      {"jump past the end", {.code = {Jump(OP_JMP, 0, 1), ret}}, false},
      {"jump before the start", {.code = {Jump(OP_JMP, 0, -2), ret}}, false},
      {"loop jump before the start",
       {.code = {Jump(OP_FORLOOP, 0, -2), ret}, .maxstacksize = 3},
       false},
      {"generic loop jump out", {.code = {Jump(OP_TFORPREP, 0, 5), ret}}, false},
      {"register A out of the frame", {.code = {ABC(OP_MOVE, 2, 0, 0), ret}}, false},
      {"register B out of the frame", {.code = {ABC(OP_MOVE, 0, 2, 0), ret}}, false},
      {"constant out of range", {.code = {ABx(OP_LOADK, 0, 1), ret}, .constants = {number}},
       false},
      {"constant operand",
       {.code = {ABC(OP_ADD, 0, 0, MAXSTACK), ret}, .constants = {number}},
       true},
      {"constant operand out of range",
       {.code = {ABC(OP_ADD, 0, 0, MAXSTACK + 1), ret}, .constants = {number}},
       false},
      {"global named by a string",
       {.code = {ABx(OP_GETGLOBAL, 0, 0), ret}, .constants = {text}},
       true},
      {"global named by a number",
       {.code = {ABx(OP_GETGLOBAL, 0, 0), ret}, .constants = {number}},
       false},
      {"test followed by a jump", {.code = {ABC(OP_EQ, 0, 0, 1), Jump(OP_JMP, 0, 0), ret}},
       true},
      {"test not followed by a jump",
       {.code = {ABC(OP_EQ, 0, 0, 1), ABC(OP_MOVE, 0, 0, 0), ret}},
       false},
      {"boolean skipping the return", {.code = {ABC(OP_LOADBOOL, 0, 1, 1), ret}}, false},
      {"open results taken", {.code = {ABC(OP_CALL, 0, 1, 0), ABC(OP_RETURN, 0, 0, 0)}}, true},
      {"open results dropped",
       {.code = {ABC(OP_CALL, 0, 1, 0), ABC(OP_MOVE, 0, 0, 0), ret}},
       false},
      {"open results passed on",
       {.code = {ABC(OP_CALL, 1, 1, 0), ABC(OP_CALL, 0, 0, 1), ret}, .maxstacksize = 3},
       true},
      {"open results taken from above",
       {.code = {ABC(OP_CALL, 1, 1, 0), ABC(OP_RETURN, 2, 0, 0), ret}, .maxstacksize = 3},
       false},
      {"call of open results without a call", {.code = {ABC(OP_CALL, 0, 0, 1), ret}}, false},
      {"return of open results without a call",
       {.code = {ABC(OP_MOVE, 0, 0, 0), ABC(OP_RETURN, 0, 0, 0)}},
       false},
      {"list of open results without a call", {.code = {ABx(OP_SETLISTO, 0, 0), ret}}, false},
      {"call results out of the frame", {.code = {ABC(OP_CALL, 0, 1, 4), ret}}, false},
      {"return values out of the frame", {.code = {ABC(OP_RETURN, 1, 3, 0)}}, false},
      {"upvalue out of range", {.code = {ABC(OP_GETUPVAL, 0, 0, 0), ret}}, false},
      {"closure capturing a local",
       {.code = {ABx(OP_CLOSURE, 0, 0), ABC(OP_MOVE, 0, 1, 0), ret}, .nested = {withUpvalue}},
       true},
      {"closure without its upvalue names",
       {.code = {ABx(OP_CLOSURE, 0, 0), ABC(OP_ADD, 0, 0, 0), ret}, .nested = {withUpvalue}},
       false},
      {"closure of a missing prototype", {.code = {ABx(OP_CLOSURE, 0, 0), ret}}, false},
      {"concatenation of one register", {.code = {ABC(OP_CONCAT, 0, 1, 1), ret}}, false},
      {"generic loop variables out of the frame",
       {.code = {ABC(OP_TFORLOOP, 0, 0, 1), Jump(OP_JMP, 0, -2), ret}, .maxstacksize = 6},
       false},
      {"list items out of the frame", {.code = {ABx(OP_SETLIST, 0, 1), ret}}, false},
      {"too many registers", {.code = {ret}, .maxstacksize = MAXSTACK + 1}, false},
      {"parameters beyond the frame", {.code = {ret}, .numparams = 3}, false},
      {"line information of another length",
       {.code = {ABC(OP_MOVE, 0, 0, 0), ret}, .sizelineinfo = 1},
       false},
      {"no line information", {.code = {ABC(OP_MOVE, 0, 0, 0), ret}, .sizelineinfo = 0}, true},
      {"an opcode beyond the set", {.code = {static_cast<Instruction>(NUM_OPCODES), ret}},
       false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(luaG_checkcode(Assemble(L, c.code)), c.passes) << c.what;
  }
}

}  // namespace
