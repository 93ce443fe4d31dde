// The auxiliary library's string buffer (declared in Auxlib.h).

#include <algorithm>
#include <cstring>

#include "script/lua/Auxlib.h"

namespace {

// Partial results pending on the stack that make the buffer join them
// whatever their lengths, so a buffer never needs more than its share of the
// LUA_MINSTACK guaranteed slots.
constexpr int kPendingLimit = LUA_MINSTACK / 2;

constexpr size_t kUnitSize = sizeof(lua_WChar);

size_t bufferedbytes(const luaL_Buffer* B) { return static_cast<size_t>(B->p - B->buffer); }
size_t freebytes(const luaL_Buffer* B) { return LUAL_BUFFERSIZE - bufferedbytes(B); }

// Pushes what the block holds as one more partial result; false when empty.
bool flush(luaL_Buffer* B) {
  const size_t bytes = bufferedbytes(B);
  if (bytes == 0) return false;
  if (B->wide) {
    lua_WChar units[LUAL_BUFFERSIZE / kUnitSize];
    memcpy(units, B->buffer, bytes - bytes % kUnitSize);
    lua_pushlwstring(B->L, units, bytes / kUnitSize);
  } else {
    lua_pushlstring(B->L, B->buffer, bytes);
  }
  B->p = B->buffer;
  B->lvl++;
  return true;
}

// Joins the topmost partial results while the joined piece is longer than the
// one below it, or while kPendingLimit or more are pending. Lengths are
// counted in bytes or units alike, as lua_strlen gives them.
void merge(luaL_Buffer* B) {
  if (B->lvl < 2) return;
  lua_State* L = B->L;
  int joined = 1;
  size_t toplen = lua_strlen(L, -1);
  while (joined < B->lvl) {
    const size_t below = lua_strlen(L, -(joined + 1));
    if (B->lvl - joined + 1 < kPendingLimit && toplen <= below) break;
    toplen += below;
    joined++;
  }
  lua_concat(L, joined);
  B->lvl -= joined - 1;
}

void init(lua_State* L, luaL_Buffer* B, int wide) {
  B->L = L;
  B->p = B->buffer;
  B->lvl = 0;
  B->wide = wide;
}

// Appends bytes, flushing the block whenever fewer than `unit` bytes are free,
// so a wide buffer never splits a unit.
void append(luaL_Buffer* B, const char* bytes, size_t count, size_t unit) {
  while (count > 0) {
    if (freebytes(B) < unit) luaL_prepbuffer(B);
    const size_t n = std::min(count, freebytes(B) - freebytes(B) % unit);
    memcpy(B->p, bytes, n);
    B->p += n;
    bytes += n;
    count -= n;
  }
}

}  // namespace

void luaL_buffinit(lua_State* L, luaL_Buffer* B) { init(L, B, 0); }

void luaL_wbuffinit(lua_State* L, luaL_Buffer* B) { init(L, B, 1); }

char* luaL_prepbuffer(luaL_Buffer* B) {
  if (flush(B)) merge(B);
  return B->buffer;
}

void luaL_addlstring(luaL_Buffer* B, const char* s, size_t len) { append(B, s, len, 1); }

void luaL_addstring(luaL_Buffer* B, const char* s) { luaL_addlstring(B, s, strlen(s)); }

void luaL_addlwstring(luaL_Buffer* B, const lua_WChar* units, size_t len) {
  append(B, reinterpret_cast<const char*>(units), len * kUnitSize, kUnitSize);
}

void luaL_addvalue(luaL_Buffer* B) {
  lua_State* L = B->L;
  // A wide string has no bytes for a byte buffer, nor a byte string units for
  // a wide one: either would copy nothing from nowhere.
  const void* text = B->wide ? static_cast<const void*>(lua_towstring(L, -1))
                             : static_cast<const void*>(lua_tostring(L, -1));
  if (text == nullptr) {
    luaL_error(L, "%s expected, got %s", B->wide ? "wstring" : "string",
               lua_typename(L, lua_type(L, -1)));
  }
  const size_t bytes = lua_strlen(L, -1) * (B->wide ? kUnitSize : 1);
  if (bytes <= freebytes(B)) {
    memcpy(B->p, text, bytes);
    B->p += bytes;
    lua_pop(L, 1);
    return;
  }
  if (flush(B)) lua_insert(L, -2);  // the block's text goes before the value
  B->lvl++;
  merge(B);
}

void luaL_pushresult(luaL_Buffer* B) {
  flush(B);
  if (B->lvl == 0 && B->wide) {
    const lua_WChar none = 0;
    lua_pushlwstring(B->L, &none, 0);
  } else {
    lua_concat(B->L, B->lvl);
  }
  B->lvl = 1;
}
