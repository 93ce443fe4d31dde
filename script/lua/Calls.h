#pragma once

#include "script/lua/State.h"
#include "script/lua/Stream.h"

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

// Grows the call-record array; more than LUA_MAXCALLS records raise "stack
// overflow", and an overflow while that error is handled throws LUA_ERRERR.
void luaD_growCI(lua_State* L);

// Prepares the call of the value at func (a function, or a value whose
// "__call" metamethod is a function) with the arguments above it. A Lua
// function gets its frame and the result is null: the caller runs it. A C
// function is run; the result is its first result (the results end at the
// top), or a pointer above the top when it yielded.
StkId luaD_precall(lua_State* L, StkId func);
// Ends the current call: moves the results from firstResult on to the slot of
// the called function, `wanted` of them (LUA_MULTRET: all), nil-padded.
void luaD_poscall(lua_State* L, int wanted, StkId firstResult);
// Calls the value at func with the arguments above it, leaving nResults
// results there. 200 nested C calls raise "C stack overflow".
void luaD_call(lua_State* L, StkId func, int nResults);
// Runs func protected with the error handler at stack offset errfunc (0:
// none). On error: upvalues above oldtop are closed, the error object is
// placed at oldtop, and the call depth, C-call count and hook permission are
// restored. Returns the status.
int luaD_pcall(lua_State* L, Pfunc func, void* ud, ptrdiff_t oldtop, ptrdiff_t errfunc);

// Compiles the chunk of z, protected, and pushes it as a Lua closure over the
// thread's globals; bin selects the precompiled-chunk reader. A chunk that
// starts with the bytes FF FE is UTF-16LE text: the mark is consumed and the
// stream's wide flag set. On error the error object is pushed instead.
int luaD_protectedparser(lua_State* L, ZIO* z, int bin);

