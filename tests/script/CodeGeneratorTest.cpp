#include "script/lua/CodeGenerator.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "script/lua/Strings.h"
#include "tests/script/ChunkText.h"
#include "tests/script/Disassembler.h"
#include "tests/script/ScriptState.h"

namespace {

using Listing = std::vector<std::string>;

TEST(ScriptInstructions, FieldsSitWhereCompiledChunksExpectThem) {
  const Instruction abc = CREATE_ABC(OP_ADD, 1, 2, 3);
  EXPECT_EQ(abc, 12u | 3u << 6 | 2u << 15 | 1u << 24);
  EXPECT_EQ(GET_OPCODE(abc), OP_ADD);
  EXPECT_EQ(GETARG_A(abc), 1);
  EXPECT_EQ(GETARG_B(abc), 2);
  EXPECT_EQ(GETARG_C(abc), 3);
  EXPECT_EQ(GETARG_Bx(abc), 2 << 9 | 3);

  Instruction i = CREATE_ABx(OP_CLOSURE, 255, MAXARG_Bx);
  EXPECT_EQ(i, 38u | 0x3FFFFu << 6 | 255u << 24);
  SETARG_sBx(i, -1);
  EXPECT_EQ(GETARG_Bx(i), 131070) << "sBx is stored as Bx - 131071";
  EXPECT_EQ(GETARG_sBx(i), -1);
  EXPECT_EQ(GETARG_A(i), 255) << "setting one field leaves the others";
  EXPECT_EQ(GET_OPCODE(i), OP_CLOSURE);
  SETARG_C(i, 511);
  SETARG_B(i, 0);
  EXPECT_EQ(GETARG_C(i), 511);
  EXPECT_EQ(GETARG_B(i), 0);
}

TEST(ScriptInstructions, OpcodesAreNumberedWithTheBitwiseOperatorsBeforePow) {
  EXPECT_EQ(OP_DIV, 15);
  EXPECT_EQ(OP_BAND, 16);
  EXPECT_EQ(OP_SHR, 19);
  EXPECT_EQ(OP_POW, 20);
  EXPECT_EQ(OP_JMP, 24);
  EXPECT_EQ(OP_TEST, 28);
  EXPECT_EQ(OP_TFORPREP, 34);
  EXPECT_EQ(OP_CLOSURE, 38);
  EXPECT_EQ(NUM_OPCODES, 39);
}

TEST(ScriptInstructions, ModeBytesDescribeEveryOpcode) {
  const lu_byte expected[NUM_OPCODES] = {
      0x24, 0x61, 0x20, 0x24, 0x20, 0x61, 0x34, 0x41, 0x00, 0x18, 0x20, 0x34, 0x38,
      0x38, 0x38, 0x38, 0x38, 0x38, 0x38, 0x38, 0x38, 0x24, 0x24, 0x34, 0x02, 0x98,
      0x98, 0x98, 0xa4, 0x00, 0x00, 0x00, 0x02, 0x80, 0x02, 0x01, 0x01, 0x00, 0x21};
  for (int op = 0; op < NUM_OPCODES; op++) {
    EXPECT_EQ(luaP_opmodes[op], expected[op]) << "opcode " << op;
  }
  EXPECT_EQ(getOpMode(OP_JMP), iAsBx);
  EXPECT_TRUE(testOpMode(OP_LE, OpModeT));
  EXPECT_FALSE(testOpMode(OP_TFORPREP, OpModeT));
}

// Drives the generator the way the parser does, one function at a time.
class ScriptCodeGenerator : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  // The listing of a function whose body `emit' generates, or the message of
  // the error it raised.
  Listing Generate(const std::function<void(FuncState*)>& emit) {
    mProto = nullptr;
    ChunkText text({});
    std::string error;
    RunLexer(L, text, "=gen", [&](LexState* ls) {
      luaX_next(ls);
      FuncState fs;
      luaK_openfunction(ls, &fs);
      emit(&fs);
      luaK_closefunction(ls);
      EXPECT_EQ(ls->fs, nullptr);
      mProto = fs.f;
    }, &error);
    if (mProto == nullptr) return {"error: " + error};
    return Disassemble(mProto);
  }

  static expdesc Global(FuncState* fs, const char* name) {
    expdesc e;
    init_exp(&e, VGLOBAL, luaK_stringK(fs, luaS_new(fs->L, name)));
    return e;
  }
  static expdesc Number(FuncState* fs, lua_Number n) {
    expdesc e;
    init_exp(&e, VK, luaK_numberK(fs, n));
    return e;
  }
  static expdesc Constant(int index) {
    expdesc e;
    init_exp(&e, VK, index);
    return e;
  }
  // x = a <op> right
  static void StoreBinary(FuncState* fs, BinOpr op, expdesc right) {
    expdesc x = Global(fs, "x");
    expdesc a = Global(fs, "a");
    luaK_infix(fs, op, &a);
    luaK_posfix(fs, op, &a, &right);
    luaK_storevar(fs, &x, &a);
  }

