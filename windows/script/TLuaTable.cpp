#include "windows/script/TLuaTable.h"

#include "platform/text/Log.h"
#include "windows/script/LuaBinding.h"

namespace {

// (table, key) -> the next key and value; nothing at the end or for a value
// that is no table. Raises an error for a key that is no longer in the
// table, so it runs protected.
int NextPair(lua_State* L) {
  if (!lua_istable(L, 1)) return 0;
  lua_settop(L, 2);
  return lua_next(L, 1) ? 2 : 0;
}

}  // namespace

bool TLuaTable::PushField(const char* key) const {
  Push();
  if (!lua_istable(mState, -1)) {
    lua_pop(mState, 1);
    return false;
  }
  lua_pushstring(mState, key);
  lua_rawget(mState, -2);
  lua_remove(mState, -2);
  return true;
}

bool TLuaTable::PushFieldAt(int key) const {
  Push();
  if (!lua_istable(mState, -1)) {
    lua_pop(mState, 1);
    return false;
  }
  lua_rawgeti(mState, -1, key);
  lua_remove(mState, -2);
  return true;
}

TString TLuaTable::TextOfTop(const TString& fallback) const {
  const char* text = lua_tostring(mState, -1);
  TString result = text != nullptr ? TString(text) : fallback;
  lua_pop(mState, 1);
  return result;
}

double TLuaTable::NumberOfTop(double fallback) const {
  const double result = lua_isnumber(mState, -1) ? lua_tonumber(mState, -1) : fallback;
  lua_pop(mState, 1);
  return result;
}

std::unique_ptr<TLuaTable> TLuaTable::TableOfTop() const {
  if (lua_istable(mState, -1)) return std::make_unique<TLuaTable>(mState);
  lua_pop(mState, 1);
  return nullptr;
}

TString TLuaTable::GetString(const char* key, const TString& fallback) const {
  return PushField(key) ? TextOfTop(fallback) : fallback;
}

TString TLuaTable::GetStringAt(int key, const TString& fallback) const {
  return PushFieldAt(key) ? TextOfTop(fallback) : fallback;
}

double TLuaTable::GetNumber(const char* key, double fallback) const {
  return PushField(key) ? NumberOfTop(fallback) : fallback;
}

double TLuaTable::GetNumberAt(int key, double fallback) const {
  return PushFieldAt(key) ? NumberOfTop(fallback) : fallback;
}

bool TLuaTable::GetBool(const char* key, bool fallback) const {
  if (!PushField(key)) return fallback;
  const bool result = lua_isnil(mState, -1) ? fallback : lua_toboolean(mState, -1) != 0;
  lua_pop(mState, 1);
  return result;
}

std::unique_ptr<TLuaTable> TLuaTable::GetTable(const char* key) const {
  return PushField(key) ? TableOfTop() : nullptr;
}

std::unique_ptr<TLuaTable> TLuaTable::GetTableAt(int key) const {
  return PushFieldAt(key) ? TableOfTop() : nullptr;
}

std::unique_ptr<TLuaObjectWrapper> TLuaTable::Next(std::unique_ptr<TLuaObjectWrapper>& key) const {
  const int height = lua_gettop(mState);
  lua_pushcfunction(mState, NextPair);
  Push();
  if (key) {
    key->Push();
  } else {
    lua_pushnil(mState);
  }
  key.reset();
  std::unique_ptr<TLuaObjectWrapper> value;
  if (lua_pcall(mState, 2, 2, 0) != 0) {
    LogPrintf("TLuaTable::Next: %s", LuaText(mState, -1));
  } else if (!lua_isnil(mState, -2)) {
    value = std::make_unique<TLuaObjectWrapper>(mState);
    key = std::make_unique<TLuaObjectWrapper>(mState);
  }
  lua_settop(mState, height);
  return value;
}
