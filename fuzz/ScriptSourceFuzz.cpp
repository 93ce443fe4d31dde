// Feeds arbitrary bytes as script source through the chunk loader: byte text,
// or UTF-16LE text when they start with the bytes FF FE, so the lexer reads
// them one way or the other and the parser and code generator compile what
// it finds. Input that starts like a precompiled chunk is left to
// ChunkLoaderFuzz. A chunk that compiles must dump to bytes that read back
// and dump to the same bytes (so the code generator made nothing the chunk
// reader refuses), and it runs when it surely ends, with no library, under a
// capped allocator.

#include "fuzz/ScriptFuzzing.h"
#include "script/lua/Auxlib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr uint8_t kPrecompiledMark = 0x1B;
  if (size > 0 && data[0] == kPrecompiledMark) return 0;
  scriptfuzzing::CappedInterpreter interpreter;
  lua_State* L = interpreter.L();
  if (L == nullptr) return 0;
  if (luaL_loadbuffer(L, reinterpret_cast<const char*>(data), size, "=fuzz") == 0) {
    scriptfuzzing::checkandrun(L);
  }
  return 0;
}
