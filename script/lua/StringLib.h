#pragma once

#include "script/lua/Lua.h"

// Functions of the string table (opened by luaopen_string, Lualib.h) that live
// in files of their own. Like every function of the string library they take
// byte strings (numbers are converted): a wide string fails their argument
// check with "string expected, got wstring".

// A character as the byte it is, for the character-class tests.
inline int uchar(char c) { return static_cast<unsigned char>(c); }

int str_format(lua_State* L);
int str_lualex(lua_State* L);
