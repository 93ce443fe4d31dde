// The C interface's operations that work as the script's own do, metamethods
// included: indexing, assignment, order and concatenation.

#include "script/lua/Api.h"
#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/VirtualMachine.h"

// The operands go to the machine as copies (the stack keeps them alive): the
// metamethods it may call can move the stack.

void lua_gettable(lua_State* L, int idx) {
  const TObject t = *luaA_index(L, idx);
  const TObject key = *(L->top - 1);
  luaV_gettable(L, &t, &key, L->top - 1);
}

void lua_settable(lua_State* L, int idx) {
  const TObject t = *luaA_index(L, idx);
  const TObject key = *(L->top - 2);
  const TObject value = *(L->top - 1);
  luaV_settable(L, &t, &key, &value);
  L->top -= 2;
}

int lua_lessthan(lua_State* L, int idx1, int idx2) {
  const TObject* o1 = luaA_indexAcceptable(L, idx1);
  const TObject* o2 = luaA_indexAcceptable(L, idx2);
  if (o1 == nullptr || o2 == nullptr) return 0;
  const TObject left = *o1;
  const TObject right = *o2;
  return luaV_lessthan(L, &left, &right);
}

void lua_concat(lua_State* L, int n) {
  if (n >= 2) {
    luaC_checkGC(L);
    luaV_concat(L, n, static_cast<int>(L->top - L->base) - 1);
    L->top -= n - 1;
  } else if (n == 0) {
    lua_pushlstring(L, "", 0);
  }
}
