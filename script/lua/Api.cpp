#include "script/lua/Api.h"

#include <cstring>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Function.h"
#include "script/lua/NumberText.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "script/lua/VirtualMachine.h"

// --- Indices ----------------------------------------------------------------

namespace {

TObject* upvalueslot(lua_State* L, int n) {
  const TObject* func = L->base - 1;
  if (!ttisfunction(func) || !clvalue(func)->isC) return nullptr;
  CClosure* cl = static_cast<CClosure*>(clvalue(func));
  return n <= cl->nupvalues ? &cl->upvalues()[n - 1] : nullptr;
}

Table* registrytable(lua_State* L) { return hvalue(registry(L)); }

int registrykey(int idx) { return LUA_REGISTRYENTRIES - idx; }

}  // namespace

StkId luaA_stackslot(lua_State* L, int idx) {
  if (idx > 0) {
    return idx <= L->top - L->base ? L->base + (idx - 1) : nullptr;
  }
  if (idx < 0 && idx > LUA_REGISTRYINDEX) {
    return -idx <= L->top - L->base ? L->top + idx : nullptr;
  }
  return nullptr;
}

TObject* luaA_slot(lua_State* L, int idx) {
  if (idx > LUA_REGISTRYINDEX) return luaA_stackslot(L, idx);
  if (idx == LUA_REGISTRYINDEX) return registry(L);
  if (idx == LUA_GLOBALSINDEX) return gt(L);
  if (idx >= LUA_REGISTRYENTRIES) return upvalueslot(L, LUA_GLOBALSINDEX - idx);
  const TObject* entry = luaH_getnum(registrytable(L), registrykey(idx));
  // A found entry is a slot of the registry table itself.
  return entry != &luaO_nilobject ? const_cast<TObject*>(entry) : nullptr;
}

const TObject* luaA_indexAcceptable(lua_State* L, int idx) {
  if (idx < LUA_REGISTRYENTRIES) return luaH_getnum(registrytable(L), registrykey(idx));
  return luaA_slot(L, idx);
}

const TObject* luaA_index(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  return o != nullptr ? o : &luaO_nilobject;
}

void luaA_pushobject(lua_State* L, const TObject* o) {
  setobj(L->top, o);
  incr_top(L);
}

namespace {

// The slot lua_replace stores into, or null when the value is dropped: a
// missing upvalue, or a value that is not a table for the registry or the
// table of globals. A registry entry is created when absent, so the store
// lands in the registry at that key.
TObject* storeslot(lua_State* L, int idx, const TObject* value) {
  if (idx == LUA_REGISTRYINDEX || idx == LUA_GLOBALSINDEX) {
    return ttistable(value) ? luaA_slot(L, idx) : nullptr;
  }
  if (idx < LUA_REGISTRYENTRIES) return luaH_setnum(L, registrytable(L), registrykey(idx));
  return luaA_slot(L, idx);
}

}  // namespace

// --- Stack ------------------------------------------------------------------

int lua_gettop(lua_State* L) { return static_cast<int>(L->top - L->base); }

void lua_settop(lua_State* L, int idx) {
  if (idx >= 0) {
    const ptrdiff_t grow = (L->base + idx) - L->top;
    if (grow > 0) luaD_checkstack(L, static_cast<int>(grow));
    while (L->top < L->base + idx) setnilvalue(L->top++);
    L->top = L->base + idx;
  } else if (-idx - 1 <= L->top - L->base) {
    L->top += idx + 1;
  } else {
    L->top = L->base;
  }
}

void lua_pushvalue(lua_State* L, int idx) { luaA_pushobject(L, luaA_index(L, idx)); }

void lua_remove(lua_State* L, int idx) {
  StkId p = luaA_stackslot(L, idx);
  if (p == nullptr) return;
  for (; p + 1 < L->top; p++) setobj(p, p + 1);
  L->top--;
}

void lua_insert(lua_State* L, int idx) {
  StkId p = luaA_stackslot(L, idx);
  if (p == nullptr) return;
  const TObject moved = *(L->top - 1);
  for (StkId q = L->top - 1; q > p; q--) setobj(q, q - 1);
  setobj(p, &moved);
}

void lua_replace(lua_State* L, int idx) {
  // The index counts with the value still on top: -2 names the slot below it.
  const TObject value = *(L->top - 1);
  if (TObject* slot = storeslot(L, idx, &value)) setobj(slot, &value);
  L->top--;
}

int lua_checkstack(lua_State* L, int size) {
  if (size < 0 || L->top - L->base + size > LUA_MAXCSTACK) return 0;
  luaD_checkstack(L, size);
  if (L->ci->top < L->top + size) L->ci->top = L->top + size;
  return 1;
}

void lua_xmove(lua_State* from, lua_State* to, int n) {
  from->top -= n;
  for (int i = 0; i < n; i++) {
    setobj(to->top, from->top + i);
    incr_top(to);
  }
}

// --- Type tests and comparison -------------------------------------------------

int lua_type(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  return o != nullptr ? ttype(o) : LUA_TNONE;
}

const char* lua_typename(lua_State*, int type) {
  return type >= LUA_TNIL && type <= LUA_TWSTRING ? luaT_typenames[type] : "no value";
}

int lua_isnumber(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  TObject n;
  return o != nullptr && luaV_tonumber(o, &n) != nullptr;
}

