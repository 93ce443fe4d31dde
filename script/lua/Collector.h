#pragma once

#include "script/lua/Object.h"

// The collector's object lists.

// Links a new object of kind tt at the head of the list of all objects.
void luaC_link(lua_State* L, GCObject* o, int tt);
// Frees every object of the interpreter (closing it).
void luaC_freeall(lua_State* L);
