#pragma once

#include <cstddef>

#include "script/lua/Limits.h"
#include "script/lua/Object.h"
#include "script/lua/SmallBlocks.h"
#include "script/lua/Stream.h"

// The interpreter state: the global state shared by all threads of one
// interpreter and the per-thread lua_State with its stack of values and its
// call records.

struct lua_longjmp;  // recovery point of a protected call, Calls.h

// The string table. The chain of a string is chosen by a key of its own
// (LString::chain): the hash of its text without its last unit, plus that
// unit. Strings that differ only in their last unit, as a program's generated
// names and numbers do, so lie in neighbouring chains, and making, resizing
// or sweeping many of them walks memory in order instead of all over it.
// Beside each chain head a word holds one bit for each string in the chain
// (luaS_signature), so a search for a string that is not there mostly ends
// without visiting the chain.
struct stringtable {
  GCObject** hash;       // chain heads, shared by byte and wide strings
  uint32_t* signatures;  // per chain, the signature bits of its strings
  uint32_t nuse;         // interned strings
  int size;              // a power of two
};

// Bits of CallInfo::state.
inline constexpr int CI_C = 1 << 0;         // a C function
inline constexpr int CI_HASFRAME = 1 << 1;  // a Lua function with an active frame
inline constexpr int CI_CALLING = 1 << 2;   // a Lua function calling another Lua function
inline constexpr int CI_SAVEDPC = 1 << 3;   // savedpc is up to date
inline constexpr int CI_YIELD = 1 << 4;     // the thread is suspended in a yield

// One call record. For Lua functions `pc` points at the program counter that
// the running machine keeps in a local, so error and hook code can read it.
struct CallInfo {
  StkId base;
  StkId top;
  int state;
  const Instruction* savedpc;
  const Instruction** pc;
  int tailcalls;  // tail calls dropped under this record
};

inline bool isLua(const CallInfo* ci) { return (ci->state & CI_C) == 0; }

// Metamethod events, in this order.
enum TMS {
  TM_INDEX,
  TM_NEWINDEX,
  TM_GC,
  TM_MODE,
  TM_EQ,  // last event whose absence is cached in Table::flags
  TM_ADD,
  TM_SUB,
  TM_MUL,
  TM_DIV,
  TM_POW,
  TM_UNM,
  TM_LT,
  TM_LE,
  TM_CONCAT,
  TM_CALL,
  TM_N
};

struct global_State {
  stringtable strt;
  lua_Alloc alloc;
  void* allocud;
  GCObject* rootgc;     // every collectable object but strings and userdata
  GCObject* rootudata;  // userdata
  GCObject* tmudata;    // userdata waiting for their "__gc" call
  Mbuffer buff;         // shared text buffer
  lu_mem GCthreshold;
  lu_mem nblocks;  // bytes in use
  lua_CFunction panic;
  TObject _registry;
  TObject _defaultmeta;  // empty table, its own metatable
  lua_State* mainthread;
  Node dummynode[1];  // the hash part of every table without one
  LString* tmname[TM_N];
  TObject typemeta[NUM_TYPEMETA];  // per-type metatables, indexed by tag
  // Nested C calls and resumes of all threads together: the limit of
  // LUA_MAXCCALLS holds for the C stack, which the threads share.
  int cdepth;
  // Coroutine threads not yet freed (the main thread is not counted), so the
  // collector looks for dead ones only while there are any.
  int nthreads;
  // Collect at every check point (for tests that look for lost references).
  bool gcstress;
  // With the default allocator, blocks of up to SmallBlocks::kLargest bytes
  // come from the interpreter's own slabs (see luaM_realloc).
  bool usesmallblocks;
  SmallBlocks smallblocks;
};

struct lua_State : GCObject {
  StkId top;   // first free slot
  StkId base;  // base of the running function
  global_State* l_G;
  CallInfo* ci;
  StkId stack_last;  // last usable slot; EXTRA_STACK more lie above it
  StkId stack;
  int stacksize;
  CallInfo* end_ci;
  CallInfo* base_ci;
  uint16_t size_ci;
  uint16_t nCcalls;  // nested C calls
  lu_byte hookmask;
  lu_byte allowhook;
  lu_byte hookinit;
  int basehookcount;
  int hookcount;
  lua_Hook hook;
  TObject _gt;  // table of globals
  GCObject* openupval;
  GCObject* gclist;
  lua_longjmp* errorJmp;
  ptrdiff_t errfunc;  // stack offset of the error handler, 0 for none
  uint32_t allockind;
};

inline global_State* G(lua_State* L) { return L->l_G; }
inline TObject* registry(lua_State* L) { return &G(L)->_registry; }
inline TObject* defaultmeta(lua_State* L) { return &G(L)->_defaultmeta; }
inline TObject* gt(lua_State* L) { return &L->_gt; }

inline lua_State* thvalue(const TObject* o) { return static_cast<lua_State*>(o->value.gc); }
inline void setthvalue(TObject* o, lua_State* th) { setgcvalue(o, th, LUA_TTHREAD); }

// Stack positions as offsets, which survive a reallocation of the stack.
inline ptrdiff_t savestack(lua_State* L, const TObject* p) {
  return reinterpret_cast<const char*>(p) - reinterpret_cast<const char*>(L->stack);
}
inline StkId restorestack(lua_State* L, ptrdiff_t n) {
  return reinterpret_cast<StkId>(reinterpret_cast<char*>(L->stack) + n);
}

// Opens an interpreter over the given allocator (lua_open uses the default
// one); null when opening fails.
lua_State* luaE_open(lua_Alloc alloc, void* allocud);
// A coroutine thread sharing L's global state and table of globals.
lua_State* luaE_newthread(lua_State* L);
// Frees the coroutine thread L1 (its open upvalues are closed first).
void luaE_freethread(lua_State* L, lua_State* L1);
