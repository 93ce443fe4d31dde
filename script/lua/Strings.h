#pragma once

#include <cstring>

#include "script/lua/Object.h"
#include "script/lua/State.h"

// Interned strings and full userdata. Byte strings and wide strings share one
// string table: equal text of the same kind is always the same object, so
// equality and table lookup are pointer comparisons. A byte string and a wide
// string never match, whatever their characters.

// Hash of a text: sampled, at most 32 characters, unsigned 32-bit arithmetic.
lu_hash luaS_hash(const char* text, size_t len);
lu_hash luaS_whash(const lua_WChar* units, size_t len);

LString* luaS_newlstr(lua_State* L, const char* text, size_t len);
LString* luaS_newlwstr(lua_State* L, const lua_WChar* units, size_t len);
inline LString* luaS_new(lua_State* L, const char* text) {
  return luaS_newlstr(L, text, strlen(text));
}
// A byte string of len bytes, not interned yet, whose text the caller writes
// in place and then hands to luaS_adopt, so a long text is not built apart
// and copied. Nothing that can raise an error may come in between: the block
// would be lost.
LString* luaS_newblank(lua_State* L, size_t len);
// Interns a string made by luaS_newblank: returns it, or the equal string
// interned before it, and then frees it.
LString* luaS_adopt(lua_State* L, LString* ts);

// New full userdata of `size` data bytes (rounded up to even), with the
// per-type metatable of userdata, linked on the userdata list.
Udata* luaS_newudata(lua_State* L, size_t size);
// New boxed pointer: a userdata holding p, marked by its stored length 1.
Udata* luaS_newboxedpointer(lua_State* L, void* p);

// Rehashes every chain into `newsize` heads (a power of two).
void luaS_resize(lua_State* L, int newsize);
// Releases the chain array (the strings are freed by the collector).
void luaS_freeall(lua_State* L);

// Asks for the first string of the chain some way ahead of chain i, so a
// walk over every chain (a sweep, a resize) need not wait for each in turn.
inline void luaS_prefetchchain(const stringtable* tb, int i) {
  constexpr int kAhead = 32;
  if (i + kAhead < tb->size) __builtin_prefetch(tb->hash[i + kAhead]);
}

// The bit a string with this hash sets in its chain's signature.
inline uint32_t luaS_signature(lu_hash h) { return 1u << ((h * 0x9e3779b1u) >> 27); }

// Bytes of the block holding a string of its kind and length.
size_t luaS_blocksize(const LString* ts);

inline void luaS_fix(GCObject* o) { o->marked |= FIXEDBIT; }
