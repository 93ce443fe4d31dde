#include "game/gui/scenes/LuaTableReader.h"

#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScript.h"

namespace GUI {

namespace {

// Data scripts are names of the data folder, looked for nowhere else.
constexpr char kDataScriptSearchPath[] = "assets/?";

// Pushes the entry's value (nil when its table is no table).
void PushEntryValue(const TLuaTableEntry& entry) {
  lua_State* L = entry.table->GetState();
  entry.table->Push();
  if (!lua_istable(L, -1)) {
    lua_pop(L, 1);
    lua_pushnil(L);
    return;
  }
  if (IsNumberKey(entry)) {
    lua_pushnumber(L, entry.keyNumber);
  } else {
    PushString(L, entry.keyName);
  }
  lua_rawget(L, -2);
  lua_remove(L, -2);
}

}  // namespace

void RequireDataScript(TScript& script, const TString& fileName) {
  const TString callersPath = GetScriptSearchPath();
  SetScriptSearchPath(kDataScriptSearchPath);
  script.DoLuaString(TString::Format("require '%s'", fileName.CStr()).CStr());
  SetScriptSearchPath(callersPath);
}

std::vector<TLuaTableEntry> ReadLuaTableEntries(const TLuaTable* table) {
  std::vector<TLuaTableEntry> entries;
  if (table == nullptr) return entries;
  lua_State* L = table->GetState();
  std::unique_ptr<TLuaObjectWrapper> key;
  while (table->Next(key)) {
    TLuaStackGuard guard(L);
    key->Push();
    // A numeric string stays a name: read as a number it would be looked up
    // under a key that does not hold its value.
    if (lua_type(L, -1) == LUA_TNUMBER) {
      entries.push_back({table, TString(), lua_tonumber(L, -1)});
    } else if (lua_type(L, -1) == LUA_TSTRING) {
      entries.push_back({table, TString(lua_tostring(L, -1)), 0.0});
    }
  }
  return entries;
}

std::unique_ptr<TLuaTable> GetEntryTable(const TLuaTableEntry& entry) {
  lua_State* L = entry.table->GetState();
  TLuaStackGuard guard(L);
  PushEntryValue(entry);
  if (!lua_istable(L, -1)) return nullptr;
  return std::make_unique<TLuaTable>(L);
}

double GetEntryNumber(const TLuaTableEntry& entry) {
  lua_State* L = entry.table->GetState();
  TLuaStackGuard guard(L);
  PushEntryValue(entry);
  return lua_isnumber(L, -1) ? lua_tonumber(L, -1) : 0.0;
}

TString GetEntryString(const TLuaTableEntry& entry) {
  lua_State* L = entry.table->GetState();
  TLuaStackGuard guard(L);
  PushEntryValue(entry);
  const char* text = lua_tostring(L, -1);
  return TString(text != nullptr ? text : "");
}

bool GetEntryBool(const TLuaTableEntry& entry) {
  lua_State* L = entry.table->GetState();
  TLuaStackGuard guard(L);
  PushEntryValue(entry);
  return lua_toboolean(L, -1) != 0;
}

TVec2 GetEntryVec2(const TLuaTableEntry& entry) {
  const std::unique_ptr<TLuaTable> value = GetEntryTable(entry);
  if (!value) return TVec2();
  const double y = value->GetNumberAt(2, 0.0);
  const double x = value->GetNumberAt(1, 0.0);
  return TVec2(static_cast<float>(x), static_cast<float>(y));
}

std::pair<int32_t, int32_t> GetEntryIntPair(const TLuaTableEntry& entry) {
  const std::unique_ptr<TLuaTable> value = GetEntryTable(entry);
  if (!value) return {0, 0};
  return {LuaNumberToInt(value->GetNumberAt(1, 0.0)), LuaNumberToInt(value->GetNumberAt(2, 0.0))};
}

bool IsNumberKey(const TLuaTableEntry& entry) { return entry.keyName.IsEmpty(); }

}  // namespace GUI
