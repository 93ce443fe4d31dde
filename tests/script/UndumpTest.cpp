#include "script/lua/Undump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/OpCodes.h"
#include "script/lua/Strings.h"
#include "tests/script/ChunkBuilder.h"
#include "tests/script/ScriptState.h"

namespace {

// A main function with every kind of item: constants of each kind (a wide
// one with units whose bytes differ), locals, two levels of nested functions,
// one of them with a source of its own.
FunctionSpec RichMain() {
  FunctionSpec leaf;
  leaf.lineDefined = 4;
  leaf.nups = 2;
  leaf.upvalueNames = {"a", "b"};
  leaf.constants = {WideK(u"\u00e9\u20ac")};

  FunctionSpec inner;
  inner.lineDefined = 3;
  inner.nups = 1;
  inner.numparams = 1;
  inner.isVararg = 1;
  inner.maxStackSize = 3;
  inner.lines = {5};
  inner.locals = {{"x", 0, 1}, {"arg", 0, 1}};
  inner.upvalueNames = {"up"};
  inner.constants = {StringK("inner"), NumberK(-0.5)};
  inner.nested = {leaf};

  FunctionSpec other;
  other.source = "=other";
  other.lineDefined = -7;

  FunctionSpec main;
  main.source = "@rich.lua";
  main.maxStackSize = 4;
  main.lines = {9};
  main.locals = {{"t", 0, 1}};
  main.constants = {NilK(), NumberK(1e300), StringK(std::string("a\0b", 3)), WideK(u"hi"),
                    StringK("")};
  main.nested = {inner, other};
  return main;
}

class ScriptUndump : public ::testing::Test {
 protected:
  // The message of a load that must fail with a run-time error.
  std::string LoadError(const std::string& bytes, const char* name = "=chunk") {
    const StkId top = L->top;
    const int status = LoadChunk(L, bytes, name);
    const std::string result =
        status == LUA_ERRRUN ? TopString(L) : "status " + std::to_string(status);
    L->top = top;
    return result;
  }

  Proto* Load(const std::string& bytes, const char* name = "=chunk", size_t blocksize = 0) {
    const int status = LoadChunk(L, bytes, name, blocksize);
    EXPECT_EQ(status, 0) << TopString(L);
    return status == 0 ? TopProto(L) : nullptr;
  }

  ScriptState state;
  lua_State* L = state.L();
};

std::string Text(const LString* s) {
  return s == nullptr ? "<none>" : std::string(getstr(s), s->len);
}

TEST_F(ScriptUndump, ReadsEveryItemOfEveryFunction) {
  Proto* f = Load(Chunk(RichMain()));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(Text(f->source), "@rich.lua");
  EXPECT_EQ(f->maxstacksize, 4);
  ASSERT_EQ(f->sizelineinfo, 1);
  EXPECT_EQ(f->lineinfo[0], 9);
  ASSERT_EQ(f->sizelocvars, 1);
  EXPECT_EQ(Text(f->locvars[0].varname), "t");
  ASSERT_EQ(f->sizek, 5);
  EXPECT_TRUE(ttisnil(&f->k[0]));
  EXPECT_EQ(nvalue(&f->k[1]), 1e300);
  EXPECT_EQ(Text(tsvalue(&f->k[2])), std::string("a\0b", 3));
  ASSERT_TRUE(ttiswstring(&f->k[3]));
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wsvalue(&f->k[3])), 2), u"hi");
  EXPECT_EQ(Text(tsvalue(&f->k[4])), "");
  ASSERT_EQ(f->sizecode, 1);
  EXPECT_EQ(f->code[0], CREATE_ABC(OP_RETURN, 0, 1, 0));

  ASSERT_EQ(f->sizep, 2);
  const Proto* inner = f->p[0];
  EXPECT_EQ(inner->source, f->source) << "an absent source is the enclosing function's";
  EXPECT_EQ(inner->lineDefined, 3);
  EXPECT_EQ(inner->nups, 1);
  EXPECT_EQ(inner->numparams, 1);
  EXPECT_EQ(inner->is_vararg, 1);
  ASSERT_EQ(inner->sizeupvalues, 1);
  EXPECT_EQ(Text(inner->upvalues[0]), "up");
  ASSERT_EQ(inner->sizelocvars, 2);
  EXPECT_EQ(inner->locvars[1].startpc, 0);
  EXPECT_EQ(inner->locvars[1].endpc, 1);
  EXPECT_EQ(nvalue(&inner->k[1]), -0.5);
  ASSERT_EQ(inner->sizep, 1);
  EXPECT_EQ(inner->p[0]->source, f->source);
  EXPECT_EQ(Text(f->p[1]->source), "=other");
  EXPECT_EQ(f->p[1]->lineDefined, -7);
}

