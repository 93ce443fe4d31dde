// Feeds arbitrary bytes to the precompiled-chunk reader. Whatever it accepts
// must survive a full collection, dump to a chunk that loads again and dumps
// to the same bytes, and run on the machine to its end or to an error without
// any fault. Only code that surely ends is run, with no library to reach
// metamethods through, under a capped allocator.

#include "fuzz/ScriptFuzzing.h"
#include "script/lua/Collector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  scriptfuzzing::CappedInterpreter interpreter;
  lua_State* L = interpreter.L();
  if (L == nullptr) return 0;
  if (scriptfuzzing::load(L, reinterpret_cast<const char*>(data), size, 1) == 0) {
    luaC_collectgarbage(L);
    scriptfuzzing::checkandrun(L);
  }
  return 0;
}
