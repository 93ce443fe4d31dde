#include "script/lua/FormatArguments.h"

#include "script/lua/Auxlib.h"

FormatArguments::FormatArguments(lua_State* L, int first)
    : mL(L), mCount(lua_gettop(L)), mNext(first) {}

int FormatArguments::Next(const char* tname) {
  const int arg = mNext++;
  if (arg > mCount) {
    luaL_argerror(mL, arg, lua_pushfstring(mL, "%s expected, got no value", tname));
  }
  return arg;
}
