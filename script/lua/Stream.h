#pragma once

#include <cstddef>

#include "script/lua/Lua.h"

// Buffered input of a chunk, read block by block through a lua_Chunkreader,
// and the growable text buffer used by the lexer and by concatenation.

inline constexpr int EOZ = -1;  // end of stream

struct ZIO {
  size_t n;        // bytes still unread in the current block
  const char* p;   // next unread byte
  lua_Chunkreader reader;
  void* data;      // the reader's user data
  const char* name;
  int wide;        // 1 when the chunk is UTF-16LE text (set by the chunk loader)
  // A 16-bit look-ahead across a block boundary copies the two bytes here and
  // keeps the rest of the new block for later.
  char carry[2];
  const char* rest;
  size_t restn;
};

// Prepares a stream; nothing is read yet.
void luaZ_init(ZIO* z, lua_Chunkreader reader, void* data, const char* name);
// Fetches the next block and returns its first byte, consumed; EOZ at the end.
int luaZ_fill(ZIO* z);
// The next byte without consuming it; EOZ at the end.
int luaZ_lookahead(ZIO* z);
// The next two bytes as one unit, low byte first, without consuming them; EOZ
// when fewer than two bytes remain (the bytes stay readable).
int luaZ_lookahead16(ZIO* z);
// Copies n bytes; returns how many of them could not be read.
size_t luaZ_read(ZIO* z, void* b, size_t n);

inline int zgetc(ZIO* z) {
  if (z->n > 0) {
    z->n--;
    return static_cast<unsigned char>(*z->p++);
  }
  return luaZ_fill(z);
}

inline const char* zname(const ZIO* z) { return z->name; }

struct Mbuffer {
  char* buffer;
  size_t buffsize;
};

inline void luaZ_initbuffer(Mbuffer* buff) {
  buff->buffer = nullptr;
  buff->buffsize = 0;
}
inline char* luaZ_buffer(Mbuffer* buff) { return buff->buffer; }
inline size_t luaZ_sizebuffer(const Mbuffer* buff) { return buff->buffsize; }

// Makes the buffer at least n bytes (never below LUA_MINBUFFER) and returns it.
char* luaZ_openspace(lua_State* L, Mbuffer* buff, size_t n);
void luaZ_resizebuffer(lua_State* L, Mbuffer* buff, size_t size);
void luaZ_freebuffer(lua_State* L, Mbuffer* buff);
