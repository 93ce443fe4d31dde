#include "windows/TWindowStyle.h"

#include "windows/TScript.h"

TWindowStyle::TWindowStyle(std::unique_ptr<TLuaObjectWrapper> table) : mTable(std::move(table)) {}

TWindowStyle::~TWindowStyle() = default;

double TWindowStyle::GetNumber(TScript& script, const char* key, double fallback) const {
  if (!mTable || mTable->GetState() != script.GetState()) return fallback;
  lua_State* L = script.GetState();
  const int top = lua_gettop(L);
  mTable->Push();
  const double number = script.GetNumber(key, fallback);
  lua_settop(L, top);
  return number;
}
