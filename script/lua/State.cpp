#include "script/lua/State.h"

#include <new>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Function.h"
#include "script/lua/Lexer.h"
#include "script/lua/Memory.h"
#include "script/lua/Metamethods.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"

namespace {

constexpr char kMemErrMsg[] = "not enough memory";

// Without a protected call an error ends the process after this.
int defaultpanic(lua_State*) { return 0; }

void preinitstate(lua_State* L) {
  L->tt = LUA_TTHREAD;
  L->stack = nullptr;
  L->stacksize = 0;
  L->errorJmp = nullptr;
  L->hook = nullptr;
  L->hookmask = 0;
  L->hookinit = 0;
  L->basehookcount = 0;
  L->allowhook = 1;
  L->hookcount = 0;
  L->openupval = nullptr;
  L->size_ci = 0;
  L->nCcalls = 0;
  L->base_ci = nullptr;
  L->ci = nullptr;
  L->errfunc = 0;
  L->allockind = 0;
  setnilvalue(gt(L));
}

// The stack of L1 (allocated through L): BASIC_STACK_SIZE + EXTRA_STACK slots
// and BASIC_CI_SIZE call records; the base record stands for a C function.
void stackinit(lua_State* L1, lua_State* L) {
  const int stacksize = BASIC_STACK_SIZE + EXTRA_STACK;
  L1->stack = luaM_newvector<TObject>(L, stacksize);
  L1->stacksize = stacksize;
  for (int i = 0; i < stacksize; i++) setnilvalue(&L1->stack[i]);
  L1->top = L1->stack;
  L1->stack_last = L1->stack + (stacksize - EXTRA_STACK) - 1;
  L1->base_ci = luaM_newvector<CallInfo>(L, BASIC_CI_SIZE);
  L1->size_ci = BASIC_CI_SIZE;
  L1->end_ci = L1->base_ci + BASIC_CI_SIZE;
  L1->ci = L1->base_ci;
  *L1->ci = CallInfo{};
  L1->ci->state = CI_C;
  setnilvalue(L1->top++);  // the function entry of the base record
  L1->base = L1->ci->base = L1->top;
  L1->ci->top = L1->top + LUA_MINSTACK;
}

void freestack(lua_State* L, lua_State* L1) {
  luaM_freearray(L, L1->base_ci, L1->size_ci);
  luaM_freearray(L, L1->stack, static_cast<size_t>(L1->stacksize));
}

// The protected part of opening, run on the main thread, whose global state
// is still the boot state that carries only the allocator.
void openstate(lua_State* L, void*) {
  global_State* boot = G(L);
  void* block = luaM_realloc(L, nullptr, 0, sizeof(global_State));
  global_State* g = new (block) global_State{};
  g->alloc = boot->alloc;
  g->allocud = boot->allocud;
  g->usesmallblocks = g->alloc == luaM_defaultalloc;
  g->panic = defaultpanic;
  g->mainthread = L;
  setnilvalue(gkey(g->dummynode));
  setnilvalue(gval(g->dummynode));
  g->dummynode->next = nullptr;
  L->l_G = g;
  g->nblocks = sizeof(lua_State) + sizeof(global_State);
  stackinit(L, L);
  Table* meta = luaH_new(L, 0, 0);
  meta->metatable = meta;
  sethvalue(defaultmeta(L), meta);
  setnilvalue(&g->typemeta[LUA_TNIL]);
  for (int tag = LUA_TNIL + 1; tag < NUM_TYPEMETA; tag++) {
    sethvalue(&g->typemeta[tag], luaH_new(L, 0, 0));
  }
  sethvalue(gt(L), luaH_new(L, 0, 4));
  sethvalue(registry(L), luaH_new(L, 4, 4));
  luaS_resize(L, MINSTRTABSIZE);
  luaT_init(L);
  luaX_init(L);
  luaS_fix(luaS_newlstr(L, kMemErrMsg, sizeof kMemErrMsg - 1));
  g->GCthreshold = 4 * g->nblocks;
}

// Frees what opening built of the main thread L, whatever stage it reached.
void closestate(lua_State* L, global_State* boot) {
  global_State* g = G(L);
  lua_Alloc alloc = g->alloc;
  void* allocud = g->allocud;
  if (g != boot) {
    luaC_freeall(L);
    if (g->strt.hash != nullptr) luaS_freeall(L);
    luaZ_freebuffer(L, &g->buff);
    freestack(L, L);
    g->~global_State();
    alloc(allocud, g, sizeof(global_State), 0, 0, 0);
  }
  alloc(allocud, L, sizeof(lua_State), 0, 0, 0);
}

}  // namespace

lua_State* luaE_open(lua_Alloc alloc, void* allocud) {
  global_State boot{};
  boot.alloc = alloc;
  boot.allocud = allocud;
  void* block = alloc(allocud, nullptr, 0, sizeof(lua_State), 0, 0);
  if (block == nullptr) return nullptr;
  lua_State* L = new (block) lua_State{};
  preinitstate(L);
  L->l_G = &boot;
  if (luaD_rawrunprotected(L, openstate, nullptr) != 0) {
    closestate(L, &boot);
    return nullptr;
  }
  return L;
}

lua_State* lua_open() { return luaE_open(luaM_defaultalloc, nullptr); }

lua_State* luaE_newthread(lua_State* L) {
  lua_State* L1 = luaM_newobject<lua_State>(L);
  luaC_link(L, L1, LUA_TTHREAD);
  G(L)->nthreads++;
  preinitstate(L1);
  L1->l_G = G(L);
  stackinit(L1, L);
  setobj(gt(L1), gt(L));
  return L1;
}

lua_State* lua_newthread(lua_State* L) {
  luaC_checkGC(L);
  lua_State* L1 = luaE_newthread(L);
  setthvalue(L->top, L1);
  incr_top(L);
  return L1;
}

void luaE_freethread(lua_State* L, lua_State* L1) {
  luaF_close(L1, L1->stack);
  freestack(L, L1);
  luaM_freeobject(L, L1);
  G(L)->nthreads--;
}

void lua_close(lua_State* L) {
  L = G(L)->mainthread;
  luaF_close(L, L->stack);
  luaC_callallgc(L);
  closestate(L, nullptr);
}
