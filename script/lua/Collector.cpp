#include "script/lua/Collector.h"

#include "script/lua/Function.h"
#include "script/lua/Memory.h"
#include "script/lua/State.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"

namespace {

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

void freelist(lua_State* L, GCObject** list) {
  while (GCObject* o = *list) {
    *list = o->next;
    freeobj(L, o);
  }
}

}  // namespace

void luaC_link(lua_State* L, GCObject* o, int tt) {
  global_State* g = G(L);
  o->next = g->rootgc;
  g->rootgc = o;
  o->marked = 0;
  o->tt = static_cast<lu_byte>(tt);
}

void luaC_freeall(lua_State* L) {
  global_State* g = G(L);
  freelist(L, &g->rootgc);
  freelist(L, &g->rootudata);
  freelist(L, &g->tmudata);
  for (int i = 0; i < g->strt.size; i++) freelist(L, &g->strt.hash[i]);
}
