#pragma once

#include "script/lua/State.h"

// Run-time errors with the position of the running Lua function.

// Formats the message (luaO_pushfstring's format), prefixes it with
// "chunk:line: " when the running function is a Lua function, and raises it.
[[noreturn]] void luaG_runerror(lua_State* L, const char* fmt, ...)
    __attribute__((format(printf, 2, 3)));
// Raises the value on top of the stack as a run-time error, after the error
// handler of the running protected call (if any) replaced it.
[[noreturn]] void luaG_errormsg(lua_State* L);
// Source line of the instruction the call record is at; -1 for a C function.
int luaG_currentline(CallInfo* ci);
// "attempt to <operation> a <type name> value".
[[noreturn]] void luaG_typeerror(lua_State* L, const TObject* o, const char* operation);
// Concatenation of two operands that do not join: names the first unless it
// is a byte string, or a wide string joined in wide mode; then the second.
[[noreturn]] void luaG_concaterror(lua_State* L, const TObject* p1, const TObject* p2, bool wide);
// Arithmetic: names the first operand unless it converts to a number, then
// the second.
[[noreturn]] void luaG_aritherror(lua_State* L, const TObject* p1, const TObject* p2);
// "attempt to compare two %s values" when the type names share their third
// letter, else "attempt to compare %s with %s".
[[noreturn]] void luaG_ordererror(lua_State* L, const TObject* p1, const TObject* p2);
