#include "script/lua/Memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "script/lua/Calls.h"
#include "script/lua/Debug.h"
#include "script/lua/State.h"
#include "system/os/LargePages.h"

void luaM_toobig(lua_State* L) {
  luaG_runerror(L, "memory allocation error: block too big");
}

namespace {

bool issmall(size_t size) { return size > 0 && size <= SmallBlocks::kLargest; }

// The default allocator's work with its small blocks taken from the
// interpreter's slabs; a block moves between slabs and the allocator when its
// size crosses SmallBlocks::kLargest.
void* reallocsmall(lua_State* L, void* block, size_t oldsize, size_t size) {
  global_State* g = G(L);
  SmallBlocks& blocks = g->smallblocks;
  const bool wassmall = block != nullptr && issmall(oldsize);
  if (!wassmall && !issmall(size)) {
    return g->alloc(g->allocud, block, oldsize, size, 0, L->allockind);
  }
  if (wassmall && issmall(size) && SmallBlocks::SameClass(oldsize, size)) return block;
  void* moved = nullptr;
  if (size > 0) {
    moved = issmall(size) ? blocks.Allocate(size)
                          : g->alloc(g->allocud, nullptr, 0, size, 0, L->allockind);
    if (moved == nullptr) return nullptr;
    if (block != nullptr) memcpy(moved, block, std::min(oldsize, size));
  }
  if (wassmall) {
    blocks.Release(block, oldsize);
  } else if (block != nullptr) {
    g->alloc(g->allocud, block, oldsize, 0, 0, L->allockind);
  }
  return moved;
}

}  // namespace

void* luaM_realloc(lua_State* L, void* block, size_t oldsize, size_t size) {
  if (size >= MAX_SIZET) luaM_toobig(L);
  global_State* g = G(L);
  void* result = g->usesmallblocks ? reallocsmall(L, block, oldsize, size)
                                   : g->alloc(g->allocud, block, oldsize, size, 0, L->allockind);
  if (size == 0) {
    result = nullptr;
  } else if (result == nullptr) {
    luaD_throw(L, LUA_ERRMEM);
  }
  g->nblocks += size;
  g->nblocks -= oldsize;
  return result;
}

void* luaM_growaux(lua_State* L, void* block, int* size, size_t size_elem, int limit,
                   const char* errormsg) {
  int newsize;
  if (*size >= limit / 2) {
    if (*size >= limit - MINSIZEARRAY) luaG_runerror(L, "%s", errormsg);
    newsize = limit;
  } else {
    newsize = *size * 2;
    if (newsize < MINSIZEARRAY) newsize = MINSIZEARRAY;
  }
  if (static_cast<size_t>(newsize) > MAX_SIZET / size_elem) luaM_toobig(L);
  void* grown = luaM_realloc(L, block, static_cast<size_t>(*size) * size_elem,
                             static_cast<size_t>(newsize) * size_elem);
  *size = newsize;
  return grown;
}

namespace {

// Blocks of at least a large page (the array of a large table, the string
// table's chains) are ranges of large pages of their own, so filling them
// costs a page fault per large page instead of per small one, and growing
// them moves their pages instead of copying their bytes. The sizes the
// interpreter passes tell which blocks are such ranges.
bool islarge(size_t size) { return size >= sys::kLargePageBytes; }

size_t largerange(size_t size) {
  return (size + sys::kLargePageBytes - 1) & ~(sys::kLargePageBytes - 1);
}

// A block that crosses the large-block size: moved to its new kind.
void* movekind(void* block, size_t oldsize, size_t newsize) {
  void* moved = islarge(newsize) ? sys::MapLargePages(largerange(newsize)) : malloc(newsize);
  if (moved == nullptr) return nullptr;
  if (block != nullptr) memcpy(moved, block, std::min(oldsize, newsize));
  if (block == nullptr) return moved;
  if (islarge(oldsize)) {
    sys::UnmapLargePages(block, largerange(oldsize));
  } else {
    free(block);
  }
  return moved;
}

}  // namespace

void* luaM_defaultalloc(void*, void* block, size_t oldsize, size_t newsize, int, uint32_t) {
  if (block == nullptr) oldsize = 0;
  if (newsize == 0) {
    if (islarge(oldsize)) {
      sys::UnmapLargePages(block, largerange(oldsize));
    } else {
      free(block);
    }
    return nullptr;
  }
  if (islarge(oldsize) && islarge(newsize)) {
    return sys::ResizeLargePages(block, largerange(oldsize), largerange(newsize));
  }
  if (islarge(oldsize) || islarge(newsize)) return movekind(block, oldsize, newsize);
  return block == nullptr ? malloc(newsize) : realloc(block, newsize);
}
