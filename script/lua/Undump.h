#pragma once

#include "script/lua/Object.h"
#include "script/lua/Stream.h"

// Reads a precompiled chunk (ChunkFormat.h) written in either byte order and
// returns its main prototype. The chunk is untrusted: every count is checked
// against the bytes that remain before anything is allocated for it, nesting
// is limited, and every function must pass the code checker. A malformed
// chunk raises a run-time error whose message names the chunk ("unexpected
// end of file in %s", "bad code in %s", ...); the enclosing call's error
// handler is not run for it. The chunk is gathered in buff.
Proto* luaU_undump(lua_State* L, ZIO* z, Mbuffer* buff);
