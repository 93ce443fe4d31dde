#pragma once

#include "script/lua/Object.h"

// Tables: an array part for the integer keys 1..sizearray and a hash part of
// nodes with chained collisions. The sizes, main positions, collision moves
// and rehash are fixed, so a given sequence of insertions always gives the
// same order of `next`.
//
// Setting a value to nil leaves the key in place with a nil value: `next`
// skips it and the next rehash drops it. So clearing keys while traversing
// with `next` is safe; adding keys during a traversal is not.

// New table with narray array slots and 2^lnhash hash nodes (none for 0);
// more than 2^24 of either raises "table overflow". Its metatable is the
// default metatable.
Table* luaH_new(lua_State* L, size_t narray, int lnhash);
void luaH_free(lua_State* L, Table* t);

// Lookups; a missing key gives &luaO_nilobject.
const TObject* luaH_get(Table* t, const TObject* key);
const TObject* luaH_getnum(Table* t, int key);
// Byte-string keys are the most common of all: their chain walk is inline.
inline const TObject* luaH_getstr(Table* t, LString* key) {
  const lu_hash mask = static_cast<lu_hash>(sizenode(t) - 1);
  for (Node* n = gnode(t, static_cast<int>(key->hash & mask)); n != nullptr; n = n->next) {
    if (ttisstring(gkey(n)) && tsvalue(gkey(n)) == key) return gval(n);
  }
  return &luaO_nilobject;
}
const TObject* luaH_getwstr(Table* t, LString* key);
// The array slot of key when it is an integral number within t's array
// part, else null.
inline TObject* luaH_arrayslot(Table* t, const TObject* key) {
  if (!ttisnumber(key)) return nullptr;
  const lua_Number n = nvalue(key);
  if (!(n >= 1 && n <= t->sizearray)) return nullptr;  // in range before the conversion
  const int k = static_cast<int>(n);
  return k == n ? &t->array[k - 1] : nullptr;
}
// luaH_get with the array part looked up inline and byte strings sent
// straight to their lookup, for the machine's indexing.
inline const TObject* luaH_fastget(Table* t, const TObject* key) {
  if (ttisstring(key)) return luaH_getstr(t, tsvalue(key));
  if (const TObject* slot = luaH_arrayslot(t, key)) return slot;
  return luaH_get(t, key);
}

// The slot for key, created (with a nil value) when missing; may rehash.
// Raises "table index is nil" and "table index is NaN". Both forget the
// table's cached absence of metamethods, since the caller is about to store.
TObject* luaH_set(lua_State* L, Table* t, const TObject* key);
TObject* luaH_setnum(lua_State* L, Table* t, int key);

// Replaces key (at key[0]) by the next key with a non-nil value and writes its
// value at key[1]; returns 0 after the last one. A key not in the table
// raises "invalid key for `next'".
int luaH_next(lua_State* L, Table* t, StkId key);

Node* luaH_mainposition(Table* t, const TObject* key);
