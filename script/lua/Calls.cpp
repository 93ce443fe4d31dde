#include "script/lua/Calls.h"

#include <cstdlib>
#include <new>

#include "script/lua/Collector.h"
#include "script/lua/Debug.h"
#include "script/lua/Function.h"
#include "script/lua/Memory.h"
#include "script/lua/Metamethods.h"
#include "script/lua/OpCodes.h"
#include "script/lua/Parser.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "script/lua/Undump.h"
#include "script/lua/VirtualMachine.h"

void luaD_throw(lua_State* L, int errcode) {
  if (L->errorJmp != nullptr) {
    L->errorJmp->status = errcode;
    throw LuaError{L->errorJmp};
  }
  G(L)->panic(L);
  exit(EXIT_FAILURE);
}

int luaD_rawrunprotected(lua_State* L, Pfunc f, void* ud) {
  lua_longjmp point{L->errorJmp, 0};
  L->errorJmp = &point;
  try {
    f(L, ud);
  } catch (const LuaError& e) {
    if (e.point != &point) {  // aimed further out
      L->errorJmp = point.previous;
      throw;
    }
  } catch (const std::bad_alloc&) {
    point.status = LUA_ERRMEM;
  } catch (...) {
    L->errorJmp = point.previous;
    throw;
  }
  L->errorJmp = point.previous;
  return point.status;
}

void luaD_reallocstack(lua_State* L, int newsize) {
  StkId oldstack = L->stack;
  const int oldsize = L->stacksize;
  StkId stack = luaM_newvector<TObject>(L, static_cast<size_t>(newsize));
  const int kept = oldsize < newsize ? oldsize : newsize;
  for (int i = 0; i < kept; i++) setobj(&stack[i], &oldstack[i]);
  for (int i = kept; i < newsize; i++) setnilvalue(&stack[i]);
  auto relocate = [&](StkId p) { return stack + (p - oldstack); };
  L->top = relocate(L->top);
  L->base = relocate(L->base);
  for (GCObject* up = L->openupval; up != nullptr; up = up->next) {
    UpVal* u = static_cast<UpVal*>(up);
    u->v = relocate(u->v);
  }
  for (CallInfo* ci = L->base_ci; ci <= L->ci; ci++) {
    ci->top = relocate(ci->top);
    ci->base = relocate(ci->base);
  }
  L->stack = stack;
  L->stacksize = newsize;
  L->stack_last = stack + newsize - 1 - EXTRA_STACK;
  luaM_freearray(L, oldstack, static_cast<size_t>(oldsize));
}

void luaD_growstack(lua_State* L, int n) {
  if (n <= L->stacksize) {
    luaD_reallocstack(L, 2 * L->stacksize);
  } else {
    luaD_reallocstack(L, L->stacksize + n + EXTRA_STACK);
  }
}

void luaD_reallocCI(lua_State* L, int newsize) {
  CallInfo* old = L->base_ci;
  CallInfo* records = luaM_newvector<CallInfo>(L, static_cast<size_t>(newsize));
  const int used = static_cast<int>(L->ci - old) + 1;
  for (int i = 0; i < used; i++) records[i] = old[i];
  luaM_freearray(L, old, L->size_ci);
  L->base_ci = records;
  L->ci = records + used - 1;
  L->size_ci = static_cast<uint16_t>(newsize);
  L->end_ci = records + newsize;
}

