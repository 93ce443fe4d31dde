#include "script/lua/Auxlib.h"

#include <cstring>

#include "script/lua/Api.h"
#include "script/lua/Object.h"
#include "script/lua/Table.h"

namespace {

// The registry key of the table of sizes.
constexpr int kSizesKey = 2;

// A relative index as an absolute one, so it survives pushes.
int absindex(lua_State* L, int idx) {
  return idx > 0 || idx <= LUA_REGISTRYINDEX ? idx : lua_gettop(L) + idx + 1;
}

[[noreturn]] void tagerror(lua_State* L, int narg, int tag) {
  luaL_typerror(L, narg, lua_typename(L, tag));
}

}  // namespace

// --- Registration and metafields ------------------------------------------------

void luaL_openlib(lua_State* L, const char* libname, const luaL_reg* list, int nup) {
  if (libname != nullptr) {
    lua_getglobal(L, libname);
    if (lua_isnil(L, -1)) {
      lua_pop(L, 1);
      lua_newtable(L);
      lua_pushvalue(L, -1);
      lua_setglobal(L, libname);
    }
    lua_insert(L, -(nup + 1));
  }
  for (; list->name != nullptr; list++) {
    lua_pushstring(L, list->name);
    for (int i = 0; i < nup; i++) lua_pushvalue(L, -(nup + 1));
    lua_pushcclosure(L, list->func, nup);
    lua_settable(L, -(nup + 3));
  }
  lua_pop(L, nup);
}

int luaL_getmetafield(lua_State* L, int obj, const char* event) {
  if (!lua_getmetatable(L, obj)) return 0;
  lua_pushstring(L, event);
  lua_rawget(L, -2);
  if (lua_isnil(L, -1)) {
    lua_pop(L, 2);
    return 0;
  }
  lua_remove(L, -2);
  return 1;
}

int luaL_callmeta(lua_State* L, int obj, const char* event) {
  obj = absindex(L, obj);
  if (!luaL_getmetafield(L, obj, event)) return 0;
  lua_pushvalue(L, obj);
  lua_call(L, 1, 1);
  return 1;
}

// --- Errors ---------------------------------------------------------------------

void luaL_where(lua_State* L, int lvl) {
  lua_Debug ar;
  if (lua_getstack(L, lvl, &ar) && lua_getinfo(L, "Sl", &ar) && ar.currentline > 0) {
    lua_pushfstring(L, "%s:%d: ", ar.short_src, ar.currentline);
    return;
  }
  lua_pushlstring(L, "", 0);
}

int luaL_error(lua_State* L, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  luaL_where(L, 1);
  lua_pushvfstring(L, fmt, argp);
  va_end(argp);
  lua_concat(L, 2);
  lua_error(L);
}

int luaL_argerror(lua_State* L, int narg, const char* extramsg) {
  lua_Debug ar;
  const char* name = nullptr;
  if (lua_getstack(L, 0, &ar) && lua_getinfo(L, "n", &ar)) {
    name = ar.name;
    if (ar.namewhat != nullptr && strcmp(ar.namewhat, "method") == 0) {
      narg--;  // the self argument is not counted
      if (narg == 0) luaL_error(L, "calling `%s' on bad self (%s)", name, extramsg);
    }
  }
  luaL_error(L, "bad argument #%d to `%s' (%s)", narg, name != nullptr ? name : "?", extramsg);
}

int luaL_typerror(lua_State* L, int narg, const char* tname) {
  const char* msg =
      lua_pushfstring(L, "%s expected, got %s", tname, lua_typename(L, lua_type(L, narg)));
  luaL_argerror(L, narg, msg);
}

// --- Argument checks --------------------------------------------------------------

void luaL_checkstack(lua_State* L, int sz, const char* msg) {
  if (!lua_checkstack(L, sz)) luaL_error(L, "stack overflow (%s)", msg);
}

void luaL_checktype(lua_State* L, int narg, int t) {
  if (lua_type(L, narg) != t) tagerror(L, narg, t);
}

void luaL_checkany(lua_State* L, int narg) {
  if (lua_type(L, narg) == LUA_TNONE) luaL_argerror(L, narg, "value expected");
}

