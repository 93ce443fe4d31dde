// Feeds arbitrary bytes to the precompiled-chunk reader. Whatever it accepts
// must survive a full collection and dump to a chunk that loads again and
// dumps to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Dump.h"

namespace {

struct Source {
  const char* bytes;
  size_t size;
  bool done = false;
};

const char* readall(lua_State*, void* ud, size_t* size) {
  Source* s = static_cast<Source*>(ud);
  if (s->done) return nullptr;
  s->done = true;
  *size = s->size;
  return s->bytes;
}

int load(lua_State* L, const char* bytes, size_t size) {
  Source source{bytes, size};
  ZIO z;
  luaZ_init(&z, readall, &source, "=fuzz");
  return luaD_protectedparser(L, &z, 1);
}

int append(lua_State*, const void* p, size_t size, void* ud) {
  static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
  return 0;
}

std::string dumptop(lua_State* L) {
  std::string out;
  luaU_dump(L, static_cast<LClosure*>(clvalue(L->top - 1))->p, append, &out);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lua_State* L = lua_open();
  if (load(L, reinterpret_cast<const char*>(data), size) == 0) {
    luaC_collectgarbage(L);
    const std::string first = dumptop(L);
    if (load(L, first.data(), first.size()) != 0 || dumptop(L) != first) abort();
  }
  lua_close(L);
  return 0;
}