TEST_F(ScriptUndump, StringsAreInternedLikeEveryOtherString) {
  FunctionSpec main;
  main.source = "=s";
  main.constants = {StringK("shared"), WideK(u"shared")};
  Proto* f = Load(Chunk(main));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(tsvalue(&f->k[0]), luaS_new(L, "shared"));
  const char16_t units[] = u"shared";
  EXPECT_EQ(tsvalue(&f->k[1]), luaS_newlwstr(L, reinterpret_cast<const lua_WChar*>(units), 6));
}

TEST_F(ScriptUndump, TheOtherByteOrderSwapsEveryScalarAndWideUnit) {
  const std::string little = Chunk(RichMain());
  const std::string big = Chunk(RichMain(), true);
  ASSERT_NE(little, big);
  EXPECT_EQ(big[5], 0) << "the byte-order byte";
  Proto* f = Load(big);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(DumpChunk(L, f), little);
}

TEST_F(ScriptUndump, ChunksCutIntoAnyBlocksLoadAlike) {
  const std::string bytes = Chunk(RichMain());
  for (size_t blocksize : {1, 2, 3, 7, 64}) {
    Proto* f = Load(bytes, "=chunk", blocksize);
    ASSERT_NE(f, nullptr) << blocksize;
    EXPECT_EQ(DumpChunk(L, f), bytes) << blocksize;
    L->top--;
  }
}

// The header with the byte at `offset` replaced.
std::string Patched(std::string bytes, size_t offset, int value) {
  bytes[offset] = static_cast<char>(value);
  return bytes;
}

TEST_F(ScriptUndump, HeadersOfOtherMachinesAreRefused) {
  const std::string good = Chunk(FunctionSpec{});
  const struct {
    std::string bytes;
    std::string message;
  } cases[] = {
      {Patched(good, 1, 'l'), "bad signature in chunk"},
      {Patched(good, 4, 0x51), "chunk too new: read version 5.1; expected at most 5.0"},
      {Patched(good, 4, 0x61), "chunk too new: read version 6.1; expected at most 5.0"},
      {Patched(good, 4, 0x40), "chunk too old: read version 4.0; expected at least 5.0"},
      {Patched(good, 6, 8), "virtual machine mismatch in chunk: size of int is 4 but read 8"},
      {Patched(good, 7, 8), "virtual machine mismatch in chunk: size of size_t is 4 but read 8"},
      {Patched(good, 8, 2),
       "virtual machine mismatch in chunk: size of Instruction is 4 but read 2"},
      {Patched(good, 9, 7), "virtual machine mismatch in chunk: size of OP is 6 but read 7"},
      {Patched(good, 10, 9), "virtual machine mismatch in chunk: size of A is 8 but read 9"},
      {Patched(good, 11, 8), "virtual machine mismatch in chunk: size of B is 9 but read 8"},
      {Patched(good, 12, 0), "virtual machine mismatch in chunk: size of C is 9 but read 0"},
      {Patched(good, 13, 4), "virtual machine mismatch in chunk: size of number is 8 but read 4"},
      {Patched(good, 5, 0), "unknown number format in chunk"},
      {ChunkBuilder().Header().Bytes().substr(0, 14) + ChunkBuilder().Number(31415927.5).Bytes(),
       "unknown number format in chunk"},
      {ChunkBuilder().Header().Bytes().substr(0, 14) + std::string(8, '\xff'),
       "unknown number format in chunk"},
  };
  for (const auto& c : cases) EXPECT_EQ(LoadError(c.bytes), c.message);
}

