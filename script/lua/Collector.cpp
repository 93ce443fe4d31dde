#include "script/lua/Collector.h"

#include <cstring>
#include <initializer_list>

#include "platform/text/Log.h"
#include "script/lua/Calls.h"
#include "script/lua/Function.h"
#include "script/lua/Memory.h"
#include "script/lua/Metamethods.h"
#include "script/lua/State.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"

namespace {

// --- Marking ------------------------------------------------------------------

struct GCState {
  global_State* g;
  GCObject* gray = nullptr;  // marked objects whose references are not marked yet
  GCObject* wk = nullptr;    // tables with weak keys
  GCObject* wv = nullptr;    // tables with weak values
  GCObject* wkv = nullptr;   // tables with both
};

GCObject*& gclistof(GCObject* o) {
  switch (o->tt) {
    case LUA_TTABLE:
      return static_cast<Table*>(o)->gclist;
    case LUA_TFUNCTION:
      return static_cast<Closure*>(o)->gclist;
    case LUA_TTHREAD:
      return static_cast<lua_State*>(o)->gclist;
    default:
      return static_cast<Proto*>(o)->gclist;
  }
}

bool ismarked(const GCObject* o) { return (o->marked & MARKBIT) != 0; }

void markobject(GCState* st, GCObject* o);

void markvalue(GCState* st, const TObject* v) {
  if (iscollectable(v)) markobject(st, gcvalue(v));
}

void markobject(GCState* st, GCObject* o) {
  if (o == nullptr || ismarked(o)) return;
  o->marked |= MARKBIT;
  switch (o->tt) {
    case LUA_TSTRING:
    case LUA_TWSTRING:
      break;
    case LUA_TUSERDATA:
      markobject(st, static_cast<Udata*>(o)->metatable);
      break;
    default:  // tables, functions, threads and prototypes are traversed later
      // A table's array is fetched now, while the table waits its turn.
      if (o->tt == LUA_TTABLE) __builtin_prefetch(static_cast<Table*>(o)->array);
      gclistof(o) = st->gray;
      st->gray = o;
      break;
  }
}

// An upvalue keeps the value it refers to alive, open or closed: an open one
// may point into the stack of a thread that is itself dead.
void markupval(GCState* st, UpVal* u) {
  if (u->v != &u->value) {
    markvalue(st, u->v);
  } else if (!ismarked(u)) {
    u->marked |= MARKBIT;
    markvalue(st, &u->value);
  }
}

bool isstringvalue(const TObject* o) { return ttisstring(o) || ttiswstring(o); }

// In a weak table strings are values, never weak references.
void markweak(GCState* st, const TObject* o, bool weak) {
  if (!weak || isstringvalue(o)) markvalue(st, o);
}

const TObject* modeof(global_State* g, Table* mt) {
  if (mt->flags & (1u << TM_MODE)) return nullptr;
  return luaT_gettm(mt, TM_MODE, g->tmname[TM_MODE]);
}

void traversetable(GCState* st, Table* h) {
  markobject(st, h->metatable);
  const TObject* mode = modeof(st->g, h->metatable);
  bool weakkey = false, weakvalue = false;
  if (mode != nullptr && ttisstring(mode)) {
    weakkey = strchr(svalue(mode), 'k') != nullptr;
    weakvalue = strchr(svalue(mode), 'v') != nullptr;
  }
  h->marked &= static_cast<lu_byte>(~(KEYWEAKBIT | VALUEWEAKBIT));
  if (weakkey || weakvalue) {
    if (weakkey) h->marked |= KEYWEAKBIT;
    if (weakvalue) h->marked |= VALUEWEAKBIT;
    GCObject** list = weakkey && weakvalue ? &st->wkv : weakkey ? &st->wk : &st->wv;
    h->gclist = *list;
    *list = h;
  }
  for (int i = 0; i < h->sizearray; i++) {
    // Strings are marked on the spot (they reach nothing, and no table holds
    // them weakly): lists of a million strings are common.
    const TObject* v = &h->array[i];
    if (isstringvalue(v)) {
      gcvalue(v)->marked |= MARKBIT;
    } else {
      markweak(st, v, weakvalue);
    }
  }
  for (int i = sizenode(h) - 1; i >= 0; i--) {
    Node* n = gnode(h, i);
    if (ttisnil(gval(n))) {
      // A cleared key no longer keeps its object; it stays for `next` only.
      if (iscollectable(gkey(n))) gkey(n)->tt = LUA_TDEADKEY;
      continue;
    }
    markweak(st, gkey(n), weakkey);
    markweak(st, gval(n), weakvalue);
  }
}

void traverseclosure(GCState* st, Closure* cl) {
  if (cl->isC) {
    CClosure* c = static_cast<CClosure*>(cl);
    for (int i = 0; i < c->nupvalues; i++) markvalue(st, &c->upvalues()[i]);
    return;
  }
  LClosure* l = static_cast<LClosure*>(cl);
  markobject(st, l->p);
  markvalue(st, &l->g);
  for (int i = 0; i < l->nupvalues; i++) {
    if (l->upvals()[i] != nullptr) markupval(st, l->upvals()[i]);
  }
}

// Marks the live part of a thread's stack and clears the slots above it up
// to the highest frame limit, so no stale reference stays there.
void traversestack(GCState* st, lua_State* L1) {
  markvalue(st, gt(L1));
  if (L1->stack == nullptr) return;
  StkId lim = L1->top;
  for (CallInfo* ci = L1->base_ci; ci <= L1->ci; ci++) {
    if (lim < ci->top) lim = ci->top;
  }
  StkId o = L1->stack;
  for (; o < L1->top; o++) markvalue(st, o);
  const StkId end = L1->stack + L1->stacksize;
  for (; o <= lim && o < end; o++) setnilvalue(o);
}

void traverseproto(GCState* st, Proto* f) {
  markobject(st, f->source);
  for (int i = 0; i < f->sizek; i++) markvalue(st, &f->k[i]);
  for (int i = 0; i < f->sizeupvalues; i++) markobject(st, f->upvalues[i]);
  for (int i = 0; i < f->sizep; i++) markobject(st, f->p[i]);
  for (int i = 0; i < f->sizelocvars; i++) markobject(st, f->locvars[i].varname);
}

void propagatemarks(GCState* st) {
  while (GCObject* o = st->gray) {
    st->gray = gclistof(o);
    switch (o->tt) {
      case LUA_TTABLE:
        traversetable(st, static_cast<Table*>(o));
        break;
      case LUA_TFUNCTION:
        traverseclosure(st, static_cast<Closure*>(o));
        break;
      case LUA_TTHREAD:
        traversestack(st, static_cast<lua_State*>(o));
        break;
      default:
        traverseproto(st, static_cast<Proto*>(o));
        break;
    }
  }
}

// --- Weak tables ----------------------------------------------------------------

bool valismarked(const TObject* o) {
  if (isstringvalue(o)) {
    gcvalue(o)->marked |= MARKBIT;
    return true;
  }
  return !iscollectable(o) || ismarked(gcvalue(o));
}

void removeentry(Node* n) {
  setnilvalue(gval(n));
  if (iscollectable(gkey(n))) gkey(n)->tt = LUA_TDEADKEY;
}

void cleartablekeys(GCObject* list) {
  for (; list != nullptr; list = static_cast<Table*>(list)->gclist) {
    Table* h = static_cast<Table*>(list);
    for (int i = 0; i < sizenode(h); i++) {
      Node* n = gnode(h, i);
      if (!ttisnil(gval(n)) && !valismarked(gkey(n))) removeentry(n);
    }
  }
}

void cleartablevalues(GCObject* list) {
  for (; list != nullptr; list = static_cast<Table*>(list)->gclist) {
    Table* h = static_cast<Table*>(list);
    for (int i = 0; i < h->sizearray; i++) {
      if (!valismarked(&h->array[i])) setnilvalue(&h->array[i]);
    }
    for (int i = 0; i < sizenode(h); i++) {
      Node* n = gnode(h, i);
      if (!ttisnil(gval(n)) && !valismarked(gval(n))) removeentry(n);
    }
  }
}

// Marks everything reachable, keeps the userdata awaiting "__gc" (and what
// they reach) and clears dead entries of weak tables. Returns the bytes held
// by the userdata awaiting "__gc".
size_t mark(lua_State* L) {
  global_State* g = G(L);
  GCState st{g};
  markvalue(&st, defaultmeta(L));
  markvalue(&st, registry(L));
  for (const TObject& meta : g->typemeta) markvalue(&st, &meta);
  markobject(&st, g->mainthread);
  markobject(&st, L);
  propagatemarks(&st);
  // Weak values are cleared before dead userdata are kept for their "__gc".
  cleartablevalues(st.wkv);
  cleartablevalues(st.wv);
  GCObject* wkv = st.wkv;
  st.wkv = nullptr;
  st.wv = nullptr;
  const size_t deadmem = luaC_separateudata(L);
  for (GCObject* u = g->tmudata; u != nullptr; u = u->next) markobject(&st, u);
  propagatemarks(&st);
  cleartablekeys(wkv);
  cleartablekeys(st.wk);
  cleartablevalues(st.wv);
  cleartablekeys(st.wkv);
  cleartablevalues(st.wkv);
  return deadmem;
}

// --- Sweeping -------------------------------------------------------------------

void freeobj(lua_State* L, GCObject* o) {
  switch (o->tt) {
    case LUA_TPROTO:
      luaF_freeproto(L, static_cast<Proto*>(o));
      break;
    case LUA_TFUNCTION:
      luaF_freeclosure(L, static_cast<Closure*>(o));
      break;
    case LUA_TUPVAL:
      luaM_freeobject(L, static_cast<UpVal*>(o));
      break;
    case LUA_TTABLE:
      luaH_free(L, static_cast<Table*>(o));
      break;
    case LUA_TTHREAD:
      luaE_freethread(L, static_cast<lua_State*>(o));
      break;
    case LUA_TSTRING:
    case LUA_TWSTRING: {
      LString* ts = static_cast<LString*>(o);
      G(L)->strt.nuse--;
      luaM_freeobject(L, ts, luaS_blocksize(ts));
      break;
    }
    case LUA_TUSERDATA: {
      Udata* u = static_cast<Udata*>(o);
      luaM_freeobject(L, u, sizeof(Udata) + udatablocksize(u));
      break;
    }
  }
}

// Frees the unmarked objects of a list that are not fixed; unmarks the rest
// and hands each of them to `kept`.
template <class Kept>
void sweeplist(lua_State* L, GCObject** p, Kept kept) {
  while (GCObject* curr = *p) {
    __builtin_prefetch(curr->next);  // fetched while this one is dealt with
    if (curr->marked & (MARKBIT | FIXEDBIT)) {
      curr->marked &= static_cast<lu_byte>(~MARKBIT);
      kept(curr);
      p = &curr->next;
    } else {
      *p = curr->next;
      freeobj(L, curr);
    }
  }
}

void sweeplist(lua_State* L, GCObject** p) {
  sweeplist(L, p, [](GCObject*) {});
}

// Sweeps each chain of the string table and sets its signature anew from the
// strings that stay.
void sweepstrings(lua_State* L) {
  stringtable* tb = &G(L)->strt;
  for (int i = 0; i < tb->size; i++) {
    luaS_prefetchchain(tb, i);
    uint32_t signature = 0;
    sweeplist(L, &tb->hash[i], [&](GCObject* o) {
      signature |= luaS_signature(static_cast<LString*>(o)->hash);
    });
    tb->signatures[i] = signature;
  }
}

// Closes the open upvalues of every dead thread before the sweep: a live
// closure may still use them. They survive this sweep either way.
void closedeadthreads(lua_State* L) {
  global_State* g = G(L);
  int unseen = g->nthreads;
  for (GCObject* o = g->rootgc; o != nullptr && unseen > 0; o = o->next) {
    if (o->tt != LUA_TTHREAD) continue;
    unseen--;
    if (ismarked(o)) continue;
    lua_State* th = static_cast<lua_State*>(o);
    GCObject* oldhead = g->rootgc;
    luaF_close(th, th->stack);
    for (GCObject* up = g->rootgc; up != oldhead; up = up->next) up->marked |= MARKBIT;
  }
}

void sweep(lua_State* L) {
  global_State* g = G(L);
  sweepstrings(L);
  sweeplist(L, &g->rootudata);
  closedeadthreads(L);
  sweeplist(L, &g->rootgc);
  // Objects on no swept list are unmarked here, so the next collection
  // traverses them again.
  g->mainthread->marked &= static_cast<lu_byte>(~MARKBIT);
  for (GCObject* o = g->tmudata; o != nullptr; o = o->next) {
    o->marked &= static_cast<lu_byte>(~MARKBIT);
  }
}

void checksizes(lua_State* L, size_t deadmem) {
  global_State* g = G(L);
  if (g->strt.nuse < static_cast<uint32_t>(g->strt.size / 4) && g->strt.size > MINSTRTABSIZE * 2) {
    luaS_resize(L, g->strt.size / 2);
  }
  if (luaZ_sizebuffer(&g->buff) > LUA_MINBUFFER * 2) {
    luaZ_resizebuffer(L, &g->buff, luaZ_sizebuffer(&g->buff) / 2);
  }
  g->GCthreshold = 2 * g->nblocks - deadmem;
}

// --- Finalizers ---------------------------------------------------------------

void callgc(lua_State* L, void*) { luaD_call(L, L->top - 2, 0); }

// Calls "__gc" with the userdata, protected; an error is logged and dropped.
void callfinalizer(lua_State* L, const TObject* tm, Udata* u) {
  luaD_checkstack(L, 2);
  setobj(L->top, tm);
  setuvalue(L->top + 1, u);
  L->top += 2;
  const ptrdiff_t oldtop = savestack(L, L->top - 2);
  if (luaD_pcall(L, callgc, nullptr, oldtop, 0) != 0) {
    const TObject* err = L->top - 1;
    LogPrintf("Lua Error: %s\n\twhen running __gc",
              ttisstring(err) ? svalue(err) : "(error object is not a string)");
    L->top = restorestack(L, oldtop);
  }
}

void callallgc(lua_State* L, void*) { luaC_callGCTM(L); }

}  // namespace

