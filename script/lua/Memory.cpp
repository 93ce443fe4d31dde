#include "script/lua/Memory.h"

#include <cstdlib>

#include "script/lua/Calls.h"
#include "script/lua/Debug.h"
#include "script/lua/State.h"

void luaM_toobig(lua_State* L) {
  luaG_runerror(L, "memory allocation error: block too big");
}

void* luaM_realloc(lua_State* L, void* block, size_t oldsize, size_t size) {
  if (size >= MAX_SIZET) luaM_toobig(L);
  global_State* g = G(L);
  void* result = g->alloc(g->allocud, block, oldsize, size, 0, L->allockind);
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

void* luaM_defaultalloc(void*, void* block, size_t, size_t newsize, int, uint32_t) {
  if (newsize == 0) {
    free(block);
    return nullptr;
  }
  return block == nullptr ? malloc(newsize) : realloc(block, newsize);
}
