#pragma once

// What the script fuzzing programs share: an interpreter over a capped
// allocator, loading from one block of bytes, dumping, and the test for code
// that surely ends (which alone may be run on fuzzed input).

#include <cstdint>
#include <cstdlib>
#include <string>

#include "script/lua/Calls.h"
#include "script/lua/Dump.h"
#include "script/lua/Memory.h"
#include "script/lua/OpCodes.h"

namespace scriptfuzzing {

// An interpreter whose allocator refuses to hold more than kMemoryCap bytes,
// so inputs that ask for huge strings or tables end in the memory error.
class CappedInterpreter {
 public:
  static constexpr size_t kMemoryCap = 64 << 20;

  CappedInterpreter() : mL(luaE_open(Alloc, this)) {}
  ~CappedInterpreter() {
    if (mL != nullptr) lua_close(mL);
  }
  CappedInterpreter(const CappedInterpreter&) = delete;
  CappedInterpreter& operator=(const CappedInterpreter&) = delete;

  lua_State* L() const { return mL; }

 private:
  static void* Alloc(void* ud, void* block, size_t oldsize, size_t newsize, int reserved,
                     uint32_t allockind) {
    CappedInterpreter* self = static_cast<CappedInterpreter*>(ud);
    if (newsize > oldsize && self->mUsed + (newsize - oldsize) > kMemoryCap) return nullptr;
    void* result = luaM_defaultalloc(nullptr, block, oldsize, newsize, reserved, allockind);
    if (newsize == 0 || result != nullptr) self->mUsed = self->mUsed - oldsize + newsize;
    return result;
  }

  size_t mUsed = 0;
  lua_State* mL;
};

struct Source {
  const char* bytes;
  size_t size;
  bool done = false;
};

inline const char* readall(lua_State*, void* ud, size_t* size) {
  Source* s = static_cast<Source*>(ud);
  if (s->done) return nullptr;
  s->done = true;
  *size = s->size;
  return s->bytes;
}

// Compiles (bin false) or reads (bin true) the bytes as a chunk and pushes
// its function, or the error; returns the status.
inline int load(lua_State* L, const char* bytes, size_t size, int bin) {
  Source source{bytes, size};
  ZIO z;
  luaZ_init(&z, readall, &source, "=fuzz");
  return luaD_protectedparser(L, &z, bin);
}

inline int append(lua_State*, const void* p, size_t size, void* ud) {
  static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
  return 0;
}

inline const Proto* topproto(lua_State* L) {
  return static_cast<LClosure*>(clvalue(L->top - 1))->p;
}

inline std::string dumptop(lua_State* L) {
  std::string out;
  luaU_dump(L, topproto(L), append, &out);
  return out;
}

// Whether the function surely ends: no backward jumps (of OP_JMP, or of
// OP_TFORPREP, which a compiler aims forwards but a chunk may not), no loops,
// no tail calls and at most one call per function (so calls form a chain that
// the call limit ends), the same for every nested function.
inline bool surelyends(const Proto* f) {
  int calls = 0;
  for (int pc = 0; pc < f->sizecode; pc++) {
    const Instruction i = f->code[pc];
    switch (GET_OPCODE(i)) {
      case OP_JMP:
      case OP_TFORPREP:  // jumps too, and a chunk may aim it backwards
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

// The function on top must dump to bytes that read back and dump to the same
// bytes; then, when it surely ends, it runs (protected) to its end or to an
// error. The function is popped.
inline void checkandrun(lua_State* L) {
  const std::string first = dumptop(L);
  if (load(L, first.data(), first.size(), 1) != 0 || dumptop(L) != first) abort();
  lua_pop(L, 1);
  if (surelyends(topproto(L))) {
    luaD_pcall(
        L, [](lua_State* L, void*) { luaD_call(L, L->top - 1, 0); }, nullptr,
        savestack(L, L->top - 1), 0);
  }
  lua_settop(L, 0);
}

}  // namespace scriptfuzzing
