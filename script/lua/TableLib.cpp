#include "script/lua/Lualib.h"

#include <cstdint>
#include <cstring>

#include "script/lua/Auxlib.h"
#include "script/lua/Calls.h"
#include "script/lua/Limits.h"
#include "script/lua/NumberText.h"
#include "script/lua/State.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"

namespace {

int aux_getn(lua_State* L, int t) {
  luaL_checktype(L, t, LUA_TTABLE);
  return luaL_getn(L, t);
}

// Calls f(i, t[i]) for i from 1 to the size; the first non-nil result ends
// the walk and is returned.
int tab_foreachi(lua_State* L) {
  const int n = aux_getn(L, 1);
  luaL_checktype(L, 2, LUA_TFUNCTION);
  for (int i = 1; i <= n; i++) {
    lua_pushvalue(L, 2);
    lua_pushnumber(L, i);
    lua_rawgeti(L, 1, i);
    lua_call(L, 2, 1);
    if (!lua_isnil(L, -1)) return 1;
    lua_pop(L, 1);
  }
  return 0;
}

// Calls f(key, value) for every pair; the first non-nil result ends the walk
// and is returned.
int tab_foreach(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_checktype(L, 2, LUA_TFUNCTION);
  lua_pushnil(L);
  while (lua_next(L, 1) != 0) {
    lua_pushvalue(L, 2);
    lua_pushvalue(L, -3);
    lua_pushvalue(L, -3);
    lua_call(L, 2, 1);
    if (!lua_isnil(L, -1)) return 1;
    lua_pop(L, 2);  // the value and the result; the key stays for lua_next
  }
  return 0;
}

int tab_getn(lua_State* L) {
  lua_pushnumber(L, aux_getn(L, 1));
  return 1;
}

int tab_setn(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_setn(L, 1, luaL_checkint(L, 2));
  return 0;
}

// insert(t, v) appends; insert(t, pos, v) moves t[pos..n] up by one first.
int tab_insert(lua_State* L) {
  int v = lua_gettop(L);
  int n = aux_getn(L, 1) + 1;
  int pos = n;
  if (v != 2) {
    pos = luaL_checkint(L, 2);
    if (pos > n) n = pos;  // the table grows up to the position
    v = 3;
  }
  luaL_setn(L, 1, n);
  while (--n >= pos) {
    lua_rawgeti(L, 1, n);
    lua_rawseti(L, 1, n + 1);
  }
  lua_pushvalue(L, v);
  lua_rawseti(L, 1, pos);
  return 0;
}

// remove(t [, pos]) takes t[pos] (default the last), moves the items above it
// down and returns it.
int tab_remove(lua_State* L) {
  const int n = aux_getn(L, 1);
  int pos = luaL_optint(L, 2, n);
  if (n <= 0) return 0;
  luaL_setn(L, 1, n - 1);
  lua_rawgeti(L, 1, pos);
  for (; pos < n; pos++) {
    lua_rawgeti(L, 1, pos + 1);
    lua_rawseti(L, 1, pos);
  }
  lua_pushnil(L);
  lua_rawseti(L, 1, n);
  return 1;
}

// The text of t[k] when it is a byte string, or of a number as it would
// become one (written into `number`); any other value is an argument error. A
// wide string has no bytes for the byte string being built.
size_t piece(lua_State* L, Table* t, int k, char (&number)[LUAI_MAXNUMBER2STR],
             const char** text) {
  const TObject* v = luaH_getnum(t, k);
  if (ttisstring(v)) {
    *text = svalue(v);
    return tsvalue(v)->len;
  }
  if (!ttisnumber(v)) luaL_argerror(L, 1, "table contains non-strings");
  *text = number;
  return luaO_number2str(nvalue(v), number);
}

// concat(t [, sep [, i [, j]]]): t[i] .. sep .. ... .. t[j]; j defaults to
// the size (so does a j of 0). The pieces are measured first and copied once
// into the new string itself, so a long list costs one pass over its text
// instead of the repeated joins of a growing buffer. The pieces are read
// straight from the table: this runs over lists of a million strings.
int tab_concat(lua_State* L) {
  size_t lsep;
  const char* sep = luaL_optlstring(L, 2, "", &lsep);
  const int first = luaL_optint(L, 3, 1);
  int last = luaL_optint(L, 4, 0);
  luaL_checktype(L, 1, LUA_TTABLE);
  if (last == 0) last = luaL_getn(L, 1);
  Table* t = hvalue(L->base);
  char number[LUAI_MAXNUMBER2STR];
  const char* text;
  uint64_t total = 0;
  for (int64_t k = first; k <= last; k++) {
    total += piece(L, t, static_cast<int>(k), number, &text) + (k != last ? lsep : 0);
    if (total >= MAX_SIZET) luaL_error(L, "string size overflow");
  }
  LString* result = luaS_newblank(L, static_cast<size_t>(total));
  char* joined = getstr(result);
  size_t used = 0;
  for (int64_t k = first; k <= last; k++) {
    const size_t len = piece(L, t, static_cast<int>(k), number, &text);
    memcpy(joined + used, text, len);
    used += len;
    if (k != last) {
      memcpy(joined + used, sep, lsep);
      used += lsep;
    }
  }
  setsvalue(L->top, luaS_adopt(L, result));
  incr_top(L);
  return 1;
}

// --- sort ------------------------------------------------------------------------------
//
// Quicksort on t[1..n] with the median of three as pivot. The order is the
// function of argument 2 when given (true when a sorts before b), else the
// script's `<'. An order that claims a sorts before itself would run the
// scan off the range: that ends in "invalid order function for sorting".

// Pops two values: the top one into t[i], the other into t[j].
void set2(lua_State* L, int i, int j) {
  lua_rawseti(L, 1, i);
  lua_rawseti(L, 1, j);
}

// Whether the value at a sorts before the one at b (negative indices).
bool sortcomp(lua_State* L, int a, int b) {
  if (lua_isnil(L, 2)) return lua_lessthan(L, a, b) != 0;
  lua_pushvalue(L, 2);
  lua_pushvalue(L, a - 1);  // one more value above it now
  lua_pushvalue(L, b - 2);  // two more
  lua_call(L, 2, 1);
  const bool res = lua_toboolean(L, -1) != 0;
  lua_pop(L, 1);
  return res;
}

// Puts t[l], t[(l+u)/2] and t[u] in order; returns the middle index.
int sortthree(lua_State* L, int l, int u) {
  lua_rawgeti(L, 1, l);
  lua_rawgeti(L, 1, u);
  if (sortcomp(L, -1, -2)) {
    set2(L, l, u);
  } else {
    lua_pop(L, 2);
  }
  const int i = l + (u - l) / 2;
  if (u - l == 1) return i;
  lua_rawgeti(L, 1, i);
  lua_rawgeti(L, 1, l);
  if (sortcomp(L, -2, -1)) {
    set2(L, i, l);
  } else {
    lua_pop(L, 1);
    lua_rawgeti(L, 1, u);
    if (sortcomp(L, -1, -2)) {
      set2(L, i, u);
    } else {
      lua_pop(L, 2);
    }
  }
  return i;
}

// Splits t[l..u] around the pivot t[u-1] (the median of three, moved there);
// returns the pivot's final index.
int partition(lua_State* L, int l, int u) {
  int i = l;
  int j = u - 1;
  for (;;) {  // t[l..i] <= pivot <= t[j..u]; the pivot stays on the top
    while (lua_rawgeti(L, 1, ++i), sortcomp(L, -1, -2)) {
      if (i > u) luaL_error(L, "invalid order function for sorting");
      lua_pop(L, 1);
    }
    while (lua_rawgeti(L, 1, --j), sortcomp(L, -3, -1)) {
      if (j < l) luaL_error(L, "invalid order function for sorting");
      lua_pop(L, 1);
    }
    if (j < i) {
      lua_pop(L, 3);  // the pivot, t[i] and t[j]
      break;
    }
    set2(L, i, j);
  }
  lua_rawgeti(L, 1, u - 1);
  lua_rawgeti(L, 1, i);
  set2(L, u - 1, i);
  return i;
}

void auxsort(lua_State* L, int l, int u) {
  while (l < u) {
    int i = sortthree(L, l, u);
    if (u - l <= 2) break;  // two or three items are in order now
    lua_rawgeti(L, 1, i);
    lua_pushvalue(L, -1);
    lua_rawgeti(L, 1, u - 1);
    set2(L, i, u - 1);  // the pivot goes to u-1, a copy stays on the top
    i = partition(L, l, u);
    // Recurse into the smaller part, loop on the larger one, so the depth
    // stays logarithmic.
    if (i - l < u - i) {
      auxsort(L, l, i - 1);
      l = i + 1;
    } else {
      auxsort(L, i + 1, u);
      u = i - 1;
    }
  }
}

int tab_sort(lua_State* L) {
  const int n = aux_getn(L, 1);
  luaL_checkstack(L, 40, "");  // room for the recursion's values
  if (!lua_isnoneornil(L, 2)) luaL_checktype(L, 2, LUA_TFUNCTION);
  lua_settop(L, 2);
  auxsort(L, 1, n);
  return 0;
}

const luaL_reg tablib[] = {
    {"concat", tab_concat}, {"foreach", tab_foreach}, {"foreachi", tab_foreachi},
    {"getn", tab_getn},     {"setn", tab_setn},       {"sort", tab_sort},
    {"insert", tab_insert}, {"remove", tab_remove},   {nullptr, nullptr},
};

}  // namespace

int luaopen_table(lua_State* L) {
  luaL_openlib(L, "table", tablib, 0);
  return 1;
}
