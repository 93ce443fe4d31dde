#pragma once

#include "script/lua/Object.h"

// What the parser and the code generator share while one function is being
// compiled: the expression descriptors and the function state.

struct LexState;
struct BlockCnt;  // a block being parsed (Parser.cpp)

// Where the value of an expression is, or how to get it.
enum expkind {
  VVOID,       // no value (an empty expression list)
  VNIL,
  VTRUE,
  VFALSE,
  VK,          // info = index of the constant
  VLOCAL,      // info = register of the local variable
  VUPVAL,      // info = index of the upvalue
  VGLOBAL,     // info = index of the constant naming the global
  VINDEXED,    // info = register of the table; aux = the key as an RK operand
  VJMP,        // info = pc of the jump that follows a comparison
  VRELOCABLE,  // info = pc of the instruction that will store the value in its A
  VNONRELOC,   // info = register holding the value
  VCALL        // info = pc of the call instruction
};

struct expdesc {
  expkind k;
  int info;
  int aux;
  int t;  // list of jumps taken when the expression is true
  int f;  // list of jumps taken when the expression is false
};

// Locals active at once in one function, and upvalues of one function.
inline constexpr int MAXVARS = 200;
inline constexpr int MAXUPVALUES = 32;

struct FuncState {
  Proto* f;          // the prototype being built
  Table* h;          // constant value -> its index in f->k
  FuncState* prev;   // the enclosing function
  LexState* ls;
  lua_State* L;
  BlockCnt* bl;      // innermost block being parsed
  int pc;            // next instruction to emit
  int lasttarget;    // pc of the last jump target
  int jpc;           // jumps waiting to land on pc
  int freereg;       // first free register
  int nk;            // constants in f->k
  int np;            // prototypes in f->p
  int nlocvars;      // entries in f->locvars
  int nactvar;       // active local variables
  expdesc upvalues[MAXUPVALUES];  // where each upvalue comes from in the enclosing function
  int actvar[MAXVARS];  // f->locvars index of each active local
};