  Proto* mProto = nullptr;
};

TEST_F(ScriptCodeGenerator, ArithmeticAndBitwiseOperatorsTakeTheirOperandsAsRK) {
  const std::pair<BinOpr, const char*> cases[] = {
      {OPR_ADD, "ADD"},  {OPR_SUB, "SUB"}, {OPR_MULT, "MUL"}, {OPR_DIV, "DIV"}, {OPR_BAND, "BAND"},
      {OPR_BOR, "BOR"},  {OPR_SHL, "SHL"}, {OPR_SHR, "SHR"},  {OPR_POW, "POW"}};
  for (const auto& [op, name] : cases) {
    const Listing expected = {"GETGLOBAL 0 \"a\"", std::string(name) + " 0 0 #2",
                              "SETGLOBAL 0 \"x\"", "RETURN 0 1"};
    EXPECT_EQ(Generate([&, op = op](FuncState* fs) { StoreBinary(fs, op, Number(fs, 2)); }), expected);
  }
  Generate([&](FuncState* fs) { StoreBinary(fs, OPR_SHR, Number(fs, 2)); });
  const Instruction shr = mProto->code[1];
  EXPECT_EQ(GET_OPCODE(shr), 19);
  ASSERT_EQ(GETARG_C(shr), 250 + 0) << "constants: 2, \"x\", \"a\"";
  EXPECT_EQ(nvalue(&mProto->k[0]), 2);
}

TEST_F(ScriptCodeGenerator, ComparisonsAreTestsFollowedByAJump) {
  const std::pair<BinOpr, const char*> cases[] = {
      {OPR_EQ, "EQ 1 0 #2"}, {OPR_NE, "EQ 0 0 #2"}, {OPR_LT, "LT 1 0 #2"},
      {OPR_LE, "LE 1 0 #2"}, {OPR_GT, "LT 1 #2 0"}, {OPR_GE, "LE 1 #2 0"}};
  for (const auto& [op, test] : cases) {
    // The jump is taken when the test holds: it lands on the load of true.
    const Listing expected = {"GETGLOBAL 0 \"a\"",  test,        "JMP ->4", "LOADBOOL 0 0 1",
                              "LOADBOOL 0 1 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"};
    EXPECT_EQ(Generate([&, op = op](FuncState* fs) { StoreBinary(fs, op, Number(fs, 2)); }), expected)
        << test;
  }
}

