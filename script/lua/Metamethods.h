#pragma once

#include "script/lua/State.h"

// Metamethod lookup. Tables and full userdata use their own metatable. Every
// other value uses the per-type metatable of its tag, and that table itself
// stands for every metamethod of such values: as "__index" it is the table in
// which keys are looked up (so methods of the string library are found for a
// string), as "__newindex" the table that receives assignments. Nil has no
// per-type table.

// Interns and fixes the event names.
void luaT_init(lua_State* L);

// The metamethod for event in the metatable `events`, or null; for the events
// up to TM_EQ an absence is cached in the table's flags.
const TObject* luaT_gettm(Table* events, TMS event, LString* ename);

// As luaT_gettm, answering from the cache when it can.
inline const TObject* fasttm(lua_State* L, Table* et, TMS event) {
  if (et == nullptr || (et->flags & (1u << event))) return nullptr;
  return luaT_gettm(et, event, G(L)->tmname[event]);
}

// The metamethod of a value for an event (&luaO_nilobject when none).
const TObject* luaT_gettmbyobj(lua_State* L, const TObject* o, TMS event);

// The metatable lua_getmetatable reports, or null (for nil).
Table* luaT_getmetatable(lua_State* L, const TObject* o);
