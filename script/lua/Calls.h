#pragma once

#include "script/lua/State.h"

// Raised errors, protected execution and the stack.
//
// A raised error is a LuaError exception aimed at the innermost recovery point
// of the state that raised it; luaD_rawrunprotected catches its own and lets
// others pass. The error object is left on the stack by whoever raised it; the
// status travels in the recovery point.

struct lua_longjmp {
  lua_longjmp* previous;
  int status;
};

struct LuaError {
  lua_longjmp* point;
};

typedef void (*Pfunc)(lua_State* L, void* ud);

// Unwinds to the current recovery point with the given status; without one
// calls the panic function and ends the process with exit status 1.
[[noreturn]] void luaD_throw(lua_State* L, int errcode);
// Runs f(L, ud) with a recovery point; returns 0 or the status of the error
// that ended it (a std::bad_alloc becomes LUA_ERRMEM).
int luaD_rawrunprotected(lua_State* L, Pfunc f, void* ud);

// Resizes the stack to newsize slots and relocates every pointer into it.
void luaD_reallocstack(lua_State* L, int newsize);
// Makes room for n more slots above the top: twice the size, or the request
// plus EXTRA_STACK when it exceeds the current size.
void luaD_growstack(lua_State* L, int n);
// Resizes the call-record array and relocates the pointers into it.
void luaD_reallocCI(lua_State* L, int newsize);

inline void luaD_checkstack(lua_State* L, int n) {
  if (L->stack_last - L->top <= n) luaD_growstack(L, n);
}

// Advances the top over a value just written there.
inline void incr_top(lua_State* L) {
  luaD_checkstack(L, 1);
  L->top++;
}
