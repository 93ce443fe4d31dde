// Opening the standard libraries together (Lualib.h).

#include "script/lua/Lualib.h"

void luaL_openlibs(lua_State* L) {
  const lua_CFunction openers[] = {luaopen_base, luaopen_string, luaopen_table};
  for (lua_CFunction open : openers) {
    const int top = lua_gettop(L);
    open(L);
    lua_settop(L, top);
  }
}