void luaC_link(lua_State* L, GCObject* o, int tt) {
  global_State* g = G(L);
  o->next = g->rootgc;
  g->rootgc = o;
  o->marked = 0;
  o->tt = static_cast<lu_byte>(tt);
}

size_t luaC_separateudata(lua_State* L) {
  global_State* g = G(L);
  size_t deadmem = 0;
  GCObject* collected = nullptr;
  GCObject** lastcollected = &collected;
  GCObject** p = &g->rootudata;
  while (GCObject* curr = *p) {
    Udata* u = static_cast<Udata*>(curr);
    if (curr->marked & (MARKBIT | FINALIZEDBIT)) {
      p = &curr->next;
    } else if (fasttm(L, u->metatable, TM_GC) == nullptr) {
      curr->marked |= FINALIZEDBIT;  // nothing to call
      p = &curr->next;
    } else {
      deadmem += sizeof(Udata) + udatablocksize(u);
      *p = curr->next;
      curr->next = nullptr;
      *lastcollected = curr;
      lastcollected = &curr->next;
    }
  }
  *lastcollected = g->tmudata;
  g->tmudata = collected;
  return deadmem;
}

void luaC_callGCTM(lua_State* L) {
  global_State* g = G(L);
  const lu_byte oldallowhook = L->allowhook;
  L->allowhook = 0;
  while (GCObject* o = g->tmudata) {
    // Off the waiting list before the call, so every userdata is finalized once.
    Udata* u = static_cast<Udata*>(o);
    g->tmudata = o->next;
    o->next = g->rootudata;
    g->rootudata = o;
    o->marked = static_cast<lu_byte>((o->marked & ~MARKBIT) | FINALIZEDBIT);
    if (const TObject* tm = fasttm(L, u->metatable, TM_GC)) {
      const TObject method = *tm;
      callfinalizer(L, &method, u);
    }
  }
  L->allowhook = oldallowhook;
}