namespace {

void seterrorobj(lua_State* L, int errcode, StkId oldtop) {
  switch (errcode) {
    case LUA_ERRMEM:
      setsvalue(oldtop, luaS_new(L, "not enough memory"));
      break;
    case LUA_ERRERR:
      setsvalue(oldtop, luaS_new(L, "error in error handling"));
      break;
    default:  // the error object is on top
      setobj(oldtop, L->top - 1);
      break;
  }
  L->top = oldtop + 1;
}

// After a "stack overflow" the call records go back to their limit.
void restoreCIlimit(lua_State* L) {
  if (L->size_ci > LUA_MAXCALLS && L->ci - L->base_ci + 1 < LUA_MAXCALLS) {
    luaD_reallocCI(L, LUA_MAXCALLS);
  }
}

// A call of a value that is not a function goes to its "__call" metamethod,
// which is inserted below the arguments as the function to call.
StkId tryfuncTM(lua_State* L, StkId func) {
  const TObject* tm = luaT_gettmbyobj(L, func, TM_CALL);
  if (!ttisfunction(tm)) luaG_typeerror(L, func, "call");
  const TObject method = *tm;
  const ptrdiff_t funcr = savestack(L, func);
  for (StkId p = L->top; p > func; p--) setobj(p, p - 1);
  incr_top(L);
  func = restorestack(L, funcr);
  setobj(func, &method);
  return func;
}

// The extra arguments of a vararg function go into a table with field "n",
// pushed after the fixed parameters.
void adjustvarargs(lua_State* L, int nfixargs, StkId base) {
  int actual = static_cast<int>(L->top - base);
  if (actual < nfixargs) {
    luaD_checkstack(L, nfixargs - actual);
    for (; actual < nfixargs; actual++) setnilvalue(L->top++);
  }
  const int extra = actual - nfixargs;
  Table* args = luaH_new(L, static_cast<size_t>(extra), 1);
  for (int i = 0; i < extra; i++) setobj(luaH_setnum(L, args, i + 1), L->top - extra + i);
  TObject n;
  setsvalue(&n, luaS_new(L, "n"));
  setnvalue(luaH_set(L, args, &n), extra);
  L->top -= extra;
  sethvalue(L->top, args);
  incr_top(L);
}

void entercall(lua_State* L) {
  L->nCcalls++;
  const int depth = ++G(L)->cdepth;
  if (depth >= LUA_MAXCCALLS) {
    if (depth == LUA_MAXCCALLS) luaG_runerror(L, "C stack overflow");
    if (depth >= LUA_MAXCCALLS + (LUA_MAXCCALLS >> 3)) luaD_throw(L, LUA_ERRERR);
  }
}

}  // namespace

void luaD_growCI(lua_State* L) {
  if (L->size_ci > LUA_MAXCALLS) luaD_throw(L, LUA_ERRERR);
  luaD_reallocCI(L, 2 * L->size_ci);
  if (L->size_ci > LUA_MAXCALLS) luaG_runerror(L, "stack overflow");
}

StkId luaD_precall(lua_State* L, StkId func) {
  if (!ttisfunction(func)) func = tryfuncTM(L, func);
  const ptrdiff_t funcr = savestack(L, func);
  if (L->ci + 1 == L->end_ci) luaD_growCI(L);
  Closure* cl = clvalue(restorestack(L, funcr));
  if (!cl->isC) {
    Proto* p = static_cast<LClosure*>(cl)->p;
    if (p->is_vararg) adjustvarargs(L, p->numparams, restorestack(L, funcr) + 1);
    luaD_checkstack(L, p->maxstacksize);
    CallInfo* ci = ++L->ci;
    L->base = ci->base = restorestack(L, funcr) + 1;
    ci->top = L->base + p->maxstacksize;
    ci->savedpc = p->code;
    ci->pc = nullptr;
    ci->tailcalls = 0;
    ci->state = CI_SAVEDPC;
    while (L->top < ci->top) setnilvalue(L->top++);
    L->top = ci->top;
    return nullptr;
  }
  luaD_checkstack(L, LUA_MINSTACK);
  CallInfo* ci = ++L->ci;
  L->base = ci->base = restorestack(L, funcr) + 1;
  ci->top = L->top + LUA_MINSTACK;
  ci->state = CI_C;
  const int n = static_cast<CClosure*>(cl)->f(L);
  return L->top - n;  // above the top after a yield (n = -1)
}

void luaD_poscall(lua_State* L, int wanted, StkId firstResult) {
  StkId res = L->base - 1;
  L->ci--;
  L->base = L->ci->base;
  while (wanted != 0 && firstResult < L->top) {
    setobj(res++, firstResult++);
    wanted--;
  }
  while (wanted-- > 0) setnilvalue(res++);
  L->top = res;
}

void luaD_call(lua_State* L, StkId func, int nResults) {
  entercall(L);
  StkId firstResult = luaD_precall(L, func);
  if (firstResult == nullptr) firstResult = luaV_execute(L);
  luaD_poscall(L, nResults, firstResult);
  L->nCcalls--;
  G(L)->cdepth--;
  luaC_checkGC(L);
}

int luaD_pcall(lua_State* L, Pfunc func, void* ud, ptrdiff_t oldtop, ptrdiff_t errfunc) {
  const uint16_t oldnCcalls = L->nCcalls;
  const int oldcdepth = G(L)->cdepth;
  const ptrdiff_t oldci = L->ci - L->base_ci;
  const lu_byte oldallowhook = L->allowhook;
  const ptrdiff_t olderrfunc = L->errfunc;
  L->errfunc = errfunc;
  const int status = luaD_rawrunprotected(L, func, ud);
  if (status != 0) {
    StkId top = restorestack(L, oldtop);
    luaF_close(L, top);
    seterrorobj(L, status, top);
    L->nCcalls = oldnCcalls;
    G(L)->cdepth = oldcdepth;
    L->ci = L->base_ci + oldci;
    L->base = L->ci->base;
    L->allowhook = oldallowhook;
    restoreCIlimit(L);
  }
  L->errfunc = olderrfunc;
  return status;
}

