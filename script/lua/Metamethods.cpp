#include "script/lua/Metamethods.h"

#include "script/lua/Strings.h"
#include "script/lua/Table.h"

namespace {

const char* const kEventNames[TM_N] = {
    "__index", "__newindex", "__gc", "__mode", "__eq",  "__add", "__sub",    "__mul",
    "__div",   "__pow",      "__unm", "__lt",  "__le",  "__concat", "__call",
};

}  // namespace

void luaT_init(lua_State* L) {
  for (int i = 0; i < TM_N; i++) {
    G(L)->tmname[i] = luaS_new(L, kEventNames[i]);
    luaS_fix(G(L)->tmname[i]);
  }
}

const TObject* luaT_gettm(Table* events, TMS event, LString* ename) {
  const TObject* tm = luaH_getstr(events, ename);
  if (!ttisnil(tm)) return tm;
  if (event <= TM_EQ) events->flags |= static_cast<lu_byte>(1u << event);
  return nullptr;
}

const TObject* luaT_gettmbyobj(lua_State* L, const TObject* o, TMS event) {
  Table* mt;
  switch (ttype(o)) {
    case LUA_TTABLE:
      mt = hvalue(o)->metatable;
      break;
    case LUA_TUSERDATA:
      mt = uvalue(o)->metatable;
      break;
    default:
      return &G(L)->typemeta[ttype(o)];
  }
  return luaH_getstr(mt, G(L)->tmname[event]);
}

Table* luaT_getmetatable(lua_State* L, const TObject* o) {
  switch (ttype(o)) {
    case LUA_TTABLE:
      return hvalue(o)->metatable;
    case LUA_TUSERDATA:
      return uvalue(o)->metatable;
    default: {
      const TObject* entry = &G(L)->typemeta[ttype(o)];
      return ttistable(entry) ? hvalue(entry) : nullptr;
    }
  }
}
