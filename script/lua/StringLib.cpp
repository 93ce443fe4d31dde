#include "script/lua/Lualib.h"

#include <cctype>
#include <cstdint>
#include <cstring>

#include "script/lua/Auxlib.h"
#include "script/lua/PatternMatch.h"
#include "script/lua/StringLib.h"

namespace {

// Characters that make a pattern more than plain text.
constexpr const char* SPECIALS = "^$*+?.([%-";

// A position counted from the end when negative (-1 the last character).
int64_t posrelat(int pos, size_t len) {
  return pos >= 0 ? pos : static_cast<int64_t>(len) + pos + 1;
}

void pushnumber(lua_State* L, int64_t n) { lua_pushnumber(L, static_cast<lua_Number>(n)); }

int str_len(lua_State* L) {
  size_t l;
  luaL_checklstring(L, 1, &l);
  lua_pushnumber(L, static_cast<lua_Number>(l));
  return 1;
}

int str_sub(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  int64_t start = posrelat(luaL_checkint(L, 2), l);
  int64_t end = posrelat(luaL_optint(L, 3, -1), l);
  if (start < 1) start = 1;
  if (end > static_cast<int64_t>(l)) end = static_cast<int64_t>(l);
  if (start <= end) {
    lua_pushlstring(L, s + start - 1, static_cast<size_t>(end - start + 1));
  } else {
    lua_pushlstring(L, "", 0);
  }
  return 1;
}

// Each byte through the C library's case mapping.
int mapbytes(lua_State* L, int (*map)(int)) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  for (size_t i = 0; i < l; i++) luaL_putchar(&b, static_cast<char>(map(uchar(s[i]))));
  luaL_pushresult(&b);
  return 1;
}

int str_lower(lua_State* L) { return mapbytes(L, tolower); }

int str_upper(lua_State* L) { return mapbytes(L, toupper); }

int str_rep(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  int n = luaL_checkint(L, 2);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  while (n-- > 0) luaL_addlstring(&b, s, l);
  luaL_pushresult(&b);
  return 1;
}

int str_byte(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  const int64_t pos = posrelat(luaL_optint(L, 2, 1), l);
  if (pos <= 0 || pos > static_cast<int64_t>(l)) return 0;
  lua_pushnumber(L, uchar(s[pos - 1]));
  return 1;
}

int str_char(lua_State* L) {
  const int n = lua_gettop(L);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  for (int i = 1; i <= n; i++) {
    const int c = luaL_checkint(L, i);
    luaL_argcheck(L, uchar(static_cast<char>(c)) == c, i, "invalid value");
    luaL_putchar(&b, static_cast<char>(c));
  }
  luaL_pushresult(&b);
  return 1;
}

int writer(lua_State*, const void* p, size_t size, void* b) {
  luaL_addlstring(static_cast<luaL_Buffer*>(b), static_cast<const char*>(p), size);
  return 1;
}

int str_dump(lua_State* L) {
  luaL_checktype(L, 1, LUA_TFUNCTION);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  if (!lua_dump(L, writer, &b)) luaL_error(L, "unable to dump given function");
  luaL_pushresult(&b);
  return 1;
}

// --- Searching ---------------------------------------------------------------------

// The first occurrence of s2 in s1, or null; the empty text is everywhere.
const char* lmemfind(const char* s1, size_t l1, const char* s2, size_t l2) {
  if (l2 == 0) return s1;
  if (l2 > l1) return nullptr;
  const char* end = s1 + (l1 - l2) + 1;  // s2 cannot start after this
  while (s1 < end) {
    const char* init = static_cast<const char*>(memchr(s1, *s2, static_cast<size_t>(end - s1)));
    if (init == nullptr) return nullptr;
    if (memcmp(init + 1, s2 + 1, l2 - 1) == 0) return init;
    s1 = init + 1;
  }
  return nullptr;
}

int str_find(lua_State* L) {
  size_t l1, l2;
  const char* s = luaL_checklstring(L, 1, &l1);
  const char* p = luaL_checklstring(L, 2, &l2);
  const int64_t init = posrelat(luaL_optint(L, 3, 1), l1) - 1;
  luaL_argcheck(L, 0 <= init && init <= static_cast<int64_t>(l1), 3, "out of range");
  if (lua_toboolean(L, 4) || strpbrk(p, SPECIALS) == nullptr) {
    const char* s2 = lmemfind(s + init, l1 - static_cast<size_t>(init), p, l2);
    if (s2 != nullptr) {
      pushnumber(L, s2 - s + 1);
      pushnumber(L, static_cast<int64_t>(s2 - s + l2));
      return 2;
    }
  } else {
    MatchState ms;
    luaI_initmatch(&ms, L, s, l1);
    const bool anchor = *p == '^';
    if (anchor) p++;
    const char* s1 = s + init;
    do {
      const char* res = luaI_match(&ms, s1, p);
      if (res != nullptr) {
        pushnumber(L, s1 - s + 1);
        pushnumber(L, res - s);
        return luaI_pushcaptures(&ms, nullptr, nullptr) + 2;
      }
    } while (s1++ < ms.src_end && !anchor);
  }
  lua_pushnil(L);
  return 1;
}

