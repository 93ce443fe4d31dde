#include "script/lua/Stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/lua/State.h"
#include "tests/script/ScriptState.h"

namespace {

// Hands out the given blocks one by one, then the end.
struct BlockReader {
  std::vector<std::string> blocks;
  size_t next = 0;
  int calls = 0;

  static const char* Read(lua_State* L, void* ud, size_t* size) {
    EXPECT_EQ(L, nullptr) << "readers get no state";
    auto* self = static_cast<BlockReader*>(ud);
    self->calls++;
    if (self->next == self->blocks.size()) return nullptr;
    const std::string& block = self->blocks[self->next++];
    *size = block.size();
    return block.data();
  }
};

struct Stream {
  explicit Stream(std::vector<std::string> blocks) : reader{std::move(blocks)} {
    luaZ_init(&z, BlockReader::Read, &reader, "=test");
  }
  BlockReader reader;
  ZIO z;
};

std::string ReadAll(ZIO* z) {
  std::string out;
  for (int c; (c = zgetc(z)) != EOZ;) out += static_cast<char>(c);
  return out;
}

// Every way of cutting text into blocks.
std::vector<std::vector<std::string>> Splittings(const std::string& text) {
  std::vector<std::vector<std::string>> result;
  const unsigned cuts = text.size() > 1 ? static_cast<unsigned>(text.size() - 1) : 0;
  for (unsigned mask = 0; mask < (1u << cuts); mask++) {
    std::vector<std::string> blocks(1);
    for (size_t i = 0; i < text.size(); i++) {
      blocks.back() += text[i];
      if (i < cuts && (mask & (1u << i))) blocks.emplace_back();
    }
    result.push_back(blocks);
  }
  return result;
}

TEST(ScriptStream, BytesComeAcrossBlocksUntilTheEnd) {
  Stream s({"ab", "c", "def"});
  EXPECT_STREQ(zname(&s.z), "=test");
  EXPECT_EQ(s.z.wide, 0);
  EXPECT_EQ(luaZ_lookahead(&s.z), 'a');
  EXPECT_EQ(ReadAll(&s.z), "abcdef");
  EXPECT_EQ(luaZ_lookahead(&s.z), EOZ);
  Stream early({"ab", "", "cd"});
  EXPECT_EQ(ReadAll(&early.z), "ab") << "an empty block ends the stream";
}

TEST(ScriptStream, SixteenBitLookAheadSpansEveryBlockBoundary) {
  const std::string text("\xFF\xFE" "A\0B\0", 6);
  for (const std::vector<std::string>& blocks : Splittings(text)) {
    Stream s(blocks);
    std::vector<int> units;
    for (int u; (u = luaZ_lookahead16(&s.z)) != EOZ;) {
      EXPECT_EQ(luaZ_lookahead16(&s.z), u) << "looking again changes nothing";
      units.push_back(u);
      zgetc(&s.z);
      zgetc(&s.z);
    }
    EXPECT_EQ(units, (std::vector<int>{0xFEFF, 'A', 'B'})) << blocks.size() << " blocks";
    EXPECT_EQ(zgetc(&s.z), EOZ);
  }
}

TEST(ScriptStream, LookAheadLeavesEveryByteReadable) {
  const std::string text("\xFF" "xyz", 4);
  for (const std::vector<std::string>& blocks : Splittings(text)) {
    Stream s(blocks);
    EXPECT_EQ(luaZ_lookahead16(&s.z), 'x' << 8 | 0xFF);
    EXPECT_EQ(zgetc(&s.z), 0xFF);
    EXPECT_EQ(luaZ_lookahead16(&s.z), 'y' << 8 | 'x');
    EXPECT_EQ(ReadAll(&s.z), "xyz");
  }
  Stream single({"\xFF"});
  EXPECT_EQ(luaZ_lookahead16(&single.z), EOZ) << "one byte is no unit";
  EXPECT_EQ(zgetc(&single.z), 0xFF) << "but stays readable";
  EXPECT_EQ(zgetc(&single.z), EOZ);
  Stream odd({"ab", "c"});
  EXPECT_EQ(luaZ_lookahead16(&odd.z), 'b' << 8 | 'a');
  zgetc(&odd.z);
  zgetc(&odd.z);
  EXPECT_EQ(luaZ_lookahead16(&odd.z), EOZ);
  EXPECT_EQ(ReadAll(&odd.z), "c");
}

TEST(ScriptStream, ReadCopiesAcrossBlocksAndCountsWhatIsMissing) {
  Stream s({"abc", "de", "fgh"});
  char out[8] = {};
  EXPECT_EQ(luaZ_read(&s.z, out, 1), 0u);
  EXPECT_EQ(luaZ_lookahead16(&s.z), 'c' << 8 | 'b');
  EXPECT_EQ(luaZ_read(&s.z, out, 6), 0u);
  EXPECT_EQ(std::string(out, 6), "bcdefg");
  EXPECT_EQ(luaZ_read(&s.z, out, 4), 3u);
  EXPECT_EQ(out[0], 'h');
}

TEST(ScriptStream, TextBufferGrowsToAtLeast32BytesAsATextBuffer) {
  ScriptState state;
  lua_State* L = state.L();
  Mbuffer buff;
  luaZ_initbuffer(&buff);
  luaZ_openspace(L, &buff, 5);
  EXPECT_EQ(luaZ_sizebuffer(&buff), 32u);
  EXPECT_EQ(state.Allocator().lastKind, 1u) << "the allocator hears it is a text buffer";
  EXPECT_EQ(L->allockind, 0u) << "and the state word is restored";
  char* before = luaZ_buffer(&buff);
  EXPECT_EQ(luaZ_openspace(L, &buff, 32), before) << "big enough: unchanged";
  luaZ_openspace(L, &buff, 100);
  EXPECT_EQ(luaZ_sizebuffer(&buff), 100u);
  state.Allocator().failAll = true;
  EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaZ_openspace(L, &buff, 1000); }), LUA_ERRMEM);
  state.Allocator().failAll = false;
  EXPECT_EQ(L->allockind, 0u) << "restored when the growth fails too";
  EXPECT_EQ(luaZ_sizebuffer(&buff), 100u);
  luaZ_freebuffer(L, &buff);
  EXPECT_EQ(luaZ_sizebuffer(&buff), 0u);
}

}  // namespace
