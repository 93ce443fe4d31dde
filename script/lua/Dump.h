#pragma once

#include "script/lua/Object.h"

// Writes a prototype and its nested prototypes as a precompiled chunk
// (ChunkFormat.h) in this machine's byte order. Each piece (every scalar, and
// every string or vector as one block) goes to the writer separately.
void luaU_dump(lua_State* L, const Proto* f, lua_Chunkwriter writer, void* data);
