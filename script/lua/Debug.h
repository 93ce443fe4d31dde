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
