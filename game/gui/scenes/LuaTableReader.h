#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "platform/text/TString.h"
#include "platform/types/TVec2.h"
#include "script/lua/Lua.h"

class TLuaTable;
class TScript;

namespace GUI {

// One key of a wrapped Lua table, with access to its value through the
// readers below. A key name that is empty marks a number key.
struct TLuaTableEntry {
  const TLuaTable* table = nullptr;  // not owned; outlives the entry
  TString keyName;
  double keyNumber = 0.0;
};

// Puts the Lua stack back to the height it had when the guard was made, so
// that a reader leaves the stack as it found it whatever it pushed.
class TLuaStackGuard {
 public:
  explicit TLuaStackGuard(lua_State* L) : mState(L), mTop(lua_gettop(L)) {}
  ~TLuaStackGuard() { lua_settop(mState, mTop); }
  TLuaStackGuard(const TLuaStackGuard&) = delete;
  TLuaStackGuard& operator=(const TLuaStackGuard&) = delete;

 private:
  lua_State* mState;
  int mTop;
};

// Runs the data-folder script through "require" on the script's state, the
// data folder alone being searched; the caller's search path is restored.
void RequireDataScript(TScript& script, const TString& fileName);

// Every key of the table in the order of its traversal: a key of type
// number gives a number entry, a string key a name entry (a numeric string
// stays a name); keys of any other type are skipped. Empty for null.
std::vector<TLuaTableEntry> ReadLuaTableEntries(const TLuaTable* table);

// The value as a table; null when it is none.
std::unique_ptr<TLuaTable> GetEntryTable(const TLuaTableEntry& entry);
// 0.0 for a value that is no number (numeric text converts).
double GetEntryNumber(const TLuaTableEntry& entry);
// Empty for a value without text.
TString GetEntryString(const TLuaTableEntry& entry);
// False for nil and false, and when the value is missing.
bool GetEntryBool(const TLuaTableEntry& entry);
// Items 1 and 2 of the value table as x and y, each 0 when missing; (0, 0)
// when the value is no table.
TVec2 GetEntryVec2(const TLuaTableEntry& entry);
// Items 1 and 2 of the value table truncated toward zero to 32 bits.
std::pair<int32_t, int32_t> GetEntryIntPair(const TLuaTableEntry& entry);
bool IsNumberKey(const TLuaTableEntry& entry);

}  // namespace GUI
