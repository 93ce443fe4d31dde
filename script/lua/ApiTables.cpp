// The C interface's table, metatable and environment operations.

#include "script/lua/Api.h"
#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Debug.h"
#include "script/lua/Metamethods.h"
#include "script/lua/Table.h"

namespace {

// The table at idx for the raw operations; any other value is an error as
// indexing it would be.
Table* tableat(lua_State* L, int idx) {
  const TObject* t = luaA_index(L, idx);
  if (!ttistable(t)) luaG_typeerror(L, t, "index");
  return hvalue(t);
}

bool isLfunction(const TObject* o) { return ttisfunction(o) && !clvalue(o)->isC; }

bool hastypemetatable(int type) { return type > LUA_TNIL && type < NUM_TYPEMETA; }

}  // namespace

// --- Reading ------------------------------------------------------------------

void lua_rawget(lua_State* L, int idx) {
  Table* t = tableat(L, idx);
  setobj(L->top - 1, luaH_get(t, L->top - 1));
}

void lua_rawgeti(lua_State* L, int idx, int n) {
  luaA_pushobject(L, luaH_getnum(tableat(L, idx), n));
}

void lua_newtable(lua_State* L) {
  luaC_checkGC(L);
  sethvalue(L->top, luaH_new(L, 0, 0));
  incr_top(L);
}

int lua_getmetatable(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  Table* mt = o != nullptr ? luaT_getmetatable(L, o) : nullptr;
  if (mt == nullptr) return 0;
  sethvalue(L->top, mt);
  incr_top(L);
  return 1;
}

void lua_getfenv(lua_State* L, int idx) {
  const TObject* o = luaA_index(L, idx);
  luaA_pushobject(L, isLfunction(o) ? &static_cast<LClosure*>(clvalue(o))->g : gt(L));
}

void lua_gettypemetatable(lua_State* L, int type) {
  luaA_pushobject(L, hastypemetatable(type) ? &G(L)->typemeta[type] : &luaO_nilobject);
}

// --- Writing ------------------------------------------------------------------

void lua_rawset(lua_State* L, int idx) {
  Table* t = tableat(L, idx);
  setobj(luaH_set(L, t, L->top - 2), L->top - 1);
  L->top -= 2;
}

void lua_rawseti(lua_State* L, int idx, int n) {
  Table* t = tableat(L, idx);
  setobj(luaH_setnum(L, t, n), L->top - 1);
  L->top--;
}

int lua_setmetatable(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  const TObject* mt = L->top - 1;
  Table* meta = ttisnil(mt) ? hvalue(defaultmeta(L)) : ttistable(mt) ? hvalue(mt) : nullptr;
  int done = 0;
  if (o != nullptr && meta != nullptr) {
    if (ttistable(o)) {
      hvalue(o)->metatable = meta;
      done = 1;
    } else if (ttisuserdata(o)) {
      uvalue(o)->metatable = meta;
      done = 1;
    }
  }
  L->top--;
  return done;
}

int lua_setfenv(lua_State* L, int idx) {
  const TObject* o = luaA_index(L, idx);
  const TObject* env = L->top - 1;
  int done = 0;
  if (isLfunction(o) && ttistable(env)) {
    setobj(&static_cast<LClosure*>(clvalue(o))->g, env);
    done = 1;
  }
  L->top--;
  return done;
}

void lua_settypemetatable(lua_State* L, int type) {
  const TObject* mt = L->top - 1;
  if (hastypemetatable(type) && ttistable(mt)) setobj(&G(L)->typemeta[type], mt);
  L->top--;
}

int lua_next(lua_State* L, int idx) {
  Table* t = tableat(L, idx);
  if (luaH_next(L, t, L->top - 1) == 0) {
    L->top--;
    return 0;
  }
  incr_top(L);
  return 1;
}
