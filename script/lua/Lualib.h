#pragma once

#include "script/lua/Lua.h"

// The standard libraries of the script dialect. Only these exist: there is
// no math, io, os or debug library. Each opener registers its functions in
// the table of globals of L.

// The base functions, "_G", "_VERSION", "newproxy", "_LOADED", the table
// "coroutine", and the registry entries "_boolean" .. "_wstring" that publish
// the per-type metatables as they are at that moment. Leaves the table of
// globals on the stack and returns 1.
int luaopen_base(lua_State* L);
// The table "string", made the per-type metatable of byte strings, with
// `pack` and `unpack` added by luaopen_pack. Leaves the table on the stack
// and returns 1.
int luaopen_string(lua_State* L);
int luaopen_pack(lua_State* L);
// The table "table". Leaves it on the stack and returns 1.
int luaopen_table(lua_State* L);

// Opens the libraries in the order the script host opens them: base first,
// so that the registry entry "_string" keeps the per-type table of strings
// that the string library then replaces, then string and table. The stack is
// left as it was.
void luaL_openlibs(lua_State* L);
