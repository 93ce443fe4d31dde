#include "script/lua/Strings.h"

#include <algorithm>
#include <cstring>

#include "script/lua/Memory.h"
#include "script/lua/State.h"

namespace {

template <class Unit>
lu_hash hashunits(const Unit* text, size_t len) {
  lu_hash h = static_cast<lu_hash>(len);
  const size_t step = (len >> 5) + 1;
  for (size_t i = len; i >= step; i -= step) {
    h ^= (h << 5) + (h >> 2) + static_cast<lu_hash>(text[i - 1]);
  }
  return h;
}

// Spreads the bits of a text hash over the whole word.
lu_hash mix(lu_hash h) {
  h ^= h >> 16;
  h *= 0x85ebca6bu;
  h ^= h >> 13;
  h *= 0xc2b2ae35u;
  return h ^ (h >> 16);
}

template <class Unit>
lu_hash chainkey(const Unit* text, size_t len) {
  if (len == 0) return 0;
  return mix(hashunits(text, len - 1)) + static_cast<lu_hash>(text[len - 1]);
}

// Block size of a string of len units of unitsize bytes, with the terminator.
size_t stringblock(lua_State* L, size_t len, size_t unitsize) {
  constexpr size_t kRoom = MAX_SIZET - sizeof(LString);
  if (len >= kRoom / unitsize) luaM_toobig(L);
  return sizeof(LString) + (len + 1) * unitsize;
}

size_t chainof(const stringtable* tb, lu_hash key) {
  return key & static_cast<lu_hash>(tb->size - 1);
}

// The interned string of the kind and text, or null. h and key are the
// text's hash and chain key.
template <class Unit>
LString* find(stringtable* tb, int tag, const Unit* text, size_t len, lu_hash h, lu_hash key) {
  const size_t chain = chainof(tb, key);
  if (!(tb->signatures[chain] & luaS_signature(h))) return nullptr;
  const size_t bytes = len * sizeof(Unit);
  for (GCObject* o = tb->hash[chain]; o != nullptr; o = o->next) {
    LString* ts = static_cast<LString*>(o);
    if (ts->hash == h && ts->tt == tag && ts->len == len &&
        (bytes == 0 || memcmp(getstr(ts), text, bytes) == 0)) {
      return ts;
    }
  }
  return nullptr;
}

// A string of the kind and length, not interned yet, its text left for the
// caller (the terminator is written).
LString* newblank(lua_State* L, int tag, size_t len, size_t unitsize) {
  LString* ts = luaM_newobject<LString>(L, stringblock(L, len, unitsize));
  ts->tt = static_cast<lu_byte>(tag);
  ts->len = static_cast<uint32_t>(len);
  memset(getstr(ts) + len * unitsize, 0, unitsize);
  return ts;
}

// Puts a new string with its hash and key into its chain; the table doubles
// when it holds more strings than chains.
void link(lua_State* L, LString* ts, lu_hash h, lu_hash key) {
  stringtable* tb = &G(L)->strt;
  const size_t chain = chainof(tb, key);
  ts->hash = h;
  ts->chain = key;
  ts->next = tb->hash[chain];
  tb->hash[chain] = ts;
  tb->signatures[chain] |= luaS_signature(h);
  tb->nuse++;
  if (tb->nuse > static_cast<uint32_t>(tb->size) && tb->size <= MAX_INT / 2) {
    luaS_resize(L, tb->size * 2);
  }
}

// Finds an interned string of the kind and text, or makes one. The length is
// checked before the text is read.
template <class Unit>
LString* intern(lua_State* L, int tag, const Unit* text, size_t len) {
  stringblock(L, len, sizeof(Unit));
  const lu_hash h = hashunits(text, len);
  const lu_hash key = chainkey(text, len);
  if (LString* found = find(&G(L)->strt, tag, text, len, h, key)) return found;
  LString* ts = newblank(L, tag, len, sizeof(Unit));
  if (len > 0) memcpy(getstr(ts), text, len * sizeof(Unit));
  link(L, ts, h, key);
  return ts;
}

}  // namespace

lu_hash luaS_hash(const char* text, size_t len) {
  return hashunits(reinterpret_cast<const unsigned char*>(text), len);
}

