#pragma once

#include <vector>

#include "script/lua/State.h"

// A stand-in for the virtual machine, for tests of calls, coroutines and the
// collector until the real one exists. It runs four instructions of the real
// instruction format: OP_MOVE, OP_GETUPVAL, OP_CALL and OP_RETURN, with
// Lua-to-Lua calls in its own loop as the real machine makes them.

inline constexpr int OP_MOVE = 0;
inline constexpr int OP_GETUPVAL = 4;
inline constexpr int OP_CALL = 29;
inline constexpr int OP_RETURN = 31;

constexpr Instruction MakeABC(int op, int a, int b, int c) {
  return static_cast<Instruction>(op) | static_cast<Instruction>(c) << 6 |
         static_cast<Instruction>(b) << 15 | static_cast<Instruction>(a) << 24;
}

// The machine's entry for luaD_execute.
StkId FakeExecute(lua_State* L);

// Installs the machine while it lives.
class FakeMachine {
 public:
  FakeMachine();
  ~FakeMachine();
  FakeMachine(const FakeMachine&) = delete;
  FakeMachine& operator=(const FakeMachine&) = delete;
};

// A prototype with the given code, named "=fake".
Proto* MakeProto(lua_State* L, const std::vector<Instruction>& code, int maxstacksize,
                 int numparams = 0, bool vararg = false);
// A Lua closure of the prototype over the globals, with nupvalues empty upvalues.
LClosure* MakeLuaFunction(lua_State* L, Proto* p, int nupvalues = 0);