TEST_F(ScriptUndump, MessagesNameTheChunkAsMessagesDo) {
  const std::string bad = Patched(Chunk(FunctionSpec{}), 2, 'X');
  const struct {
    const char* chunkname;
    std::string message;
  } cases[] = {
      {"@scripts/main.lua", "bad signature in scripts/main.lua"},
      {"=stdin", "bad signature in stdin"},
      {"\x1bLua\x50", "bad signature in binary string"},
      {"plain", "bad signature in plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(LoadError(bad, c.chunkname), c.message);
}

TEST_F(ScriptUndump, EveryTruncationIsAnUnexpectedEnd) {
  const std::string bytes = Chunk(RichMain());
  for (size_t size = 1; size < bytes.size(); size++) {
    EXPECT_EQ(LoadError(bytes.substr(0, size)), "unexpected end of file in chunk") << size;
    luaC_collectgarbage(L);  // frees what the failed load made
  }
}

// A chunk of a main function that returns, after `change` altered it.
template <class Change>
std::string ChunkWith(Change change) {
  FunctionSpec main;
  change(main);
  return Chunk(main);
}

constexpr int32_t kHuge = 0x7fffffff;

TEST_F(ScriptUndump, CountsBeyondTheChunkAllocateNothing) {
  const std::string cases[] = {
      ChunkWith([](FunctionSpec& f) { f.lineCount = kHuge; }),
      ChunkWith([](FunctionSpec& f) { f.localCount = kHuge; }),
      ChunkWith([](FunctionSpec& f) { f.constantCount = kHuge; }),
      ChunkWith([](FunctionSpec& f) { f.nestedCount = kHuge; }),
      ChunkWith([](FunctionSpec& f) { f.codeCount = kHuge; }),
      ChunkWith([](FunctionSpec& f) { f.nestedCount = 2; }),  // one function too few
      ChunkWith([](FunctionSpec& f) {
        f.constants = {StringK("s")};
        f.constants[0].count = 0xffffffffu;
      }),
      ChunkWith([](FunctionSpec& f) {
        f.constants = {WideK(u"w")};
        f.constants[0].count = 0x80000000u;
      }),
      ChunkWith([](FunctionSpec& f) {
        f.nups = 255;
        f.upvalueCount = 255;
      }),
  };
  for (const std::string& bytes : cases) {
    state.Allocator().largestRequest = 0;
    EXPECT_EQ(LoadError(bytes), "unexpected end of file in chunk");
    EXPECT_LT(state.Allocator().largestRequest, 4096u);
  }
}

TEST_F(ScriptUndump, MalformedItemsAreRefused) {
  const struct {
    std::string bytes;
    std::string message;
  } cases[] = {
      {ChunkWith([](FunctionSpec& f) { f.codeCount = -1; }), "bad integer in chunk"},
      {ChunkWith([](FunctionSpec& f) { f.lineCount = -5; }), "bad integer in chunk"},
      {ChunkWith([](FunctionSpec& f) { f.upvalueCount = -1; }), "bad integer in chunk"},
      {ChunkWith([](FunctionSpec& f) {
         f.nested = {FunctionSpec{}};
         f.nested[0].nups = 2;
         f.nested[0].upvalueNames = {"a"};
       }),
       "bad nupvalues in chunk: read 1; expected 2"},
      {ChunkWith([](FunctionSpec& f) { f.constants = {TypeOnlyK(LUA_TBOOLEAN)}; }),
       "bad constant type (1) in chunk"},
      {ChunkWith([](FunctionSpec& f) { f.constants = {TypeOnlyK(LUA_TTABLE)}; }),
       "bad constant type (5) in chunk"},
      {ChunkWith([](FunctionSpec& f) { f.constants = {TypeOnlyK(200)}; }),
       "bad constant type (200) in chunk"},
      // Names and constant texts are never absent in what the compiler makes.
      {ChunkWith([](FunctionSpec& f) {
         f.locals = {{std::nullopt, 0, 1}};
       }),
       "bad code in chunk"},
      {ChunkWith([](FunctionSpec& f) {
         f.nested = {FunctionSpec{}};
         f.nested[0].nups = 1;
         f.nested[0].upvalueNames = {std::nullopt};
       }),
       "bad code in chunk"},
      {ChunkWith([](FunctionSpec& f) {
         f.constants = {StringK("s")};
         f.constants[0].count = 0;
       }),
       "bad code in chunk"},
      {ChunkWith([](FunctionSpec& f) {
         f.constants = {WideK(u"w")};
         f.constants[0].count = 0;
       }),
       "bad code in chunk"},
  };
  for (const auto& c : cases) EXPECT_EQ(LoadError(c.bytes), c.message);
}

// A main function whose functions nest `depth` levels below it.
FunctionSpec Nested(int depth) {
  FunctionSpec f;
  f.source = "=deep";
  for (int i = 0; i < depth; i++) {
    FunctionSpec outer;
    outer.nested = {std::move(f)};
    f = std::move(outer);
  }
  return f;
}

Instruction MakeClosure(int nested) { return CREATE_ABx(OP_CLOSURE, 0, nested); }
Instruction Move(int a, int b) { return CREATE_ABC(OP_MOVE, a, b, 0); }
Instruction GetUpval(int a, int b) { return CREATE_ABC(OP_GETUPVAL, a, b, 0); }
Instruction Return() { return CREATE_ABC(OP_RETURN, 0, 1, 0); }

// A function of four registers running `code`, with one nested function of
// `nups` upvalues.
FunctionSpec Captures(std::vector<Instruction> code, int nups) {
  FunctionSpec f;
  f.maxStackSize = 4;
  f.code = std::move(code);
  f.nested = {FunctionSpec{}};
  f.nested[0].nups = nups;
  return f;
}

TEST_F(ScriptUndump, FunctionsThatCouldNotRunAreRefused) {
  const struct {
    std::string bytes;
    bool loads;
  } cases[] = {
      // The main function is wrapped in a closure without upvalues.
      {ChunkWith([](FunctionSpec& f) {
         f.nups = 1;
         f.upvalueNames = {"u"};
       }),
       false},
      {ChunkWith([](FunctionSpec& f) { f.nups = 1; }), false},
      // Parameters and the table of extra arguments must fit in the frame.
      {ChunkWith([](FunctionSpec& f) {
         f.numparams = 2;
         f.maxStackSize = 2;
       }),
       true},
      {ChunkWith([](FunctionSpec& f) {
         f.numparams = 2;
         f.isVararg = 1;
         f.maxStackSize = 2;
       }),
       false},
      {ChunkWith([](FunctionSpec& f) {
         f.numparams = 3;
         f.maxStackSize = 2;
       }),
       false},
      {ChunkWith([](FunctionSpec& f) {
         f.nested = {FunctionSpec{}};
         f.nested[0].isVararg = 1;
         f.nested[0].maxStackSize = 0;
       }),
       false},
      {Chunk(Nested(200)), true},
      {Chunk(Nested(201)), false},
      // The instructions that name a closure's upvalues.
      {Chunk(Captures({MakeClosure(0), Move(0, 1), Return()}, 1)), true},
      {Chunk(Captures({MakeClosure(0), Move(0, 3), Move(0, 1), Return()}, 2)), true},
      {Chunk(Captures({MakeClosure(0), Move(0, 4), Return()}, 1)), false},
      {Chunk(Captures({MakeClosure(0), Move(4, 0), Return()}, 1)), false},
      {Chunk(Captures({MakeClosure(0), GetUpval(0, 0), Return()}, 1)), false},
      {Chunk(Captures({MakeClosure(0), CREATE_ABC(OP_LOADNIL, 0, 0, 0), Return()}, 1)), false},
      {Chunk(Captures({MakeClosure(0), Return()}, 1)), false},
      {Chunk(Captures({Return(), MakeClosure(0)}, 1)), false},
      {Chunk(Captures({MakeClosure(1), Return()}, 0)), false},
      {ChunkWith([](FunctionSpec& f) {
         f.nested = {Captures({MakeClosure(0), GetUpval(0, 0), Return()}, 1)};
         f.nested[0].nups = 1;
       }),
       true},
      {ChunkWith([](FunctionSpec& f) {
         f.nested = {Captures({MakeClosure(0), GetUpval(0, 1), Return()}, 1)};
         f.nested[0].nups = 1;
       }),
       false},
  };
  for (const auto& c : cases) {
    if (c.loads) {
      EXPECT_NE(Load(c.bytes), nullptr);
      L->top--;
    } else {
      EXPECT_EQ(LoadError(c.bytes), "bad code in chunk");
    }
  }
}

TEST_F(ScriptUndump, AMainFunctionWithoutSourceIsNamedAfterTheChunk) {
  FunctionSpec main;
  main.nested = {FunctionSpec{}};
  Proto* f = Load(Chunk(main), "@scripts/x.lua");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(Text(f->source), "@scripts/x.lua");
  EXPECT_EQ(f->p[0]->source, f->source);
}

TEST_F(ScriptUndump, LoadedFunctionsSurviveCollections) {
  Proto* f = Load(Chunk(RichMain()));
  ASSERT_NE(f, nullptr);
  const std::string before = DumpChunk(L, f);
  luaC_setstress(L, true);
  luaC_collectgarbage(L);
  luaC_checkGC(L);
  luaC_setstress(L, false);
  EXPECT_EQ(DumpChunk(L, f), before);
}

TEST_F(ScriptUndump, RunningOutOfMemoryAnywhereFailsCleanly) {
  const std::string bytes = Chunk(RichMain());
  bool loaded = false;
  for (int n = 1; !loaded && n < 1000; n++) {
    state.Allocator().failAt = state.Allocator().allocations + n;
    const StkId top = L->top;
    const int status = LoadChunk(L, bytes, "=chunk", 5);
    state.Allocator().failAt = 0;
    if (status == 0) {
      loaded = true;
      EXPECT_EQ(DumpChunk(L, TopProto(L)), bytes);
    } else {
      EXPECT_EQ(status, LUA_ERRMEM) << n;
      EXPECT_EQ(TopString(L), "not enough memory");
    }
    L->top = top;
    luaC_collectgarbage(L);
  }
  EXPECT_TRUE(loaded);
}

// The error handler of an enclosing protected call is for running code: a
// load inside it reports its own message.
TEST_F(ScriptUndump, LoadErrorsSkipTheEnclosingErrorHandler) {
  static int handled;
  handled = 0;
  PushCFunction(L, [](lua_State*) {
    handled++;
    return 1;
  });
  const ptrdiff_t handler = savestack(L, L->top - 1);
  PushCFunction(L, [](lua_State* L) {
    LoadChunk(L, "\x1bLuaX");
    return 1;
  });
  ASSERT_EQ(PCall(L, 0, 1, handler), 0);
  EXPECT_EQ(TopString(L), "chunk too new: read version 5.8; expected at most 5.0");
  EXPECT_EQ(handled, 0);
}

}  // namespace
