#pragma once

#include "script/lua/State.h"

// The virtual machine: the instruction loop and the generic operations on
// values that the loop and the C interface share (indexing, assignment,
// concatenation, comparison, conversion to numbers). Every operation here may
// call metamethods, so it may move the stack: stack pointers taken before a
// call are stale after it.
//
// Values of every type can be indexed: tables and full userdata through their
// own metatable, every other value except nil through the per-type metatable
// of its type, which stands for the value's "__index" and "__newindex".

// Runs the Lua function of L->ci until the frame that entered returns, and
// returns its first result (the results end at the top). Lua functions it
// calls run in the same loop, without recursion. Returns null when a C
// function it called yielded; the saved program counter lets lua_resume
// continue the frame.
StkId luaV_execute(lua_State* L);

// A number stays; a byte or wide text that reads as a number gives that
// number in *n. Returns obj, n or null.
const TObject* luaV_tonumber(const TObject* obj, TObject* n);

// val := t[key], through "__index" (more than 100 redirections raise "loop in
// gettable"). val is a stack slot and is written last, so it may be the slot
// of t or key.
void luaV_gettable(lua_State* L, const TObject* t, const TObject* key, StkId val);
// t[key] := val, through "__newindex" (more than 100 redirections raise "loop
// in settable").
void luaV_settable(lua_State* L, const TObject* t, const TObject* key, const TObject* val);

// Joins the `total` values that end at register `last` (an offset from the
// base of the running function) into the first of them. The topmost byte or
// wide string among them chooses byte or wide mode for the whole join; a
// number joins as its text of the mode's kind (its register keeps the
// number), a string of the other kind does not join.
void luaV_concat(lua_State* L, int total, int last);

// Order and equality. luaV_equalobj takes operands of the same type only.
int luaV_lessthan(lua_State* L, const TObject* l, const TObject* r);
int luaV_lessequal(lua_State* L, const TObject* l, const TObject* r);
int luaV_equalobj(lua_State* L, const TObject* t1, const TObject* t2);

inline int luaV_equal(lua_State* L, const TObject* t1, const TObject* t2) {
  return ttype(t1) == ttype(t2) && luaV_equalobj(L, t1, t2);
}
