#pragma once

#include "script/lua/State.h"

// How the C interface (Lua.h) finds the values its indices name.
//
// Pushes follow the push rule through incr_top (Calls.h): it grows the stack
// by luaD_growstack(L, 1) when the top is about to reach the last usable
// slot, which can only happen once a C function has pushed past the limit of
// its frame (the frame always lies below that slot). The frame limit itself
// is never raised by a push.

// The value an index names, or null when it names none: 0, a positive index
// at or above the top, a negative one below the frame's base, an upvalue the
// running C closure does not have. An absent registry entry (an index below
// LUA_REGISTRYENTRIES) reads as nil. The read-only queries use this.
const TObject* luaA_indexAcceptable(lua_State* L, int idx);
// As luaA_indexAcceptable, with nil for an index that names no value: the
// operations that work on any value use this.
const TObject* luaA_index(lua_State* L, int idx);
// The slot holding the value an index names, for conversions in place; null
// when the index names no value or an absent registry entry.
TObject* luaA_slot(lua_State* L, int idx);
// The stack slot of a positive or top-relative index that names one of the
// running frame's values; null for pseudo-indices and indices without one.
StkId luaA_stackslot(lua_State* L, int idx);
// Pushes a copy of o.
void luaA_pushobject(lua_State* L, const TObject* o);
