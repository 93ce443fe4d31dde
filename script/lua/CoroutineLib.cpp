// The coroutine library: the table "coroutine" that luaopen_base registers.

#include "script/lua/Auxlib.h"
#include "script/lua/BaseLib.h"

namespace {

// Moves narg arguments from L to co and resumes it. Returns the number of
// values it yielded or returned, now on L; -1 after an error, whose object is
// then on L.
int auxresume(lua_State* L, lua_State* co, int narg) {
  if (!lua_checkstack(co, narg)) luaL_error(L, "too many arguments to resume");
  lua_xmove(L, co, narg);
  if (lua_resume(co, narg) != 0) {
    lua_xmove(co, L, 1);
    return -1;
  }
  const int nres = lua_gettop(co);
  if (!lua_checkstack(L, nres)) luaL_error(L, "too many results to resume");
  lua_xmove(co, L, nres);
  return nres;
}

lua_State* checkcoroutine(lua_State* L) {
  lua_State* co = lua_tothread(L, 1);
  luaL_argcheck(L, co != nullptr, 1, "coroutine expected");
  return co;
}

int luaB_cocreate(lua_State* L) {
  lua_State* NL = lua_newthread(L);
  luaL_argcheck(L, lua_isfunction(L, 1) && !lua_iscfunction(L, 1), 1, "Lua function expected");
  lua_pushvalue(L, 1);
  lua_xmove(L, NL, 1);
  return 1;
}

int luaB_coresume(lua_State* L) {
  lua_State* co = checkcoroutine(L);
  const int r = auxresume(L, co, lua_gettop(L) - 1);
  if (r < 0) {
    lua_pushboolean(L, 0);
    lua_insert(L, -2);
    return 2;
  }
  lua_pushboolean(L, 1);
  lua_insert(L, -(r + 1));
  return r + 1;
}

// The function `wrap` makes: resumes its coroutine and raises its errors
// again, with the position of the caller before a text message.
int auxwrap(lua_State* L) {
  lua_State* co = lua_tothread(L, lua_upvalueindex(1));
  const int r = auxresume(L, co, lua_gettop(L));
  if (r < 0) {
    if (lua_isstring(L, -1)) luaB_addposition(L, 1);
    lua_error(L);
  }
  return r;
}

int luaB_cowrap(lua_State* L) {
  luaB_cocreate(L);
  lua_pushcclosure(L, auxwrap, 1);
  return 1;
}

int luaB_yield(lua_State* L) { return lua_yield(L, lua_gettop(L)); }

int luaB_costatus(lua_State* L) {
  lua_State* co = checkcoroutine(L);
  lua_Debug ar;
  if (L == co) {
    lua_pushstring(L, "running");
  } else if (lua_getstack(co, 0, &ar) == 0 && lua_gettop(co) == 0) {
    lua_pushstring(L, "dead");
  } else {
    lua_pushstring(L, "suspended");
  }
  return 1;
}

const luaL_reg kCoroutineFunctions[] = {
    {"create", luaB_cocreate},
    {"wrap", luaB_cowrap},
    {"resume", luaB_coresume},
    {"yield", luaB_yield},
    {"status", luaB_costatus},
    {nullptr, nullptr},
};

}  // namespace

void luaB_opencoroutine(lua_State* L) { luaL_openlib(L, "coroutine", kCoroutineFunctions, 0); }
