#pragma once

#include <cstddef>
#include <string>

#include "script/lua/Lua.h"

// What the base library and the coroutine library share (both are opened by
// luaopen_base, Lualib.h).

// The units of a wide string as UTF-8, as `print` writes them: a surrogate
// pair is one character, a surrogate without its partner U+FFFD.
std::string luaB_utf8(const lua_WChar* units, size_t len);

// Pushes the bytes as a wide string, each byte one unit (zero-extended, as
// the lexer reads byte text, so byte 0xE9 becomes unit 0x00E9).
void luaB_pushwidened(lua_State* L, const char* bytes, size_t len);

// Puts "chunk:line: " of the function `level` levels up the call stack (as
// luaL_where finds it) before the message on top, which must be a string, a
// wide string or a number. A wide message gets a wide prefix: the two kinds
// of string do not concatenate.
void luaB_addposition(lua_State* L, int level);

// Registers the table "coroutine" and leaves it on the stack.
void luaB_opencoroutine(lua_State* L);
