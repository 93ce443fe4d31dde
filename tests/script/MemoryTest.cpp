#include "script/lua/Memory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/script/ScriptState.h"

namespace {

struct GrowCase {
  int size;
  int limit;
  int expected;  // 0: the limit message is raised
};

TEST(ScriptMemory, VectorsGrowByDoublingUpToTheLimit) {
  const GrowCase cases[] = {
      {0, 262143, 4},           {1, 262143, 4},           {3, 262143, 6},
      {100, 262143, 200},       {131070, 262143, 262140}, {131071, 262143, 262143},
      {262138, 262143, 262143}, {262139, 262143, 0},      {262143, 262143, 0},
  };
  for (const GrowCase& c : cases) {
    ScriptState state;
    lua_State* L = state.L();
    int size = c.size;
    char* block = luaM_newvector<char>(L, static_cast<size_t>(size));
    const int status = RunProtected(L, [&](lua_State* L) {
      block = static_cast<char*>(luaM_growaux(L, block, &size, 1, c.limit, "code size overflow"));
    });
    if (c.expected == 0) {
      EXPECT_EQ(status, LUA_ERRRUN) << c.size;
      EXPECT_EQ(TopString(L), "code size overflow");
      EXPECT_EQ(size, c.size) << "a refused grow keeps the old size";
    } else {
      EXPECT_EQ(status, 0) << c.size;
      EXPECT_EQ(size, c.expected) << c.size;
    }
    luaM_freearray(L, block, static_cast<size_t>(size));
  }
}

TEST(ScriptMemory, ByteCountFollowsEveryChange) {
  ScriptState state;
  lua_State* L = state.L();
  const lu_mem before = G(L)->nblocks;
  void* block = luaM_realloc(L, nullptr, 0, 100);
  EXPECT_EQ(G(L)->nblocks, before + 100);
  block = luaM_realloc(L, block, 100, 40);
  EXPECT_EQ(G(L)->nblocks, before + 40);
  EXPECT_EQ(luaM_realloc(L, block, 40, 0), nullptr);
  EXPECT_EQ(G(L)->nblocks, before);
}

TEST(ScriptMemory, AFailedAllocationIsTheMemoryErrorAndChangesNothing) {
  ScriptState state;
  lua_State* L = state.L();
  int size = 8;
  int* vector = luaM_newvector<int>(L, 8);
  const lu_mem before = G(L)->nblocks;
  state.Allocator().failAll = true;
  const int status = RunProtected(L, [&](lua_State* L) {
    vector = static_cast<int*>(luaM_growaux(L, vector, &size, sizeof(int), 1000, "too many"));
  });
  state.Allocator().failAll = false;
  EXPECT_EQ(status, LUA_ERRMEM);
  EXPECT_EQ(size, 8);
  EXPECT_EQ(G(L)->nblocks, before);
  luaM_freearray(L, vector, 8);
}

TEST(ScriptMemory, ReleasingNeverThrows) {
  ScriptState state;
  lua_State* L = state.L();
  void* block = luaM_realloc(L, nullptr, 0, 64);
  state.Allocator().failAll = true;
  EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaM_realloc(L, block, 64, 0); }), 0);
  state.Allocator().failAll = false;
}

// Every few thousandth byte, so the pages of a large block are all looked at.
void StampSparse(unsigned char* block, size_t size, unsigned char seed) {
  for (size_t i = 0; i < size; i += 4093) block[i] = static_cast<unsigned char>(i / 4093 + seed);
}

bool SparseStampKept(const unsigned char* block, size_t size, unsigned char seed) {
  for (size_t i = 0; i < size; i += 4093) {
    if (block[i] != static_cast<unsigned char>(i / 4093 + seed)) return false;
  }
  return true;
}

TEST(ScriptMemory, TheDefaultAllocatorKeepsBytesAcrossTheLargeBlockSize) {
  constexpr size_t kMiB = 1024 * 1024;
  // Small to large, large growing and shrinking, and back to small.
  const size_t sizes[] = {1000, 2 * kMiB, 3 * kMiB - 5, 9 * kMiB, 4 * kMiB, 2 * kMiB - 1, 300};
  unsigned char* block = nullptr;
  size_t size = 0;
  unsigned char seed = 1;
  for (size_t next : sizes) {
    block = static_cast<unsigned char*>(luaM_defaultalloc(nullptr, block, size, next, 0, 0));
    ASSERT_NE(block, nullptr) << next;
    EXPECT_TRUE(SparseStampKept(block, std::min(size, next), seed)) << size << " to " << next;
    block[next - 1] = 1;  // the last byte is there to write
    seed++;
    StampSparse(block, next, seed);
    size = next;
  }
  EXPECT_EQ(luaM_defaultalloc(nullptr, block, size, 0, 0, 0), nullptr);
}

TEST(ScriptMemory, HugeBlocksAreRefusedBeforeTheAllocator) {
  ScriptState state;
  lua_State* L = state.L();
  for (size_t size : {MAX_SIZET, static_cast<size_t>(UINT32_MAX), SIZE_MAX}) {
    EXPECT_EQ(RunProtected(L, [&](lua_State* L) { luaM_realloc(L, nullptr, 0, size); }),
              LUA_ERRRUN);
    EXPECT_EQ(TopString(L), "memory allocation error: block too big");
  }
  EXPECT_LT(state.Allocator().largestRequest, 1000000u);
}

}  // namespace
