#include "windows/script/TLuaObjectWrapper.h"

#include "windows/script/LuaBinding.h"

TLuaObjectWrapper::TLuaObjectWrapper(lua_State* L) : mState(L) {
  if (lua_gettop(L) == 0) lua_pushnil(L);
  lua_pushlightuserdata(L, this);
  lua_insert(L, -2);
  lua_rawset(L, LUA_REGISTRYINDEX);
}

TLuaObjectWrapper::~TLuaObjectWrapper() {
  lua_pushlightuserdata(mState, this);
  lua_pushnil(mState);
  lua_rawset(mState, LUA_REGISTRYINDEX);
}

void TLuaObjectWrapper::Push() const {
  lua_pushlightuserdata(mState, const_cast<TLuaObjectWrapper*>(this));
  lua_rawget(mState, LUA_REGISTRYINDEX);
}

int TLuaFunction::Call() {
  const int height = lua_gettop(mState);
  Push();
  int status = 0;
  if (lua_isfunction(mState, -1)) {
    PushGlobal(mState, "_ALERT");
    lua_insert(mState, -2);
    status = lua_pcall(mState, 0, 1, height + 1);
  }
  lua_settop(mState, height);
  return status;
}
