#include "script/lua/Stream.h"

#include <cstring>

#include "script/lua/Memory.h"
#include "script/lua/State.h"

void luaZ_init(ZIO* z, lua_Chunkreader reader, void* data, const char* name) {
  z->reader = reader;
  z->data = data;
  z->name = name;
  z->n = 0;
  z->p = nullptr;
  z->wide = 0;
  z->rest = nullptr;
  z->restn = 0;
}

namespace {

// Makes the next block current (a block kept back by a look-ahead first);
// false at the end of the stream.
bool nextblock(ZIO* z) {
  if (z->restn > 0) {
    z->p = z->rest;
    z->n = z->restn;
    z->restn = 0;
    return true;
  }
  size_t size = 0;
  const char* block = z->reader(nullptr, z->data, &size);
  if (block == nullptr || size == 0) return false;
  z->p = block;
  z->n = size;
  return true;
}

}  // namespace

int luaZ_fill(ZIO* z) {
  if (!nextblock(z)) return EOZ;
  z->n--;
  return static_cast<unsigned char>(*z->p++);
}

int luaZ_lookahead(ZIO* z) {
  if (z->n == 0 && !nextblock(z)) return EOZ;
  return static_cast<unsigned char>(*z->p);
}

int luaZ_lookahead16(ZIO* z) {
  if (z->n == 0 && !nextblock(z)) return EOZ;
  if (z->n == 1) {
    // The pair is split across blocks: gather it in the carry buffer and keep
    // the rest of the next block behind it.
    z->carry[0] = *z->p;
    z->p = z->carry;
    const char* block = z->rest;
    size_t size = z->restn;
    if (size == 0) {
      block = z->reader(nullptr, z->data, &size);
      if (block == nullptr || size == 0) return EOZ;  // one byte left; it stays readable
    }
    z->carry[1] = block[0];
    z->n = 2;
    z->rest = block + 1;
    z->restn = size - 1;
  }
  return static_cast<unsigned char>(z->p[0]) | (static_cast<unsigned char>(z->p[1]) << 8);
}

size_t luaZ_read(ZIO* z, void* b, size_t n) {
  char* out = static_cast<char*>(b);
  while (n > 0) {
    if (z->n == 0 && !nextblock(z)) return n;
    const size_t m = n <= z->n ? n : z->n;
    memcpy(out, z->p, m);
    z->n -= m;
    z->p += m;
    out += m;
    n -= m;
  }
  return 0;
}

namespace {

// Marks the allocations of a text buffer for the allocator while it lives.
class BufferAllocation {
 public:
  explicit BufferAllocation(lua_State* L) : mL(L), mOld(L->allockind) { L->allockind = 1; }
  ~BufferAllocation() { mL->allockind = mOld; }
  BufferAllocation(const BufferAllocation&) = delete;
  BufferAllocation& operator=(const BufferAllocation&) = delete;

 private:
  lua_State* mL;
  uint32_t mOld;
};

}  // namespace

void luaZ_resizebuffer(lua_State* L, Mbuffer* buff, size_t size) {
  buff->buffer = static_cast<char*>(luaM_realloc(L, buff->buffer, buff->buffsize, size));
  buff->buffsize = size;
}

char* luaZ_openspace(lua_State* L, Mbuffer* buff, size_t n) {
  if (n > buff->buffsize) {
    if (n < LUA_MINBUFFER) n = LUA_MINBUFFER;
    BufferAllocation kind(L);
    luaZ_resizebuffer(L, buff, n);
  }
  return buff->buffer;
}

void luaZ_freebuffer(lua_State* L, Mbuffer* buff) { luaZ_resizebuffer(L, buff, 0); }
