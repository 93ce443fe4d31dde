#include "script/lua/Parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/OpCodes.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/ChunkText.h"
#include "tests/script/Disassembler.h"
#include "tests/script/ScriptState.h"

namespace {

using Listing = std::vector<std::string>;

class ScriptParser : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  // The main prototype of the chunk, compiled through the chunk loader's
  // protected parse; null after an error, whose message is then in mError.
  // The closure stays on the stack, so the prototype outlives collections.
  Proto* Compile(const std::string& source) {
    ChunkText text({source});
    const int status = luaD_protectedparser(L, text.Stream(), 0);
    if (status != 0) {
      mError = TopString(L);
      EXPECT_EQ(status, LUA_ERRSYNTAX) << mError;
      return nullptr;
    }
    return static_cast<LClosure*>(clvalue(L->top - 1))->p;
  }

  // The listing of the chunk's main function (or of its nested function
  // number `nested'), or "error: " and the message.
  Listing Code(const std::string& source, int nested = -1) {
    Proto* p = Compile(source);
    if (p == nullptr) return {"error: " + mError};
    return Disassemble(nested < 0 ? p : p->p[nested]);
  }

  std::string Error(const std::string& source) {
    return Compile(source) == nullptr ? mError : "<compiled>";
  }

  std::string mError;
};

std::string Repeat(const std::string& text, int count) {
  std::string out;
  for (int i = 0; i < count; i++) out += text;
  return out;
}

// --- Expressions ---------------------------------------------------------------