const char* luaL_checklstring(lua_State* L, int narg, size_t* len) {
  const char* s = lua_tostring(L, narg);
  if (s == nullptr) tagerror(L, narg, LUA_TSTRING);
  if (len != nullptr) *len = lua_strlen(L, narg);
  return s;
}

const char* luaL_optlstring(lua_State* L, int narg, const char* def, size_t* len) {
  if (!lua_isnoneornil(L, narg)) return luaL_checklstring(L, narg, len);
  if (len != nullptr) *len = def != nullptr ? strlen(def) : 0;
  return def;
}

const lua_WChar* luaL_checkwstring(lua_State* L, int narg, size_t* len) {
  const lua_WChar* units = lua_towstring(L, narg);
  if (units == nullptr) tagerror(L, narg, LUA_TWSTRING);
  if (len != nullptr) *len = lua_strlen(L, narg);
  return units;
}

lua_Number luaL_checknumber(lua_State* L, int narg) {
  const lua_Number n = lua_tonumber(L, narg);
  if (n == 0 && !lua_isnumber(L, narg)) tagerror(L, narg, LUA_TNUMBER);
  return n;
}

lua_Number luaL_optnumber(lua_State* L, int narg, lua_Number def) {
  return lua_isnoneornil(L, narg) ? def : luaL_checknumber(L, narg);
}

int luaL_checkint(lua_State* L, int narg) {
  return static_cast<int32_t>(luaO_num2bits(luaL_checknumber(L, narg)));
}

int luaL_optint(lua_State* L, int narg, int def) {
  return lua_isnoneornil(L, narg) ? def : luaL_checkint(L, narg);
}

// --- Table sizes --------------------------------------------------------------------

namespace {

// Pops `count` values, the top one a size: its value, or -1 when it is not a
// number or is negative. Text that reads as a number is not a size.
int popsize(lua_State* L, int count) {
  int n = -1;
  if (lua_type(L, -1) == LUA_TNUMBER) {
    n = static_cast<int32_t>(luaO_num2bits(lua_tonumber(L, -1)));
    if (n < 0) n = -1;
  }
  lua_pop(L, count);
  return n;
}

// Pushes the table of sizes, made on first use: weak keys, its own metatable.
void pushsizes(lua_State* L) {
  lua_rawgeti(L, LUA_REGISTRYINDEX, kSizesKey);
  if (!lua_isnil(L, -1)) return;
  lua_pop(L, 1);
  lua_newtable(L);
  lua_pushvalue(L, -1);
  lua_setmetatable(L, -2);
  lua_pushstring(L, "__mode");
  lua_pushstring(L, "k");
  lua_rawset(L, -3);
  lua_pushvalue(L, -1);
  lua_rawseti(L, LUA_REGISTRYINDEX, kSizesKey);
}

// The count of non-nil entries from 1 upwards, read straight from the table:
// lists of a million entries are counted this way.
int countentries(Table* h) {
  int n = 0;
  while (n < h->sizearray && !ttisnil(&h->array[n])) n++;
  if (n < h->sizearray) return n;
  while (!ttisnil(luaH_getnum(h, n + 1))) n++;
  return n;
}

// Pushes the field "n" of the table at t.
void pushfieldn(lua_State* L, int t) {
  lua_pushstring(L, "n");
  lua_rawget(L, t);
}

}  // namespace

void luaL_setn(lua_State* L, int t, int n) {
  t = absindex(L, t);
  pushfieldn(L, t);
  if (popsize(L, 1) >= 0) {
    lua_pushstring(L, "n");
    lua_pushnumber(L, n);
    lua_rawset(L, t);
    return;
  }
  pushsizes(L);
  lua_pushvalue(L, t);
  lua_pushnumber(L, n);
  lua_rawset(L, -3);
  lua_pop(L, 1);
}

int luaL_getn(lua_State* L, int t) {
  t = absindex(L, t);
  pushfieldn(L, t);
  int n = popsize(L, 1);
  if (n >= 0) return n;
  pushsizes(L);
  lua_pushvalue(L, t);
  lua_rawget(L, -2);
  n = popsize(L, 2);
  if (n >= 0) return n;
  return countentries(hvalue(luaA_index(L, t)));
}
