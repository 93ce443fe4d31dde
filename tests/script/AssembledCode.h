#pragma once

#include <vector>

#include "script/lua/OpCodes.h"
#include "script/lua/State.h"

// Prototypes put together by hand, as a forged precompiled chunk could
// hold them, for the code checker and the machine.

struct Assembly {
  std::vector<Instruction> code = {};
  int maxstacksize = 2;
  std::vector<TObject> constants = {};
  int nups = 0;
  int numparams = 0;
  std::vector<Proto*> nested = {};
  int sizelineinfo = -1;  // -1: one line per instruction, all 1
};

// A prototype named "=forged" (kept alive by the caller, e.g. in a closure).
Proto* Assemble(lua_State* L, const Assembly& assembly);

// A jump instruction to pc + 1 + offset.
Instruction Jump(OpCode op, int a, int offset);
