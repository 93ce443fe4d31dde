#pragma once

#include "script/lua/State.h"

// Run-time errors with the position of the running Lua function and names of
// the values involved; the checker of loaded code; the debug interface
// (lua_getstack, lua_getinfo) is declared in Lua.h.

// Formats the message (luaO_pushfstring's format), prefixes it with
// "chunk:line: " when the running function is a Lua function, and raises it.
[[noreturn]] void luaG_runerror(lua_State* L, const char* fmt, ...)
    __attribute__((format(printf, 2, 3)));
// Raises the value on top of the stack as a run-time error, after the error
// handler of the running protected call (if any) replaced it.
[[noreturn]] void luaG_errormsg(lua_State* L);
// Source line of the instruction the call record is at; -1 for a C function.
int luaG_currentline(CallInfo* ci);
// "attempt to <operation> a <type name> value", or "attempt to <operation>
// <kind> `<name>' (a <type name> value)" when o is a register of the running
// Lua function whose origin is known: a local, a global, a field or a method.
[[noreturn]] void luaG_typeerror(lua_State* L, const TObject* o, const char* operation);
// Concatenation of two operands that do not join: names the first unless it
// is a number, a byte string, or a wide string joined in wide mode; then the
// second.
[[noreturn]] void luaG_concaterror(lua_State* L, const TObject* p1, const TObject* p2, bool wide);
// Arithmetic: names the first operand unless it converts to a number, then
// the second.
[[noreturn]] void luaG_aritherror(lua_State* L, const TObject* p1, const TObject* p2);
// "attempt to compare two %s values" when the type names share their third
// letter, else "attempt to compare %s with %s".
[[noreturn]] void luaG_ordererror(lua_State* L, const TObject* p1, const TObject* p2);

// True when the code of p (not of its nested prototypes) is safe to run: every
// register, constant, upvalue and nested prototype it names exists, every
// jump lands inside it, tests are followed by jumps, open result lists are
// taken by the next instruction, and it ends with a return.
bool luaG_checkcode(const Proto* p);