lu_hash luaS_whash(const lua_WChar* units, size_t len) {
  return hashunits(units, len);
}

LString* luaS_newlstr(lua_State* L, const char* text, size_t len) {
  return intern(L, LUA_TSTRING, reinterpret_cast<const unsigned char*>(text), len);
}

LString* luaS_newlwstr(lua_State* L, const lua_WChar* units, size_t len) {
  return intern(L, LUA_TWSTRING, units, len);
}

LString* luaS_newblank(lua_State* L, size_t len) { return newblank(L, LUA_TSTRING, len, 1); }

LString* luaS_adopt(lua_State* L, LString* ts) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>(getstr(ts));
  const lu_hash h = hashunits(text, ts->len);
  const lu_hash key = chainkey(text, ts->len);
  if (LString* found = find(&G(L)->strt, LUA_TSTRING, text, ts->len, h, key)) {
    luaM_freeobject(L, ts, luaS_blocksize(ts));
    return found;
  }
  link(L, ts, h, key);
  return ts;
}

size_t luaS_blocksize(const LString* ts) {
  const size_t unitsize = ts->tt == LUA_TWSTRING ? sizeof(lua_WChar) : 1;
  return sizeof(LString) + (ts->len + 1) * unitsize;
}

namespace {

// The chain heads and their signatures share one block.
size_t tableblock(size_t size) { return size * (sizeof(GCObject*) + sizeof(uint32_t)); }

}  // namespace

void luaS_resize(lua_State* L, int newsize) {
  const size_t size = static_cast<size_t>(newsize);
  if (size > MAX_SIZET / tableblock(1)) luaM_toobig(L);
  void* block = luaM_realloc(L, nullptr, 0, tableblock(size));
  GCObject** newhash = static_cast<GCObject**>(block);
  uint32_t* newsignatures = reinterpret_cast<uint32_t*>(newhash + size);
  std::fill_n(newhash, size, nullptr);
  std::fill_n(newsignatures, size, 0);
  stringtable* tb = &G(L)->strt;
  const lu_hash mask = static_cast<lu_hash>(newsize - 1);
  for (int i = 0; i < tb->size; i++) {
    luaS_prefetchchain(tb, i);
    GCObject* o = tb->hash[i];
    while (o != nullptr) {
      GCObject* next = o->next;
      const LString* ts = static_cast<const LString*>(o);
      const lu_hash chain = ts->chain & mask;
      o->next = newhash[chain];
      newhash[chain] = o;
      newsignatures[chain] |= luaS_signature(ts->hash);
      o = next;
    }
  }
  luaS_freeall(L);
  tb->size = newsize;
  tb->hash = newhash;
  tb->signatures = newsignatures;
}

void luaS_freeall(lua_State* L) {
  stringtable* tb = &G(L)->strt;
  if (tb->hash != nullptr) luaM_realloc(L, tb->hash, tableblock(static_cast<size_t>(tb->size)), 0);
  tb->hash = nullptr;
  tb->signatures = nullptr;
  tb->size = 0;
}

namespace {

Udata* newudatablock(lua_State* L, size_t blocksize, size_t len) {
  Udata* u = luaM_newobject<Udata>(L, sizeof(Udata) + blocksize);
  u->tt = LUA_TUSERDATA;
  u->len = len;
  u->metatable = hvalue(&G(L)->typemeta[LUA_TUSERDATA]);
  u->next = G(L)->rootudata;
  G(L)->rootudata = u;
  return u;
}

}  // namespace

Udata* luaS_newudata(lua_State* L, size_t size) {
  if (size >= MAX_SIZET - sizeof(Udata)) luaM_toobig(L);
  const size_t even = (size + 1) & ~static_cast<size_t>(1);
  return newudatablock(L, even, even);
}

Udata* luaS_newboxedpointer(lua_State* L, void* p) {
  Udata* u = newudatablock(L, sizeof(void*), BOXED_POINTER_LEN);
  *static_cast<void**>(getudata(u)) = p;
  return u;
}

size_t lua_wstrlen(const lua_WChar* units) {
  size_t n = 0;
  while (units[n] != 0) n++;
  return n;
}