TEST_F(ScriptParser, BitwiseOperatorsShareOneLevelBetweenArithmeticAndPow) {
  const struct {
    const char* source;
    Listing code;
  } cases[] = {
      {"x = 1 + 2 & 3", {"BAND 0 #2 #3", "ADD 0 #1 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = a & b & c",
       {"GETGLOBAL 0 \"a\"", "GETGLOBAL 1 \"b\"", "BAND 0 0 1", "GETGLOBAL 1 \"c\"", "BAND 0 0 1",
        "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = 2 ^ 3 & 1", {"POW 0 #2 #3", "BAND 0 0 #1", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = 2 & 3 ^ 1", {"POW 0 #3 #1", "BAND 0 #2 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = 2 ^ 3 ^ 4", {"POW 0 #3 #4", "POW 0 #2 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = 1 << 2 >> 3 | 4",
       {"SHL 0 #1 #2", "SHR 0 0 #3", "BOR 0 0 #4", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = 2 * 3 | 4", {"BOR 0 #3 #4", "MUL 0 #2 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = -a & b",
       {"GETGLOBAL 0 \"a\"", "UNM 0 0", "GETGLOBAL 1 \"b\"", "BAND 0 0 1", "SETGLOBAL 0 \"x\"",
        "RETURN 0 1"}},
      {"x = 1 & 2 == 3", {"BAND 0 #1 #2", "EQ 1 0 #3", "JMP ->4", "LOADBOOL 0 0 1",
                          "LOADBOOL 0 1 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = a .. b .. c",
       {"GETGLOBAL 0 \"a\"", "GETGLOBAL 1 \"b\"", "GETGLOBAL 2 \"c\"", "CONCAT 0 0 2",
        "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = -5", {"LOADK 0 #-5", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = 2 + 3", {"ADD 0 #2 #3", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = a >> 2", {"GETGLOBAL 0 \"a\"", "SHR 0 0 #2", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Code(c.source), c.code) << c.source;
}

TEST_F(ScriptParser, WideStringsAreConstantsButNotBareCallArguments) {
  Proto* p = Compile("x = L\"hi\"; y = L\"hi\"; z = \"hi\"; f(L\"hi\")");
  ASSERT_NE(p, nullptr) << mError;
  int wide = 0;
  for (int i = 0; i < p->sizek; i++) wide += ttiswstring(&p->k[i]);
  EXPECT_EQ(wide, 1) << "one constant for the repeated wide literal";
  EXPECT_EQ(Code("f(L\"w\")"), (Listing{"GETGLOBAL 0 \"f\"", "LOADK 1 L\"w\"", "CALL 0 2 1",
                                        "RETURN 0 1"}));
  EXPECT_EQ(Code("f \"s\""), (Listing{"GETGLOBAL 0 \"f\"", "LOADK 1 \"s\"", "CALL 0 2 1",
                                      "RETURN 0 1"}));
  EXPECT_EQ(Error("f L\"w\""), "test:1: function arguments expected near `L\"w\"'");
  EXPECT_EQ(Error("o:m L\"w\""), "test:1: function arguments expected near `L\"w\"'");
}

// --- Table constructors ------------------------------------------------------------

TEST_F(ScriptParser, ConstructorsTakeSizeHints) {
  const struct {
    const char* source;
    Listing code;
  } cases[] = {
      {"x = { & 16 }", {"NEWTABLE 0 0 5", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { & 0 & 8; 1, 2 }", {"NEWTABLE 0 12 0", "LOADK 1 #1", "LOADK 2 #2", "SETLIST 0 1",
                                 "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { & 1 & 100 }", {"NEWTABLE 0 39 1", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { & 2.9; a = 1 }", {"NEWTABLE 0 0 2", "SETTABLE 0 \"a\" #1", "SETGLOBAL 0 \"x\"",
                                "RETURN 0 1"}},
      {"x = { & 1; a = 1, b = 2, [3] = 4 }",
       {"NEWTABLE 0 0 2", "SETTABLE 0 \"a\" #1", "SETTABLE 0 \"b\" #2", "SETTABLE 0 #3 #4",
        "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { & 0xFFFFFFFF }", {"NEWTABLE 0 0 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { & 16777215 }", {"NEWTABLE 0 0 24", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { & 16777216 }", {"NEWTABLE 0 0 25", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { & 1e300 }", {"NEWTABLE 0 0 31", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
      {"x = { ; 1 ; 2, }", {"NEWTABLE 0 2 0", "LOADK 1 #1", "LOADK 2 #2", "SETLIST 0 1",
                            "SETGLOBAL 0 \"x\"", "RETURN 0 1"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Code(c.source), c.code) << c.source;

  EXPECT_EQ(Error("x = { & x }"), "test:1: size expected following & (line 1) near `x'");
  EXPECT_EQ(Error("x = {\n & -1 }"), "test:2: size expected following & (line 2) near `-'");
  EXPECT_EQ(Error("x = { & 1 & }"), "test:1: size expected following & (line 1) near `}'");
}

TEST_F(ScriptParser, HintsBeyondATableRaiseTableOverflowWhenTheTableIsMade) {
  // The machine makes the table from the fields of OP_NEWTABLE; sizes that
  // hints cannot reach must fail there, not wrap into small tables.
  for (const char* source : {"x = { & 16777216 }", "x = { & 1e300 }", "x = { & 0 & 1e300 }",
                             "x = { & 0 & 16777217 }"}) {
    Proto* p = Compile(source);
    ASSERT_NE(p, nullptr) << mError;
    const Instruction newtable = p->code[0];
    ASSERT_EQ(GET_OPCODE(newtable), OP_NEWTABLE);
    const int status = RunProtected(L, [&](lua_State* L) {
      luaH_new(L, luaO_fb2int(GETARG_B(newtable)), GETARG_C(newtable));
    });
    EXPECT_EQ(status, LUA_ERRRUN) << source;
    EXPECT_EQ(TopString(L), "table overflow") << source;
  }
}

TEST_F(ScriptParser, ListItemsAreStoredEvery32AndAtTheEnd) {
  std::string items;
  for (int i = 1; i <= 33; i++) items += std::to_string(i) + ",";
  const Listing code = Code("x = {" + items + "}");
  ASSERT_EQ(code.size(), 1u + 33 + 2 + 2);
  EXPECT_EQ(code[0], "NEWTABLE 0 29 0") << "33 rounded up to 40 in the floating byte";
  EXPECT_EQ(code[32], "LOADK 32 #32");
  EXPECT_EQ(code[33], "SETLIST 0 31");
  EXPECT_EQ(code[34], "LOADK 1 #33") << "the registers are free again after a flush";
  EXPECT_EQ(code[35], "SETLIST 0 32");

  EXPECT_EQ(Code("x = {f()}"), (Listing{"NEWTABLE 0 1 0", "GETGLOBAL 1 \"f\"", "CALL 1 1 0",
                                        "SETLISTO 0 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  EXPECT_EQ(Code("x = {1, f(), g()}"),
            (Listing{"NEWTABLE 0 3 0", "LOADK 1 #1", "GETGLOBAL 2 \"f\"", "CALL 2 1 2",
                     "GETGLOBAL 3 \"g\"", "CALL 3 1 0", "SETLISTO 0 2", "SETGLOBAL 0 \"x\"",
                     "RETURN 0 1"}));
}

TEST_F(ScriptParser, ListItemsStopAtTheLargestOperand) {
  const std::string items = Repeat("1,", MAXARG_Bx + 1);
  Proto* p = Compile("x = {" + items + "}");
  ASSERT_NE(p, nullptr) << mError;
  const Instruction last = p->code[p->sizecode - 3];
  EXPECT_EQ(GET_OPCODE(last), OP_SETLIST);
  EXPECT_EQ(GETARG_Bx(last), MAXARG_Bx);
  EXPECT_EQ(GETARG_A(last), 0);
  EXPECT_EQ(Error("x = {" + items + "1}"),
            "test:1: too many items in a constructor (limit=262143) near `}'");
}

// --- Statements ------------------------------------------------------------------------

TEST_F(ScriptParser, ContinueInWhileCapturesAFreshLocalAndRetestsTheCondition) {
  // The body's local is closed before the jump, so a closure made in one
  // round keeps that round's local; the jump lands on the condition, after
  // the body's own OP_CLOSE.
  EXPECT_EQ(Code("while c do local x = 1; g = function() return x end; continue end"),
            (Listing{"JMP ->8", "LOADK 0 #1", "CLOSURE 1 0", "MOVE 0 0", "SETGLOBAL 1 \"g\"",
                     "CLOSE 0", "JMP ->8", "CLOSE 0", "GETGLOBAL 0 \"c\"", "TEST 0 0 1",
                     "JMP ->1", "RETURN 0 1"}));
}

TEST_F(ScriptParser, ContinueInRepeatEvaluatesTheCondition) {
  EXPECT_EQ(Code("repeat local x = 1; g = function() return x end; continue until c"),
            (Listing{"LOADK 0 #1", "CLOSURE 1 0", "MOVE 0 0", "SETGLOBAL 1 \"g\"", "CLOSE 0",
                     "JMP ->7", "CLOSE 0", "GETGLOBAL 0 \"c\"", "TEST 0 0 0", "JMP ->0",
                     "RETURN 0 1"}));
  // The condition does not see the body's locals: x is the global.
  EXPECT_EQ(Code("repeat local x = 1 until x"),
            (Listing{"LOADK 0 #1", "GETGLOBAL 0 \"x\"", "TEST 0 0 0", "JMP ->0", "RETURN 0 1"}));
}

TEST_F(ScriptParser, ContinueInForLoopsStepsTheLoop) {
  EXPECT_EQ(Code("for i = 1, 3 do local x = i; g = function() return x end; continue end"),
            (Listing{"LOADK 0 #1", "LOADK 1 #3", "LOADK 2 #1", "SUB 0 0 2", "JMP ->12",
                     "MOVE 3 0", "CLOSURE 4 0", "MOVE 0 3", "SETGLOBAL 4 \"g\"", "CLOSE 3",
                     "JMP ->12", "CLOSE 3", "FORLOOP 0 ->5", "RETURN 0 1"}));
  EXPECT_EQ(Code("for k, v in t do if v then continue end; f(k) end"),
            (Listing{"GETGLOBAL 0 \"t\"", "LOADNIL 1 3", "TFORPREP 0 ->9", "TEST 3 3 0",
                     "JMP ->6", "JMP ->9", "GETGLOBAL 4 \"f\"", "MOVE 5 2", "CALL 4 2 1",
                     "TFORLOOP 0 1", "JMP ->3", "RETURN 0 1"}));
}

TEST_F(ScriptParser, BreakAndContinueWithALevelCloseEveryBlockTheyLeave) {
  const std::string source =
      "while a do\n"
      "  local y = 1\n"
      "  for i = 1, 2 do\n"
      "    local z = 1\n"
      "    g = function() return y, z end\n"
      "    %s 2\n"
      "  end\n"
      "end";
  // y is register 0, the inner loop's control variables 1 to 3, z 4. The jump
  // closes from register 0 on, the captured locals of both loops' bodies.
  const std::pair<const char*, const char*> cases[] = {
      {"break", "JMP ->20"},     // past the outer loop's condition
      {"continue", "JMP ->17"},  // onto the outer loop's condition
  };
  for (const auto& [keyword, jump] : cases) {
    std::string text = source;
    text.replace(text.find("%s"), 2, keyword);
    EXPECT_EQ(Code(text),
              (Listing{"JMP ->17", "LOADK 0 #1", "LOADK 1 #1", "LOADK 2 #2", "LOADK 3 #1",
                       "SUB 1 1 3", "JMP ->15", "LOADK 4 #1", "CLOSURE 5 0", "MOVE 0 0",
                       "MOVE 0 4", "SETGLOBAL 5 \"g\"", "CLOSE 0", jump, "CLOSE 4",
                       "FORLOOP 1 ->7", "CLOSE 0", "GETGLOBAL 0 \"a\"", "TEST 0 0 1", "JMP ->1",
                       "RETURN 0 1"}))
        << keyword;
  }
}

TEST_F(ScriptParser, LoopLevelsAreCheckedLiterals) {
  const struct {
    const char* source;
    const char* message;
  } cases[] = {
      {"while a do while b do break 3 end end", "test:1: no loop to break near `end'"},
      {"while a do break 0 end", "test:1: loop block number out of range near `0'"},
      {"while a do break 101 end", "test:1: loop block number out of range near `101'"},
      {"while a do break 1e300 end", "test:1: loop block number out of range near `1e300'"},
      {"while a do break 0xFFFFFFFF end",
       "test:1: loop block number out of range near `0xFFFFFFFF'"},
      {"while a do break 1.5 end", "test:1: loop block number must be integer near `1.5'"},
      {"continue", "test:1: no loop to continue near `<eof>'"},
      {"function f() while a do local g = function() continue end end end",
       "test:1: no loop to continue near `end'"},
      {"while a do continue x = 1 end", "test:1: `end' expected near `x'"},
      {"while a do\n break\n x = 1 end", "test:3: `end' expected (to close `while' at line 1) near `x'"},
      {"repeat continue; x = 1 until a", "test:1: `until' expected near `x'"},
  };
  for (const auto& c : cases) EXPECT_EQ(Error(c.source), c.message) << c.source;
  EXPECT_NE(Compile("while a do while b do break 2 end end"), nullptr) << mError;
  EXPECT_NE(Compile("while a do while b do continue 2; end; break 1 end"), nullptr) << mError;
  const std::string deep = Repeat("while a do ", 100) + "break 100" + Repeat(" end", 100);
  EXPECT_NE(Compile(deep), nullptr) << mError;
}

TEST_F(ScriptParser, NumericAndGenericForDeclareTheirControlVariables) {
  Proto* p = Compile("for i = 1, 10, 2 do end for a, b, c in f() do end");
  ASSERT_NE(p, nullptr) << mError;
  const Listing code = Disassemble(p);
  EXPECT_EQ(code, (Listing{"LOADK 0 #1", "LOADK 1 #10", "LOADK 2 #2", "SUB 0 0 2", "JMP ->5",
                           "FORLOOP 0 ->5", "GETGLOBAL 0 \"f\"", "CALL 0 1 6", "TFORPREP 0 ->9",
                           "TFORLOOP 0 2", "JMP ->9", "RETURN 0 1"}));
  std::vector<std::string> names;
  for (int i = 0; i < p->sizelocvars; i++) names.push_back(getstr(p->locvars[i].varname));
  EXPECT_EQ(names, (std::vector<std::string>{"i", "(for limit)", "(for step)", "(for generator)",
                                             "(for state)", "a", "b", "c"}));
  EXPECT_GE(p->maxstacksize, 5 + 3) << "room to call the generator above the variables";
  EXPECT_EQ(Error("for x do end"), "test:1: `=' or `in' expected near `do'");
}

TEST_F(ScriptParser, CallsReturnsAndAssignments) {
  const struct {
    const char* source;
    Listing code;
  } cases[] = {
      {"return f(1)", {"GETGLOBAL 0 \"f\"", "LOADK 1 #1", "TAILCALL 0 2 0", "RETURN 0 0",
                       "RETURN 0 1"}},
      {"return f(), g()", {"GETGLOBAL 0 \"f\"", "CALL 0 1 2", "GETGLOBAL 1 \"g\"", "CALL 1 1 0",
                           "RETURN 0 0", "RETURN 0 1"}},
      {"local a, b; return a, b", {"LOADNIL 0 1", "MOVE 2 0", "MOVE 3 1", "RETURN 2 3",
                                   "RETURN 0 1"}},
      {"return", {"RETURN 0 1", "RETURN 0 1"}},
      {"o:m(1)", {"GETGLOBAL 0 \"o\"", "SELF 0 0 \"m\"", "LOADK 2 #1", "CALL 0 3 1",
                  "RETURN 0 1"}},
      {"f(g())", {"GETGLOBAL 0 \"f\"", "GETGLOBAL 1 \"g\"", "CALL 1 1 0", "CALL 0 0 1",
                  "RETURN 0 1"}},
      {"local a, b, c = f()", {"GETGLOBAL 0 \"f\"", "CALL 0 1 4", "RETURN 0 1"}},
      {"local a, b = 1", {"LOADK 0 #1", "LOADNIL 1 1", "RETURN 0 1"}},
      {"a, b = 1, 2, 3", {"LOADK 0 #1", "LOADK 1 #2", "LOADK 2 #3", "SETGLOBAL 1 \"b\"",
                          "SETGLOBAL 0 \"a\"", "RETURN 0 1"}},
      {"local t, i; t[i], i = 1, 2",
       {"LOADNIL 0 1", "MOVE 2 1", "LOADK 3 #1", "LOADK 1 #2", "SETTABLE 0 2 3", "RETURN 0 1"}},
      {"a.b.c = 1", {"GETGLOBAL 0 \"a\"", "GETTABLE 0 0 \"b\"", "SETTABLE 0 \"c\" #1",
                     "RETURN 0 1"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Code(c.source), c.code) << c.source;
}

TEST_F(ScriptParser, FunctionsCaptureLocalsAndUpvalues) {
  Proto* p = Compile(
      "local a = 1\n"
      "function t.m:f(x, ...)\n"
      "  return function() return a, x, self, arg end\n"
      "end");
  ASSERT_NE(p, nullptr) << mError;
  EXPECT_EQ(Disassemble(p), (Listing{"LOADK 0 #1", "GETGLOBAL 1 \"t\"", "GETTABLE 1 1 \"m\"",
                                     "CLOSURE 2 0", "MOVE 0 0", "SETTABLE 1 \"f\" 2",
                                     "RETURN 0 1"}));
  EXPECT_EQ(p->is_vararg, 1);
  EXPECT_EQ(p->numparams, 0);
  EXPECT_EQ(p->lineDefined, 0);
  ASSERT_EQ(p->sizep, 1);
  Proto* method = p->p[0];
  EXPECT_EQ(method->numparams, 2) << "self and x";
  EXPECT_EQ(method->is_vararg, 1);
  EXPECT_EQ(method->lineDefined, 2);
  EXPECT_EQ(method->nups, 1);
  EXPECT_EQ(Disassemble(method),
            (Listing{"CLOSURE 3 0", "GETUPVAL 0 0", "MOVE 0 1", "MOVE 0 0", "MOVE 0 2",
                     "RETURN 3 2", "RETURN 0 1"}));
  Proto* inner = method->p[0];
  EXPECT_EQ(inner->nups, 4);
  std::vector<std::string> upvalues;
  for (int i = 0; i < inner->sizeupvalues; i++) upvalues.push_back(getstr(inner->upvalues[i]));
  EXPECT_EQ(upvalues, (std::vector<std::string>{"a", "x", "self", "arg"}));
  EXPECT_EQ(Disassemble(inner),
            (Listing{"GETUPVAL 0 0", "GETUPVAL 1 1", "GETUPVAL 2 2", "GETUPVAL 3 3", "RETURN 0 5",
                     "RETURN 0 1"}));

  EXPECT_EQ(Code("local function f() return f() end", 0),
            (Listing{"GETUPVAL 0 0", "TAILCALL 0 1 0", "RETURN 0 0", "RETURN 0 1"}))
      << "a local function sees itself";
}

TEST_F(ScriptParser, IfChainsJumpToTheirEnd) {
  EXPECT_EQ(Code("if a then x = 1 elseif b then x = 2 else x = 3 end"),
            (Listing{"GETGLOBAL 0 \"a\"", "TEST 0 0 0", "JMP ->6", "LOADK 0 #1",
                     "SETGLOBAL 0 \"x\"", "JMP ->14", "GETGLOBAL 0 \"b\"", "TEST 0 0 0",
                     "JMP ->12", "LOADK 0 #2", "SETGLOBAL 0 \"x\"", "JMP ->14", "LOADK 0 #3",
                     "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
}

TEST_F(ScriptParser, LinesAndLocalsAreRecorded) {
  Proto* p = Compile("local a = 1\n\nlocal b = a\nf(\n  b)\n");
  ASSERT_NE(p, nullptr) << mError;
  EXPECT_EQ(std::vector<int>(p->lineinfo, p->lineinfo + p->sizelineinfo),
            (std::vector<int>{1, 3, 4, 5, 4, 5}));
  ASSERT_EQ(p->sizelocvars, 2);
  EXPECT_STREQ(getstr(p->locvars[0].varname), "a");
  EXPECT_EQ(p->locvars[0].startpc, 1);
  EXPECT_EQ(p->locvars[1].startpc, 2);
  EXPECT_EQ(p->locvars[0].endpc, 5);
  EXPECT_EQ(p->locvars[1].endpc, 5);
}

TEST_F(ScriptParser, SyntaxErrorsNameWhatWentWrong) {
  const struct {
    const char* source;
    const char* message;
  } cases[] = {
      {"x = 1 end", "test:1: <eof> expected near `end'"},
      {"x = = 1", "test:1: unexpected symbol near `='"},
      {"(a) = 1", "test:1: syntax error near `='"},
      {"f() = 1", "test:1: unexpected symbol near `='"},
      {"x = ...", "test:1: unexpected symbol near `...'"},
      {"local 1 = 2", "test:1: <name> expected near `1'"},
      {"function f(a, 1) end", "test:1: <name> or `...' expected near `1'"},
      {"f\n(g)", "test:2: ambiguous syntax (function call x new statement) near `('"},
      {"if a then", "test:1: `end' expected near `<eof>'"},
      {"if a then\nx = 1", "test:2: `end' expected (to close `if' at line 1) near `<eof>'"},
      {"x = (1", "test:1: `)' expected near `<eof>'"},
      {"x = {1", "test:1: `}' expected near `<eof>'"},
      {"continue = 1", "test:1: no loop to continue near `='"},
      {"x = 1 +", "test:1: unexpected symbol near `<eof>'"},
      {"t[1", "test:1: `]' expected near `<eof>'"},
  };
  for (const auto& c : cases) EXPECT_EQ(Error(c.source), c.message) << c.source;
}

TEST_F(ScriptParser, LimitsOfAFunction) {
  std::string locals = "local a0";
  for (int i = 1; i < 200; i++) locals += ", a" + std::to_string(i);
  EXPECT_NE(Compile(locals), nullptr) << mError;
  EXPECT_EQ(Error(locals + ", a200"), "test:1: too many local variables (limit=200) near `<eof>'");

  std::string params = "p0";
  for (int i = 1; i < 100; i++) params += ", p" + std::to_string(i);
  EXPECT_NE(Compile("function f(" + params + ") end"), nullptr) << mError;
  EXPECT_EQ(Error("function f(" + params + ", p100) end"),
            "test:1: too many parameters (limit=100) near `)'");

  std::string declare = "local u0";
  std::string use = "u0";
  for (int i = 1; i < 32; i++) {
    declare += ", u" + std::to_string(i);
    use += ", u" + std::to_string(i);
  }
  EXPECT_NE(Compile(declare + "; return function() return " + use + " end"), nullptr) << mError;
  EXPECT_EQ(Error(declare + ", u32; return function() return " + use + ", u32 end"),
            "test:1: too many upvalues (limit=32) near `end'");

  EXPECT_EQ(Error("x = f(" + Repeat("1, ", 250) + "1)"),
            "test:1: function or expression too complex near `1'");

  std::string condition = "a1";
  for (int i = 2; i <= 33; i++) condition += " and a" + std::to_string(i);
  EXPECT_NE(Compile("while " + condition + " do end"), nullptr) << mError;
  EXPECT_EQ(Error("while " + condition + " and a34 do end"),
            "test:1: `while' condition too complex near `do'");
}

TEST_F(ScriptParser, DeepNestingIsAnErrorNotACrash) {
  const struct {
    const char* prefix;
    const char* open;
    const char* middle;
    const char* close;
  } shapes[] = {
      {"", "do ", "", " end"},
      {"x = ", "(", "1", ")"},
      {"x = ", "{", "1", "}"},
      {"x = ", "- ", "1", ""},
      {"x = ", "not ", "1", ""},
      {"", "f = function() ", "", " end"},
      {"", "local function f() ", "", " end"},
      {"", "if a then ", "", " end"},
      {"", "while a do ", "", " end"},
      {"x = ", "a .. ", "b", ""},
      {"x = ", "2 ^ ", "2", ""},
      {"x = ", "f(", "1", ")"},
      {"x = ", "t[", "1", "]"},
  };
  for (const auto& s : shapes) {
    auto nest = [&](int depth) {
      return s.prefix + Repeat(s.open, depth) + s.middle + Repeat(s.close, depth);
    };
    EXPECT_NE(Compile(nest(40)), nullptr) << s.open << ": " << mError;
    EXPECT_EQ(Compile(nest(10000)), nullptr) << s.open;
    EXPECT_NE(mError.find("too many syntax levels"), std::string::npos) << s.open << ": " << mError;
  }
  std::string targets = "a";
  for (int i = 0; i < 10000; i++) targets += ", a";
  EXPECT_NE(Error(targets + " = 1").find("too many syntax levels"), std::string::npos);
}

TEST_F(ScriptParser, RunningOutOfMemoryAnywhereLeavesAUsableState) {
  const std::string source =
      "local t = { & 4; 1, 2, x = L\"w\" }\n"
      "for i = 1, 10 do\n"
      "  while t[i] do t[i] = function() return i, t end; continue end\n"
      "end\n"
      "return \"" + std::string(100, 'z') + "\"";
  TestAllocator& allocator = state.Allocator();
  bool compiled = false;
  int failures = 0;
  for (int attempt = 1; !compiled && attempt < 2000; attempt++) {
    allocator.failAt = allocator.allocations + attempt;
    ChunkText text({source});
    const StkId top = L->top;
    const int status = luaD_protectedparser(L, text.Stream(), 0);
    allocator.failAt = 0;
    if (status == 0) {
      compiled = true;
    } else {
      ASSERT_EQ(status, LUA_ERRMEM) << "attempt " << attempt << ": " << TopString(L);
      failures++;
    }
    L->top = top;
  }
  EXPECT_TRUE(compiled);
  EXPECT_GT(failures, 30) << "the compilation allocates at many points";
  EXPECT_NE(Compile("x = 1"), nullptr) << mError;
}

TEST_F(ScriptParser, CompiledCodeKeepsEveryObjectItNamesThroughCollections) {
  luaC_setstress(L, true);
  Proto* p = Compile(
      "local alpha = L\"wide\" .. \"bytes\"\n"
      "function beta(gamma) return function() return alpha, gamma end end");
  luaC_setstress(L, false);
  ASSERT_NE(p, nullptr) << mError;
  const Listing before = Disassemble(p->p[0]);
  luaS_new(L, "garbage");
  luaC_collectgarbage(L);
  luaC_collectgarbage(L);
  EXPECT_EQ(Disassemble(p->p[0]), before);
  EXPECT_EQ(Disassemble(p), (Listing{"LOADK 0 L\"wide\"", "LOADK 1 \"bytes\"", "CONCAT 0 0 1",
                                     "CLOSURE 1 0", "MOVE 0 0", "SETGLOBAL 1 \"beta\"",
                                     "RETURN 0 1"}));
  EXPECT_STREQ(getstr(p->locvars[0].varname), "alpha");
  EXPECT_STREQ(getstr(p->p[0]->locvars[0].varname), "gamma");
  EXPECT_STREQ(getstr(p->p[0]->p[0]->upvalues[1]), "gamma");
  EXPECT_STREQ(getstr(p->p[0]->source), "=test");
}

TEST_F(ScriptParser, AFirstLineStartingWithHashIsSkipped) {
  EXPECT_EQ(Code("#!/usr/bin/env game\nx = 1"),
            (Listing{"LOADK 0 #1", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  Proto* p = Compile("#!\nx = 1");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->lineinfo[0], 2);
}

}  // namespace
