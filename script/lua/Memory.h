#pragma once

#include <new>

#include "script/lua/Limits.h"
#include "script/lua/Lua.h"

// The memory entry: every allocation, resize and release of the interpreter
// goes through luaM_realloc, which calls the global state's allocator, keeps
// the byte count that drives the collector and turns a failure into the
// memory error. Vectors grow through luaM_growaux by doubling.

// Returns the resized block (null for a new size of 0). A size of MAX_SIZET
// or more raises "memory allocation error: block too big"; an allocator
// failure throws LUA_ERRMEM. Releasing never throws. The byte count changes
// only after the allocator succeeded.
void* luaM_realloc(lua_State* L, void* block, size_t oldsize, size_t size);

// Grows the vector `block` of *size elements: doubled, at least MINSIZEARRAY;
// from half of `limit` on straight to `limit`, and within MINSIZEARRAY of it
// the run-time error `errormsg`. *size changes only when the block did.
void* luaM_growaux(lua_State* L, void* block, int* size, size_t size_elem, int limit,
                   const char* errormsg);

// Raises "memory allocation error: block too big".
[[noreturn]] void luaM_toobig(lua_State* L);

// The allocator lua_open installs: the C library's realloc, and free for 0;
// blocks of 2 MiB or more are ranges of large pages taken from the system,
// so the old size passed must be the block's own.
void* luaM_defaultalloc(void* ud, void* block, size_t oldsize, size_t newsize, int reserved,
                        uint32_t allockind);

template <class T>
size_t luaM_vectorbytes(lua_State* L, size_t n) {
  if (n > MAX_SIZET / sizeof(T)) luaM_toobig(L);
  return n * sizeof(T);
}

// A zero-initialised object of type T in a block of `size` bytes (at least
// sizeof(T)); the bytes after the struct are left for the caller.
template <class T>
T* luaM_newobject(lua_State* L, size_t size = sizeof(T)) {
  return new (luaM_realloc(L, nullptr, 0, size)) T{};
}

template <class T>
void luaM_freeobject(lua_State* L, T* block, size_t size = sizeof(T)) {
  luaM_realloc(L, block, size, 0);
}

template <class T>
T* luaM_newvector(lua_State* L, size_t n) {
  return static_cast<T*>(luaM_realloc(L, nullptr, 0, luaM_vectorbytes<T>(L, n)));
}

template <class T>
void luaM_freearray(lua_State* L, T* block, size_t n) {
  luaM_realloc(L, block, n * sizeof(T), 0);
}

template <class T>
void luaM_reallocvector(lua_State* L, T*& v, size_t oldn, size_t n) {
  v = static_cast<T*>(luaM_realloc(L, v, oldn * sizeof(T), luaM_vectorbytes<T>(L, n)));
}

// Makes room for element number nelems (counted from 0) of v.
template <class T>
void luaM_growvector(lua_State* L, T*& v, int nelems, int& size, int limit, const char* errormsg) {
  if (nelems + 1 > size) v = static_cast<T*>(luaM_growaux(L, v, &size, sizeof(T), limit, errormsg));
}