int lua_isstring(lua_State* L, int idx) {
  const int t = lua_type(L, idx);
  return t == LUA_TSTRING || t == LUA_TNUMBER || t == LUA_TWSTRING;
}

int lua_iscfunction(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  return o != nullptr && ttisfunction(o) && clvalue(o)->isC;
}

int lua_rawequal(lua_State* L, int idx1, int idx2) {
  const TObject* o1 = luaA_indexAcceptable(L, idx1);
  const TObject* o2 = luaA_indexAcceptable(L, idx2);
  return o1 != nullptr && o2 != nullptr && luaO_rawequalObj(o1, o2);
}

// --- Conversions ----------------------------------------------------------------

lua_Number lua_tonumber(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  TObject n;
  const TObject* number = o != nullptr ? luaV_tonumber(o, &n) : nullptr;
  return number != nullptr ? nvalue(number) : 0;
}

int lua_toboolean(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  return o != nullptr && !l_isfalse(o);
}

const char* lua_tostring(lua_State* L, int idx) {
  TObject* o = luaA_slot(L, idx);
  if (o == nullptr) return nullptr;
  if (ttisstring(o)) return svalue(o);
  if (!luaV_tostring(L, o)) return nullptr;
  // The string now lives in the slot, so a collection keeps it.
  const char* s = svalue(o);
  luaC_checkGC(L);
  return s;
}

const lua_WChar* lua_towstring(lua_State* L, int idx) {
  TObject* o = luaA_slot(L, idx);
  if (o == nullptr) return nullptr;
  if (ttiswstring(o)) return wsvalue(o);
  if (!luaV_towstring(L, o)) return nullptr;
  const lua_WChar* units = wsvalue(o);
  luaC_checkGC(L);
  return units;
}

size_t lua_strlen(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  if (o == nullptr) return 0;
  if (ttisstring(o) || ttiswstring(o)) return tsvalue(o)->len;
  // A number's text holds no zero byte. (The collection step that follows the
  // conversion may run finalizers that move the stack, so o is not reused.)
  const char* s = lua_tostring(L, idx);
  return s != nullptr ? strlen(s) : 0;
}

void* lua_touserdata(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  if (o == nullptr) return nullptr;
  if (ttislightuserdata(o)) return pvalue(o);
  if (ttisuserdata(o)) return udataaddress(uvalue(o));
  return nullptr;
}

lua_State* lua_tothread(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  return o != nullptr && ttisthread(o) ? thvalue(o) : nullptr;
}

const void* lua_topointer(lua_State* L, int idx) {
  const TObject* o = luaA_indexAcceptable(L, idx);
  if (o == nullptr) return nullptr;
  switch (ttype(o)) {
    case LUA_TTABLE:
    case LUA_TFUNCTION:
    case LUA_TTHREAD:
      return gcvalue(o);
    case LUA_TLIGHTUSERDATA:
    case LUA_TUSERDATA:
      return lua_touserdata(L, idx);
    default:
      return nullptr;
  }
}

// --- Pushes -----------------------------------------------------------------------

void lua_pushnil(lua_State* L) {
  setnilvalue(L->top);
  incr_top(L);
}

void lua_pushnumber(lua_State* L, lua_Number n) {
  setnvalue(L->top, n);
  incr_top(L);
}

void lua_pushlstring(lua_State* L, const char* s, size_t len) {
  luaC_checkGC(L);
  setsvalue(L->top, luaS_newlstr(L, s, len));
  incr_top(L);
}

void lua_pushstring(lua_State* L, const char* s) {
  if (s == nullptr) {
    lua_pushnil(L);
  } else {
    lua_pushlstring(L, s, strlen(s));
  }
}

const char* lua_pushvfstring(lua_State* L, const char* fmt, va_list argp) {
  luaC_checkGC(L);
  return luaO_pushvfstring(L, fmt, argp);
}

const char* lua_pushfstring(lua_State* L, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  const char* s = lua_pushvfstring(L, fmt, argp);
  va_end(argp);
  return s;
}

void lua_pushlwstring(lua_State* L, const lua_WChar* units, size_t len) {
  setwsvalue(L->top, luaS_newlwstr(L, units, len));
  incr_top(L);
}

void lua_pushwstring(lua_State* L, const lua_WChar* units) {
  if (units == nullptr) {
    lua_pushnil(L);
  } else {
    lua_pushlwstring(L, units, lua_wstrlen(units));
  }
}

void lua_pushcclosure(lua_State* L, lua_CFunction fn, int n) {
  luaC_checkGC(L);
  CClosure* cl = static_cast<CClosure*>(luaF_newCclosure(L, n));
  cl->f = fn;
  L->top -= n;
  for (int i = 0; i < n; i++) setobj(&cl->upvalues()[i], L->top + i);
  setclvalue(L->top, cl);
  incr_top(L);
}

void lua_pushboolean(lua_State* L, int b) {
  setbvalue(L->top, b);
  incr_top(L);
}

void lua_pushlightuserdata(lua_State* L, void* p) {
  setpvalue(L->top, p);
  incr_top(L);
}

void lua_pushboxedpointer(lua_State* L, void* p) {
  luaC_checkGC(L);
  setuvalue(L->top, luaS_newboxedpointer(L, p));
  incr_top(L);
}

void* lua_newuserdata(lua_State* L, size_t size) {
  luaC_checkGC(L);
  Udata* u = luaS_newudata(L, size);
  setuvalue(L->top, u);
  incr_top(L);
  return getudata(u);
}
