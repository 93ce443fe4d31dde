#pragma once

#include "script/lua/FunctionState.h"
#include "script/lua/Lexer.h"
#include "script/lua/Memory.h"
#include "script/lua/OpCodes.h"

// The code generator: turns the parser's expression descriptors and
// statements into the instructions of one prototype. It allocates registers
// (locals first, temporaries above them, freed in the reverse order of their
// allocation), keeps one constant per distinct value, links pending jumps into
// lists through their own sBx fields and patches them once their target is
// known, and records the source line of every instruction. Unary minus on a
// numeric constant is the only folding.
//
// Limits raise syntax errors: 250 registers ("function or expression too
// complex"), 262143 constants ("constant table overflow"), 2147483645
// instructions ("code size overflow"), jumps of more than 131071 instructions
// ("control structure too long").

// End of a jump list (and the sBx of a jump not yet patched).
inline constexpr int NO_JUMP = -1;

// Infix operators; the first nine map onto OP_ADD .. OP_POW in this order.
enum BinOpr {
  OPR_ADD,
  OPR_SUB,
  OPR_MULT,
  OPR_DIV,
  OPR_BAND,
  OPR_BOR,
  OPR_SHL,
  OPR_SHR,
  OPR_POW,
  OPR_CONCAT,
  OPR_NE,
  OPR_EQ,
  OPR_LT,
  OPR_LE,
  OPR_GT,
  OPR_GE,
  OPR_AND,
  OPR_OR,
  OPR_NOBINOPR
};

enum UnOpr { OPR_MINUS, OPR_NOT, OPR_NOUNOPR };

inline void init_exp(expdesc* e, expkind k, int info) {
  e->k = k;
  e->info = info;
  e->aux = 0;
  e->t = e->f = NO_JUMP;
}

inline Instruction& getcode(FuncState* fs, const expdesc* e) { return fs->f->code[e->info]; }

// Makes room for element n of a vector of the prototype being built, raising
// msg as a syntax error at the limit. New elements start zeroed (nil
// constants, null prototypes and names), so a prototype left behind by an
// error holds nothing but valid values.
template <class T>
void luaK_growvector(FuncState* fs, T*& v, int n, int& size, int limit, const char* msg) {
  if (n < size) return;
  if (size >= limit - MINSIZEARRAY) luaX_syntaxerror(fs->ls, msg);
  const int oldsize = size;
  luaM_growvector(fs->L, v, n, size, limit, msg);
  for (int i = oldsize; i < size; i++) v[i] = T{};
}

// Starts a new prototype for the function about to be compiled and makes fs
// the lexer's current function state.
void luaK_openfunction(LexState* ls, FuncState* fs);
// Ends the current function: emits its final return, trims its vectors to
// their use and returns to the enclosing function state.
void luaK_closefunction(LexState* ls);

// Appends an instruction with its source line; returns its pc.
int luaK_code(FuncState* fs, Instruction i, int line);
// Append an instruction with the line of the last token consumed.
int luaK_codeABC(FuncState* fs, OpCode o, int a, int b, int c);
int luaK_codeABx(FuncState* fs, OpCode o, int a, int bx);
int luaK_codeAsBx(FuncState* fs, OpCode o, int a, int sbx);
// Gives the last instruction the given line.
void luaK_fixline(FuncState* fs, int line);

// Registers.
void luaK_checkstack(FuncState* fs, int n);
void luaK_reserveregs(FuncState* fs, int n);
// Sets n registers from `from' on to nil, merging with a directly preceding
// OP_LOADNIL when no jump lands in between.
void luaK_nil(FuncState* fs, int from, int n);

// Index of a constant, added on first use.
int luaK_stringK(FuncState* fs, LString* s);
int luaK_wstringK(FuncState* fs, LString* ws);
int luaK_numberK(FuncState* fs, lua_Number r);

// Moving values.
void luaK_dischargevars(FuncState* fs, expdesc* e);
int luaK_exp2anyreg(FuncState* fs, expdesc* e);
void luaK_exp2nextreg(FuncState* fs, expdesc* e);
void luaK_exp2val(FuncState* fs, expdesc* e);
// The expression as an RK operand: a constant index + MAXSTACK while the
// constant fits (nil included), else a register.
int luaK_exp2RK(FuncState* fs, expdesc* e);
void luaK_storevar(FuncState* fs, expdesc* var, expdesc* e);
// e:key -- the method and the object in two fresh registers.
void luaK_self(FuncState* fs, expdesc* e, expdesc* key);
// t[k]
void luaK_indexed(FuncState* fs, expdesc* t, expdesc* k);
// Makes an open call return nresults values (LUA_MULTRET: all).
void luaK_setcallreturns(FuncState* fs, expdesc* e, int nresults);

// Jumps.
int luaK_jump(FuncState* fs);
void luaK_patchlist(FuncState* fs, int list, int target);
void luaK_patchtohere(FuncState* fs, int list);
void luaK_concat(FuncState* fs, int* l1, int l2);
// The current pc, marked as a jump target.
int luaK_getlabel(FuncState* fs);
// Falls through when e is true (jumps on false) / when e is false.
void luaK_goiftrue(FuncState* fs, expdesc* e);
void luaK_goiffalse(FuncState* fs, expdesc* e);

// Operators.
void luaK_prefix(FuncState* fs, UnOpr op, expdesc* e);
void luaK_infix(FuncState* fs, BinOpr op, expdesc* v);
void luaK_posfix(FuncState* fs, BinOpr op, expdesc* e1, expdesc* e2);
