#include "windows/script/LuaBinding.h"

#include <cmath>

namespace {

constexpr char kNoText[] = "(no text)";
// 2^63: from here on a number has no 64-bit integer part to truncate to.
constexpr double kTruncationLimit = 9223372036854775808.0;

}  // namespace

void PushString(lua_State* L, const TString& text) { lua_pushlstring(L, text.CStr(), text.Length()); }

const char* LuaText(lua_State* L, int index) {
  const char* text = lua_tostring(L, index);
  return text != nullptr ? text : kNoText;
}

int32_t LuaNumberToInt(lua_Number number) {
  if (!(std::fabs(number) < kTruncationLimit)) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(number)));
}

void PushGlobal(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_rawget(L, LUA_GLOBALSINDEX);
}

void SetGlobal(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_insert(L, -2);
  lua_rawset(L, LUA_GLOBALSINDEX);
}

void SetRawField(lua_State* L, const char* key) {
  lua_pushstring(L, key);
  lua_insert(L, -2);
  lua_rawset(L, -3);
}
