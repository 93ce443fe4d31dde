#include "script/lua/Dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/lua/Calls.h"
#include "script/lua/Function.h"
#include "script/lua/Memory.h"
#include "script/lua/OpCodes.h"
#include "script/lua/Strings.h"
#include "tests/script/ChunkBuilder.h"
#include "tests/script/ChunkText.h"
#include "tests/script/ScriptState.h"
#include "tests/support/Hex.h"

namespace {

class ScriptDump : public ::testing::Test {
 protected:
  // A function that returns, with the given constants, made in memory.
  Proto* MakeFunction(const std::vector<TObject>& constants) {
    Proto* f = luaF_newproto(L);
    f->source = luaS_new(L, "=made");
    f->maxstacksize = 2;
    f->code = luaM_newvector<Instruction>(L, 1);
    f->code[0] = CREATE_ABC(OP_RETURN, 0, 1, 0);
    f->sizecode = 1;
    f->k = luaM_newvector<TObject>(L, constants.size());
    for (size_t i = 0; i < constants.size(); i++) f->k[i] = constants[i];
    f->sizek = static_cast<int>(constants.size());
    return f;
  }

  TObject Wide(const std::u16string& units) {
    TObject o;
    setwsvalue(&o,
               luaS_newlwstr(L, reinterpret_cast<const lua_WChar*>(units.data()), units.size()));
    return o;
  }

  ScriptState state;
  lua_State* L = state.L();
};

std::string Hex(const std::string& bytes) {
  return HexText(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

TEST_F(ScriptDump, TheHeaderDescribesTheStoredFormat) {
  const std::string bytes = DumpChunk(L, MakeFunction({}));
  ASSERT_GE(bytes.size(), 22u);
  // Signature, version 5.0, little-endian, the eight sizes, the test number.
  EXPECT_EQ(Hex(bytes.substr(0, 22)),
            "1B4C7561"
            "50"
            "01"
            "0404040608090908"
            "B6099368E7F57D41");
}

TEST_F(ScriptDump, AWideConstantIsItsUnitCountAndUnits) {
  const std::string bytes = DumpChunk(L, MakeFunction({Wide(u"hi")}));
  EXPECT_NE(bytes.find(std::string("\x09\x03\0\0\0h\0i\0\0\0", 11)), std::string::npos)
      << Hex(bytes);
}

TEST_F(ScriptDump, WritesWhatTheFormatDescribes) {
  TObject number;
  setnvalue(&number, 2.5);
  TObject text;
  setsvalue(&text, luaS_new(L, "t"));
  TObject nil;
  setnilvalue(&nil);
  Proto* f = MakeFunction({number, text, nil, Wide(u"\u20ac")});
  f->lineDefined = 12;

  FunctionSpec spec;
  spec.source = "=made";
  spec.lineDefined = 12;
  spec.constants = {NumberK(2.5), StringK("t"), NilK(), WideK(u"\u20ac")};
  EXPECT_EQ(Hex(DumpChunk(L, f)), Hex(Chunk(spec)));
}

TEST_F(ScriptDump, ALoadedChunkDumpsToTheSameBytes) {
  FunctionSpec leaf;
  leaf.nups = 1;
  leaf.upvalueNames = {"u"};
  leaf.lines = {3};
  FunctionSpec main;
  main.source = "@same.lua";
  main.lines = {1};
  main.locals = {{"a", 0, 1}, {"b", 0, 0}};
  main.constants = {StringK("x"), NumberK(-1), WideK(u"")};
  main.nested = {leaf, leaf};
  main.nested[1].source = "=elsewhere";
  const std::string bytes = Chunk(main);
  ASSERT_EQ(LoadChunk(L, bytes), 0) << TopString(L);
  EXPECT_EQ(Hex(DumpChunk(L, TopProto(L))), Hex(bytes));
}

std::string ManyConstants() {
  std::string source = "local t = {}\n";
  for (int i = 0; i < 300; i++)
    source += "t[" + std::to_string(i) + ".5] = 'k" + std::to_string(i) + "'\n";
  return source;
}

// What the compiler makes, dumped, loads back to a chunk that dumps alike:
// every item the compiler fills survives the trip.
TEST_F(ScriptDump, CompiledChunksComeBackAsTheyWere) {
  const std::string sources[] = {
      "return",
      "local a, b = 1, 2\nlocal function f(x, ...) return x + a, arg.n end\nreturn f(b, 3, 4)\n",
      "local up = 0\nlocal function counter()\n  return function() up = up + 1; return up "
      "end\nend\n"
      "for i = 1, 10 do if i > 5 then continue end counter()() end\n",
      "x = 'a' .. 'b' .. 1.5; y = -2.5e10; z = L\"w\" .. L\"\\x20ac\"\n"
      "if x == y then x = not y elseif x < 'c' then y = {1, 2, n = 3} else repeat x = x until true "
      "end\n"
      "for k, v in pairs(y) do y[k] = v & 7 | 1 << 2 >> 1 ^ 3 end\n",
      "local function a() local function b() local function c() return a, b end return c end "
      "return b end",
      ManyConstants(),
      "\xFF\xFE" + Utf16(u"w = L\"\u00e9\u20ac\"; return w"),
  };
  for (const std::string& source : sources) {
    ChunkText text({source});
    ASSERT_EQ(luaD_protectedparser(L, text.Stream(), 0), 0) << TopString(L);
    const std::string bytes = DumpChunk(L, TopProto(L));
    ASSERT_EQ(LoadChunk(L, bytes), 0) << TopString(L) << "\n" << source;
    EXPECT_EQ(Hex(DumpChunk(L, TopProto(L))), Hex(bytes)) << source;
    L->top -= 2;
  }
}

}  // namespace
