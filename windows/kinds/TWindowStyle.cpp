#include "windows/kinds/TWindowStyle.h"

#include "windows/script/TScript.h"

TWindowStyle::TWindowStyle(TScript& script, std::unique_ptr<TLuaObjectWrapper> table)
    : mScript(script), mTable(std::move(table)) {}

TWindowStyle::~TWindowStyle() = default;

double TWindowStyle::GetNumber(const char* key, double fallback) const {
  if (!mTable || mTable->GetState() != mScript.GetState()) return fallback;
  lua_State* L = mScript.GetState();
  const int top = lua_gettop(L);
  mTable->Push();
  const double number = mScript.GetNumber(key, fallback);
  lua_settop(L, top);
  return number;
}
