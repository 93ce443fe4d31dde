#include "script/lua/SmallBlocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "script/lua/Memory.h"
#include "script/lua/State.h"

namespace {

struct Held {
  unsigned char* block;
  size_t size;
};

// Fills a block with a pattern of its own, so overlapping blocks show.
void Stamp(const Held& h) { memset(h.block, static_cast<int>(h.size & 0xFF), h.size); }

bool StillStamped(const Held& h) {
  return std::all_of(h.block, h.block + h.size,
                     [&](unsigned char c) { return c == (h.size & 0xFF); });
}

TEST(ScriptSmallBlocks, BlocksOfEverySizeAreAlignedAndApart) {
  SmallBlocks blocks;
  std::vector<Held> held;
  for (int round = 0; round < 40; round++) {
    for (size_t size = 1; size <= SmallBlocks::kLargest; size++) {
      Held h{static_cast<unsigned char*>(blocks.Allocate(size)), size};
      ASSERT_NE(h.block, nullptr);
      EXPECT_EQ(reinterpret_cast<uintptr_t>(h.block) % 16, 0u);
      Stamp(h);
      held.push_back(h);
    }
  }
  std::set<unsigned char*> distinct;
  for (const Held& h : held) {
    EXPECT_TRUE(StillStamped(h)) << "block of " << h.size << " overwritten";
    distinct.insert(h.block);
  }
  EXPECT_EQ(distinct.size(), held.size());
  for (const Held& h : held) blocks.Release(h.block, h.size);
}

TEST(ScriptSmallBlocks, SlabsGoBackAsTheirBlocksDo) {
  SmallBlocks blocks;
  std::vector<Held> held;
  for (int i = 0; i < 20000; i++) {
    held.push_back({static_cast<unsigned char*>(blocks.Allocate(48)), 48});
  }
  const size_t grown = blocks.Slabs();
  EXPECT_GE(grown, 10u);
  // Released in an order of their own, with new blocks taken in between.
  std::shuffle(held.begin(), held.end(), std::mt19937(7));
  for (size_t i = 0; i < held.size(); i++) {
    blocks.Release(held[i].block, held[i].size);
    if (i % 100 == 0) {
      Held h{static_cast<unsigned char*>(blocks.Allocate(40)), 40};
      Stamp(h);
      held.push_back(h);
      for (size_t j = i + 1; j < held.size(); j++) {
        if (held[j].size == 40) {
          ASSERT_TRUE(StillStamped(held[j]));
        }
      }
    }
  }
  EXPECT_LE(blocks.Slabs(), 1u) << "only the slab blocks are taken from stays";
}

TEST(ScriptSmallBlocks, RegionsGoBackWhenTheirSlabsDo) {
  SmallBlocks blocks;
  std::vector<Held> held;
  for (int i = 0; i < 300000; i++) {  // some 14 MiB of blocks of two classes
    const size_t size = i % 2 == 0 ? 48 : 32;
    held.push_back({static_cast<unsigned char*>(blocks.Allocate(size)), size});
  }
  EXPECT_GE(blocks.Regions(), 5u);
  std::shuffle(held.begin(), held.end(), std::mt19937(11));
  for (const Held& h : held) blocks.Release(h.block, h.size);
  EXPECT_LE(blocks.Regions(), 3u) << "only the regions of the two classes' slabs blocks are taken from, "
                                     "and one kept for the next burst, stay";
  // Memory given back serves again.
  Held again{static_cast<unsigned char*>(blocks.Allocate(100)), 100};
  ASSERT_NE(again.block, nullptr);
  Stamp(again);
  EXPECT_TRUE(StillStamped(again));
  blocks.Release(again.block, again.size);
}

TEST(ScriptSmallBlocks, SizesShareAClassWithinSixteenBytes) {
  EXPECT_TRUE(SmallBlocks::SameClass(1, 16));
  EXPECT_TRUE(SmallBlocks::SameClass(17, 32));
  EXPECT_FALSE(SmallBlocks::SameClass(16, 17));
  EXPECT_FALSE(SmallBlocks::SameClass(240, 256));
}

TEST(ScriptSmallBlocks, TheDefaultAllocatorKeepsABlocksBytesAcrossTheSmallLimit) {
  lua_State* L = lua_open();
  ASSERT_NE(L, nullptr);
  ASSERT_TRUE(G(L)->usesmallblocks);
  const lu_mem before = G(L)->nblocks;
  const size_t sizes[] = {10, 12, 100, 256, 257, 1000, 200, 20, 300, 5};
  char* block = nullptr;
  size_t size = 0;
  for (size_t next : sizes) {
    block = static_cast<char*>(luaM_realloc(L, block, size, next));
    for (size_t i = 0; i < std::min(size, next); i++) ASSERT_EQ(block[i], static_cast<char>(i)) << next;
    for (size_t i = 0; i < next; i++) block[i] = static_cast<char>(i);
    size = next;
  }
  EXPECT_EQ(G(L)->nblocks, before + size) << "the count follows the sizes asked for";
  luaM_realloc(L, block, size, 0);
  EXPECT_EQ(G(L)->nblocks, before);
  lua_close(L);
}

}  // namespace
