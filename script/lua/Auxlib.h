#pragma once

#include <cstddef>

#include "script/lua/Lua.h"

// The auxiliary library: chunk loading from files of the file layer and from
// memory. Everything here goes through the C interface (Lua.h).

// Bytes read from a chunk file at a time, and the block of a string buffer.
inline constexpr int LUAL_BUFFERSIZE = 512;

// Chunks. Each returns 0 with the compiled chunk pushed, or an error status
// (LUA_ERRFILE, LUA_ERRSYNTAX, LUA_ERRMEM) with its message pushed; none
// raises an error.
// Loads a file by its logical name through the file layer. A file whose first
// byte is neither white space nor printable (a precompiled chunk, UTF-16LE
// text) is read in binary mode. A missing name gives LUA_ERRFILE: there is
// no standard input to read instead.
int luaL_loadfile(lua_State* L, const char* filename);
int luaL_loadbuffer(lua_State* L, const char* buff, size_t size, const char* name);
