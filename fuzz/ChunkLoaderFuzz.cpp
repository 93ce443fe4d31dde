// Feeds arbitrary bytes to the precompiled-chunk reader. Whatever it accepts
// must survive a full collection, dump to a chunk that loads again and dumps
// to the same bytes, and run on the machine to its end or to an error without
// any fault. Only code that surely ends is run: no backward jumps, no loops,
// no tail calls and at most one call per function (so calls form a chain that
// the call limit ends), with no library to reach metamethods through, and a
// capped allocator.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Dump.h"
#include "script/lua/Memory.h"
#include "script/lua/OpCodes.h"

namespace {

constexpr size_t kMemoryCap = 64 << 20;

struct Budget {
  size_t used = 0;
};

void* cappedalloc(void* ud, void* block, size_t oldsize, size_t newsize, int reserved,
                  uint32_t allockind) {
  Budget* budget = static_cast<Budget*>(ud);
  if (newsize > oldsize && budget->used + (newsize - oldsize) > kMemoryCap) return nullptr;
  void* result = luaM_defaultalloc(nullptr, block, oldsize, newsize, reserved, allockind);
  if (newsize == 0 || result != nullptr) budget->used = budget->used - oldsize + newsize;
  return result;
}

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

const Proto* topproto(lua_State* L) { return static_cast<LClosure*>(clvalue(L->top - 1))->p; }

std::string dumptop(lua_State* L) {
  std::string out;
  luaU_dump(L, topproto(L), append, &out);
  return out;
}

bool surelyends(const Proto* f) {
  int calls = 0;
  for (int pc = 0; pc < f->sizecode; pc++) {
    const Instruction i = f->code[pc];
    switch (GET_OPCODE(i)) {
      case OP_JMP:
        if (GETARG_sBx(i) < 0) return false;
        break;
      case OP_FORLOOP:
      case OP_TFORLOOP:
      case OP_TAILCALL:
        return false;
      case OP_CALL:
        if (++calls > 1) return false;
        break;
      default:
        break;
    }
  }
  for (int i = 0; i < f->sizep; i++) {
    if (!surelyends(f->p[i])) return false;
  }
  return true;
}

void callchunk(lua_State* L, void*) { luaD_call(L, L->top - 1, 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Budget budget;
  lua_State* L = luaE_open(cappedalloc, &budget);
  if (L == nullptr) return 0;
  if (load(L, reinterpret_cast<const char*>(data), size) == 0) {
    luaC_collectgarbage(L);
    const std::string first = dumptop(L);
    if (load(L, first.data(), first.size()) != 0 || dumptop(L) != first) abort();
    if (surelyends(topproto(L))) luaD_pcall(L, callchunk, nullptr, savestack(L, L->top - 1), 0);
  }
  lua_close(L);
  return 0;
}