namespace {

struct ParserCall {
  ZIO* z;
  Mbuffer buff;
  int bin;
};

void parse(lua_State* L, void* ud) {
  ParserCall* p = static_cast<ParserCall*>(ud);
  luaC_checkGC(L);
  if (luaZ_lookahead16(p->z) == 0xFEFF) {  // bytes FF FE: UTF-16LE text
    zgetc(p->z);
    zgetc(p->z);
    p->z->wide = 1;
  }
  Proto* tf = p->bin ? luaU_undump(L, p->z, &p->buff) : luaY_parser(L, p->z, &p->buff);
  LClosure* cl = static_cast<LClosure*>(luaF_newLclosure(L, 0, gt(L)));
  cl->p = tf;
  setclvalue(L->top, cl);
  incr_top(L);
}

}  // namespace

int luaD_protectedparser(lua_State* L, ZIO* z, int bin) {
  ParserCall p{z, {}, bin};
  luaZ_initbuffer(&p.buff);
  const ptrdiff_t oldtop = savestack(L, L->top);
  const int status = luaD_rawrunprotected(L, parse, &p);
  luaZ_freebuffer(L, &p.buff);
  if (status != 0) seterrorobj(L, status, restorestack(L, oldtop));
  return status;
}

// --- Coroutines ---------------------------------------------------------------

namespace {

int resumeerror(lua_State* L, const char* msg) {
  setsvalue(L->top, luaS_new(L, msg));
  incr_top(L);
  return LUA_ERRRUN;
}

// Number of results the call instruction of a yielded Lua function wanted
// (-1 for all).
int wantedresults(Instruction call) { return GETARG_C(call) - 1; }

void resume(lua_State* L, void* ud) {
  const int nargs = *static_cast<int*>(ud);
  CallInfo* ci = L->ci;
  if (ci == L->base_ci) {  // a fresh start
    StkId first = luaD_precall(L, L->top - (nargs + 1));
    if (first != nullptr) {  // a C function ran to its end
      luaD_poscall(L, LUA_MULTRET, first);
      return;
    }
  } else {  // finish the call that yielded, with the values passed as its results
    const int wanted = wantedresults(*((ci - 1)->savedpc - 1));
    luaD_poscall(L, wanted, L->top - nargs);
    if (wanted >= 0) L->top = L->ci->top;
  }
  StkId first = luaV_execute(L);
  if (first != nullptr) luaD_poscall(L, LUA_MULTRET, first);
}

}  // namespace

int lua_resume(lua_State* L, int nargs) {
  if (L->ci == L->base_ci) {
    if (nargs >= L->top - L->base) {
      L->top = L->base;
      return resumeerror(L, "cannot resume dead coroutine");
    }
  } else if (!(L->ci->state & CI_YIELD)) {
    return resumeerror(L, "cannot resume non-suspended coroutine");
  }
  global_State* g = G(L);
  if (g->cdepth >= LUA_MAXCCALLS) return resumeerror(L, "C stack overflow");
  const int oldcdepth = g->cdepth++;
  const lu_byte oldallowhook = L->allowhook;
  int status = luaD_rawrunprotected(L, resume, &nargs);
  g->cdepth = oldcdepth;
  if (status != 0) {  // the thread is dead, its error object at its base
    L->ci = L->base_ci;
    L->base = L->ci->base;
    L->nCcalls = 0;
    luaF_close(L, L->base);
    seterrorobj(L, status, L->base);
    L->allowhook = oldallowhook;
    restoreCIlimit(L);
  }
  return status;
}

int lua_isyieldable(lua_State* L) {
  const CallInfo* ci = L->ci;
  return L->nCcalls == 0 && ci != L->base_ci && !((ci - 1)->state & CI_C);
}

int lua_yield(lua_State* L, int nresults) {
  CallInfo* ci = L->ci;
  if (L->nCcalls > 0) luaG_runerror(L, "attempt to yield across metamethod/C-call boundary");
  if (ci == L->base_ci || ((ci - 1)->state & CI_C)) luaG_runerror(L, "cannot yield a C function");
  if (L->top - nresults > L->base) {
    for (int i = 0; i < nresults; i++) setobj(L->base + i, L->top - nresults + i);
    L->top = L->base + nresults;
  }
  ci->state |= CI_YIELD;
  return -1;
}

int lua_issuspended(lua_State* L) { return L->ci != L->base_ci && (L->ci->state & CI_YIELD) != 0; }
