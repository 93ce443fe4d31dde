#pragma once

#include "script/lua/State.h"

// The parser: reads the tokens of a text chunk and drives the code generator
// in one pass, making one prototype for the chunk and one for every function
// in it. Recursive descent; nesting of statements, expressions and function
// bodies is limited to 200 levels ("too many syntax levels"), so no input can
// exhaust the C++ stack. Every error is a syntax error raised through the
// lexer.
//
// The dialect's grammar beyond the standard one: `continue', a loop level
// after `break' and `continue' (1 to 100), the infix operators & | << >> (one
// level, tighter than + - * / and looser than ^), wide-string literals as
// values (but not as the bare argument of a call), and size hints at the start
// of a table constructor ({ & hash [& array] ...}).

// Compiles the chunk of z and returns its main prototype: a vararg function
// without parameters. buff is the text buffer of the lexer.
Proto* luaY_parser(lua_State* L, ZIO* z, Mbuffer* buff);