TEST_F(ScriptCodeGenerator, AndOrAndNotLeaveTheirValueThroughTests) {
  EXPECT_EQ(Generate([&](FuncState* fs) { StoreBinary(fs, OPR_AND, Global(fs, "b")); }),
            (Listing{"GETGLOBAL 0 \"a\"", "TEST 0 0 0", "JMP ->4", "GETGLOBAL 0 \"b\"",
                     "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  EXPECT_EQ(Generate([&](FuncState* fs) { StoreBinary(fs, OPR_OR, Global(fs, "b")); }),
            (Listing{"GETGLOBAL 0 \"a\"", "TEST 0 0 1", "JMP ->4", "GETGLOBAL 0 \"b\"",
                     "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  EXPECT_EQ(Generate([&](FuncState* fs) {
              expdesc x = Global(fs, "x");
              expdesc a = Global(fs, "a");
              luaK_prefix(fs, OPR_NOT, &a);
              luaK_storevar(fs, &x, &a);
            }),
            (Listing{"GETGLOBAL 0 \"a\"", "NOT 0 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  // `not' of a comparison turns the test around instead of emitting OP_NOT.
  EXPECT_EQ(Generate([&](FuncState* fs) {
              expdesc x = Global(fs, "x");
              expdesc a = Global(fs, "a");
              luaK_infix(fs, OPR_EQ, &a);
              expdesc two = Number(fs, 2);
              luaK_posfix(fs, OPR_EQ, &a, &two);
              luaK_prefix(fs, OPR_NOT, &a);
              luaK_storevar(fs, &x, &a);
            }),
            (Listing{"GETGLOBAL 0 \"a\"", "EQ 0 0 #2", "JMP ->4", "LOADBOOL 0 0 1",
                     "LOADBOOL 0 1 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
}

TEST_F(ScriptCodeGenerator, UnaryMinusFoldsANumericConstantOnly) {
  auto negate = [](FuncState* fs, expdesc e) {
    expdesc x = Global(fs, "x");
    luaK_prefix(fs, OPR_MINUS, &e);
    luaK_storevar(fs, &x, &e);
  };
  EXPECT_EQ(Generate([&](FuncState* fs) { negate(fs, Number(fs, 5)); }),
            (Listing{"LOADK 0 #-5", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  EXPECT_EQ(Generate([&](FuncState* fs) { negate(fs, Global(fs, "a")); }),
            (Listing{"GETGLOBAL 0 \"a\"", "UNM 0 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  EXPECT_EQ(Generate([&](FuncState* fs) {
              expdesc s;
              init_exp(&s, VK, luaK_stringK(fs, luaS_new(L, "5")));
              negate(fs, s);
            }),
            (Listing{"LOADK 0 \"5\"", "UNM 0 0", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  // 2 + 3 is not folded.
  EXPECT_EQ(Generate([&](FuncState* fs) {
              expdesc x = Global(fs, "x");
              expdesc two = Number(fs, 2);
              luaK_infix(fs, OPR_ADD, &two);
              expdesc three = Number(fs, 3);
              luaK_posfix(fs, OPR_ADD, &two, &three);
              luaK_storevar(fs, &x, &two);
            }),
            (Listing{"ADD 0 #2 #3", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
}

TEST_F(ScriptCodeGenerator, EachDistinctConstantIsStoredOnce) {
  Generate([&](FuncState* fs) {
    const lua_WChar units[] = {'a'};
    LString* wide = luaS_newlwstr(L, units, 1);
    LString* bytes = luaS_new(L, "a");
    EXPECT_EQ(luaK_stringK(fs, bytes), 0);
    EXPECT_EQ(luaK_wstringK(fs, wide), 1) << "a wide string is not its byte twin";
    EXPECT_EQ(luaK_wstringK(fs, luaS_newlwstr(L, units, 1)), 1);
    EXPECT_EQ(luaK_stringK(fs, luaS_new(L, "a")), 0);
    EXPECT_EQ(luaK_numberK(fs, 1), 2);
    EXPECT_EQ(luaK_stringK(fs, luaS_new(L, "1")), 3) << "the number 1 is not the string \"1\"";
    EXPECT_EQ(luaK_numberK(fs, 1), 2);
    expdesc nil1;
    init_exp(&nil1, VNIL, 0);
    EXPECT_EQ(luaK_exp2RK(fs, &nil1), MAXSTACK + 4);
    expdesc nil2;
    init_exp(&nil2, VNIL, 0);
    EXPECT_EQ(luaK_exp2RK(fs, &nil2), MAXSTACK + 4);
  });
  ASSERT_EQ(mProto->sizek, 5);
  EXPECT_EQ(ConstantText(&mProto->k[1]), "L\"a\"");
  EXPECT_TRUE(ttisnil(&mProto->k[4]));
}

TEST_F(ScriptCodeGenerator, ConstantsFromIndex262OnGoThroughARegister) {
  auto withConstants = [&](int count, const std::function<void(FuncState*)>& emit) {
    return Generate([&](FuncState* fs) {
      for (int i = 0; i < count; i++) luaK_numberK(fs, i);
      emit(fs);
    });
  };
  auto tail = [](const Listing& listing, size_t n) {
    return Listing(listing.end() - static_cast<ptrdiff_t>(n), listing.end());
  };
  auto add = [&](int constant) {
    return [=](FuncState* fs) { StoreBinary(fs, OPR_ADD, Constant(constant)); };
  };
  EXPECT_EQ(tail(withConstants(300, add(261)), 3),
            (Listing{"ADD 0 0 #261", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
  EXPECT_EQ(tail(withConstants(300, add(262)), 4),
            (Listing{"LOADK 1 #262", "ADD 0 0 1", "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));

  auto setnil = [](FuncState* fs) {
    expdesc t = Global(fs, "t");
    luaK_exp2anyreg(fs, &t);
    expdesc key = Number(fs, 1);
    luaK_indexed(fs, &t, &key);
    expdesc nil;
    init_exp(&nil, VNIL, 0);
    luaK_storevar(fs, &t, &nil);
  };
  EXPECT_EQ(tail(withConstants(10, setnil), 2), (Listing{"SETTABLE 0 #1 nil", "RETURN 0 1"}));
  EXPECT_EQ(tail(withConstants(262, setnil), 3),
            (Listing{"LOADNIL 1 1", "SETTABLE 0 #1 1", "RETURN 0 1"}));
}

TEST_F(ScriptCodeGenerator, ConcatenationMergesIntoOneInstruction) {
  EXPECT_EQ(Generate([&](FuncState* fs) {
              // x = a .. (b .. c), as the right-associative operator parses
              expdesc x = Global(fs, "x");
              expdesc a = Global(fs, "a");
              luaK_infix(fs, OPR_CONCAT, &a);
              expdesc b = Global(fs, "b");
              luaK_infix(fs, OPR_CONCAT, &b);
              expdesc c = Global(fs, "c");
              luaK_posfix(fs, OPR_CONCAT, &b, &c);
              luaK_posfix(fs, OPR_CONCAT, &a, &b);
              luaK_storevar(fs, &x, &a);
            }),
            (Listing{"GETGLOBAL 0 \"a\"", "GETGLOBAL 1 \"b\"", "GETGLOBAL 2 \"c\"", "CONCAT 0 0 2",
                     "SETGLOBAL 0 \"x\"", "RETURN 0 1"}));
}

TEST_F(ScriptCodeGenerator, LoadNilMergesUnlessAJumpLandsBetween) {
  EXPECT_EQ(Generate([&](FuncState* fs) {
              luaK_reserveregs(fs, 8);
              luaK_nil(fs, 0, 2);
              luaK_nil(fs, 2, 2);
              luaK_nil(fs, 1, 1);
              luaK_getlabel(fs);
              luaK_nil(fs, 4, 1);
              luaK_nil(fs, 6, 1);
            }),
            (Listing{"LOADNIL 0 3", "LOADNIL 4 4", "LOADNIL 6 6", "RETURN 0 1"}));
}

TEST_F(ScriptCodeGenerator, JumpListsLandWhereTheyArePatched) {
  EXPECT_EQ(Generate([&](FuncState* fs) {
              luaK_reserveregs(fs, 1);
              int list = luaK_jump(fs);
              luaK_codeABC(fs, OP_MOVE, 0, 0, 0);
              luaK_concat(fs, &list, luaK_jump(fs));
              luaK_patchtohere(fs, list);
              luaK_codeABC(fs, OP_MOVE, 0, 0, 0);  // both jumps land here
              const int back = luaK_getlabel(fs);
              luaK_codeABC(fs, OP_MOVE, 0, 0, 0);
              luaK_patchtohere(fs, luaK_jump(fs));
              // A jump emitted where another waits takes it along.
              luaK_patchlist(fs, luaK_jump(fs), back);
            }),
            (Listing{"JMP ->3", "MOVE 0 0", "JMP ->3", "MOVE 0 0", "MOVE 0 0", "JMP ->4", "JMP ->4",
                     "RETURN 0 1"}));
}

TEST_F(ScriptCodeGenerator, LimitsRaiseSyntaxErrors) {
  EXPECT_EQ(Generate([](FuncState* fs) { luaK_reserveregs(fs, 249); })[0], "RETURN 0 1");
  EXPECT_EQ(mProto->maxstacksize, 249);
  EXPECT_EQ(Generate([](FuncState* fs) {
              luaK_reserveregs(fs, 249);
              luaK_reserveregs(fs, 1);
            }),
            Listing{"error: gen:1: function or expression too complex near `<eof>'"});

  auto jumpover = [](int count) {
    return [=](FuncState* fs) {
      const int j = luaK_jump(fs);
      for (int i = 0; i < count; i++) luaK_codeABC(fs, OP_MOVE, 0, 0, 0);
      luaK_patchtohere(fs, j);
    };
  };
  EXPECT_EQ(Generate(jumpover(MAXARG_sBx))[0], "JMP ->131072");
  EXPECT_EQ(Generate(jumpover(MAXARG_sBx + 1)),
            Listing{"error: gen:1: control structure too long near `<eof>'"});
  EXPECT_EQ(Generate([](FuncState* fs) {
              const int start = luaK_getlabel(fs);
              for (int i = 0; i < MAXARG_sBx; i++) luaK_codeABC(fs, OP_MOVE, 0, 0, 0);
              luaK_patchlist(fs, luaK_jump(fs), start);
            }),
            Listing{"error: gen:1: control structure too long near `<eof>'"});

  EXPECT_EQ(Generate([](FuncState* fs) {
              for (int i = 0; i < MAXARG_Bx + 1; i++) luaK_numberK(fs, i);
            }),
            Listing{"error: gen:1: constant table overflow near `<eof>'"});
}

TEST_F(ScriptCodeGenerator, LinesAndTheClosedPrototype) {
  Generate([&](FuncState* fs) {
    fs->ls->lastline = 7;
    luaK_codeABC(fs, OP_MOVE, 0, 1, 0);
    luaK_codeABC(fs, OP_MOVE, 1, 0, 0);
    luaK_fixline(fs, 3);
    fs->ls->lastline = 9;
    luaK_numberK(fs, 1);
  });
  ASSERT_EQ(mProto->sizecode, 3);
  EXPECT_EQ(mProto->sizelineinfo, 3);
  EXPECT_EQ(std::vector<int>(mProto->lineinfo, mProto->lineinfo + 3), (std::vector<int>{7, 3, 9}));
  EXPECT_EQ(mProto->sizek, 1);
  EXPECT_EQ(mProto->sizep, 0);
  EXPECT_EQ(mProto->maxstacksize, 2);
  EXPECT_STREQ(getstr(mProto->source), "=gen");
}

}  // namespace