// The iterator gfind returns; its upvalues are the subject, the pattern and
// the offset where the next search starts.
int gfind_aux(lua_State* L) {
  const char* s = lua_tostring(L, lua_upvalueindex(1));
  const size_t ls = lua_strlen(L, lua_upvalueindex(1));
  const char* p = lua_tostring(L, lua_upvalueindex(2));
  MatchState ms;
  luaI_initmatch(&ms, L, s, ls);
  for (const char* src = s + static_cast<size_t>(lua_tonumber(L, lua_upvalueindex(3)));
       src <= ms.src_end; src++) {
    const char* e = luaI_match(&ms, src, p);
    if (e != nullptr) {
      ptrdiff_t newstart = e - s;
      if (e == src) newstart++;  // an empty match moves on by one
      pushnumber(L, newstart);
      lua_replace(L, lua_upvalueindex(3));
      return luaI_pushcaptures(&ms, src, e);
    }
  }
  return 0;
}

int str_gfind(lua_State* L) {
  luaL_checkstring(L, 1);
  luaL_checkstring(L, 2);
  lua_settop(L, 2);
  lua_pushnumber(L, 0);
  lua_pushcclosure(L, gfind_aux, 3);
  return 1;
}

// Adds the replacement of the match [s, e): the text of argument 3 with
// "%1".."%9" standing for captures (and '%' before any other character for
// that character), or the result of the function of argument 3 called with
// the captures when it is a string.
void addreplacement(MatchState* ms, luaL_Buffer* b, const char* s, const char* e) {
  lua_State* L = ms->L;
  if (lua_isfunction(L, 3)) {
    lua_pushvalue(L, 3);
    const int n = luaI_pushcaptures(ms, s, e);
    lua_call(L, n, 1);
    if (lua_isstring(L, -1)) {
      luaL_addvalue(b);
    } else {
      lua_pop(L, 1);
    }
    return;
  }
  const char* news = lua_tostring(L, 3);
  const size_t l = lua_strlen(L, 3);
  for (size_t i = 0; i < l; i++) {
    if (news[i] != '%') {
      luaL_putchar(b, news[i]);
      continue;
    }
    i++;  // a '%' at the very end stands for the terminating zero byte
    if (isdigit(uchar(news[i]))) {
      luaI_pushcapture(ms, uchar(news[i]));
      luaL_addvalue(b);
    } else {
      luaL_putchar(b, news[i]);
    }
  }
}

int str_gsub(lua_State* L) {
  size_t srcl;
  const char* src = luaL_checklstring(L, 1, &srcl);
  const char* p = luaL_checkstring(L, 2);
  const int64_t maxdefault = static_cast<int64_t>(srcl) + 1;
  const int64_t maxs = luaL_optint(L, 4, maxdefault > INT32_MAX ? INT32_MAX
                                                                 : static_cast<int>(maxdefault));
  // A wide string passes lua_isstring but has no bytes to copy.
  luaL_argcheck(L, lua_isfunction(L, 3) || lua_tostring(L, 3) != nullptr, 3,
                "string or function expected");
  const bool anchor = *p == '^';
  if (anchor) p++;
  MatchState ms;
  luaI_initmatch(&ms, L, src, srcl);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  int64_t n = 0;
  while (n < maxs) {
    const char* e = luaI_match(&ms, src, p);
    if (e != nullptr) {
      n++;
      addreplacement(&ms, &b, src, e);
    }
    if (e != nullptr && e > src) {
      src = e;
    } else if (src < ms.src_end) {
      luaL_putchar(&b, *src++);
    } else {
      break;
    }
    if (anchor) break;
  }
  luaL_addlstring(&b, src, static_cast<size_t>(ms.src_end - src));
  luaL_pushresult(&b);
  pushnumber(L, n);
  return 2;
}

const luaL_reg strlib[] = {
    {"len", str_len},     {"sub", str_sub},       {"lower", str_lower},   {"upper", str_upper},
    {"char", str_char},   {"rep", str_rep},       {"byte", str_byte},     {"format", str_format},
    {"dump", str_dump},   {"find", str_find},     {"gfind", str_gfind},   {"gsub", str_gsub},
    {"lualex", str_lualex}, {nullptr, nullptr},
};

}  // namespace

int luaopen_string(lua_State* L) {
  luaL_openlib(L, "string", strlib, 0);
  lua_pushvalue(L, -1);
  lua_settypemetatable(L, LUA_TSTRING);
  luaopen_pack(L);
  return 1;
}