void luaC_collectgarbage(lua_State* L) {
  const size_t deadmem = mark(L);
  sweep(L);
  checksizes(L, deadmem);
  luaC_callGCTM(L);
}

void luaC_checkGC(lua_State* L) {
  global_State* g = G(L);
  if (g->gcstress || g->nblocks >= g->GCthreshold) luaC_collectgarbage(L);
}

void luaC_setstress(lua_State* L, bool on) { G(L)->gcstress = on; }

void luaC_callallgc(lua_State* L) {
  luaC_separateudata(L);
  L->errfunc = 0;
  do {
    L->ci = L->base_ci;
    L->base = L->top = L->ci->base;
    L->nCcalls = 0;
    G(L)->cdepth = 0;
  } while (luaD_rawrunprotected(L, callallgc, nullptr) != 0);
}

void luaC_freeall(lua_State* L) {
  global_State* g = G(L);
  for (GCObject** list : {&g->rootgc, &g->rootudata, &g->tmudata}) {
    while (GCObject* o = *list) {
      *list = o->next;
      freeobj(L, o);
    }
  }
  for (int i = 0; i < g->strt.size; i++) {
    while (GCObject* o = g->strt.hash[i]) {
      g->strt.hash[i] = o->next;
      freeobj(L, o);
    }
  }
}
