#pragma once

#include "script/lua/Object.h"

// Closures, upvalues and function prototypes.

inline size_t sizeCclosure(int n) { return sizeof(CClosure) + sizeof(TObject) * n; }
inline size_t sizeLclosure(int n) { return sizeof(LClosure) + sizeof(UpVal*) * n; }

// A C closure with room for nelems upvalues (left for the caller to fill).
Closure* luaF_newCclosure(lua_State* L, int nelems);
// A Lua closure with environment e and nelems upvalue pointers, all null.
Closure* luaF_newLclosure(lua_State* L, int nelems, const TObject* e);
void luaF_freeclosure(lua_State* L, Closure* c);

// The open upvalue of the given stack slot, made when there is none yet.
UpVal* luaF_findupval(lua_State* L, StkId level);
// Closes every open upvalue at or above level: each keeps a copy of its value
// and joins the collector's list.
void luaF_close(lua_State* L, StkId level);

Proto* luaF_newproto(lua_State* L);
void luaF_freeproto(lua_State* L, Proto* f);

// Name of local number local_number (from 1) active at instruction pc, or null.
const char* luaF_getlocalname(const Proto* f, int local_number, int pc);
