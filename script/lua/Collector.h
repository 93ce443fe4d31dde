#pragma once

#include "script/lua/Object.h"

// The stop-the-world mark-and-sweep collector. Roots: the main thread (stack,
// globals, open upvalues), the running thread, the registry, the default
// metatable and the per-type metatables. Weak tables follow "__mode" ("k",
// "v"); strings count as values there, never as weak references. Userdata
// with a "__gc" metamethod survive the collection that finds them dead, and
// their "__gc" runs after the sweep, each call protected: an error in it is
// logged and dropped.

// Links a new object of kind tt at the head of the list of all objects.
void luaC_link(lua_State* L, GCObject* o, int tt);
// A full collection.
void luaC_collectgarbage(lua_State* L);
// Collects when the bytes in use reached the threshold, or always in stress mode.
void luaC_checkGC(lua_State* L);
// Stress mode: a collection at every check point.
void luaC_setstress(lua_State* L, bool on);

// Moves the dead userdata with a "__gc" metamethod to the waiting list;
// returns the bytes they hold.
size_t luaC_separateudata(lua_State* L);
// Runs the "__gc" of every waiting userdata, each protected.
void luaC_callGCTM(lua_State* L);
// Closing: runs the "__gc" of every userdata that has one and was not
// finalized yet, on the main thread, whose stack it empties.
void luaC_callallgc(lua_State* L);
// Frees every object of the interpreter (closing it).
void luaC_freeall(lua_State* L);
